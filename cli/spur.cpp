// The trace is written as the exchanges happen (each line flushed), so a long --watch keeps
// every exchange, not only the recorder's last 20,000.
#include "cli/spur.h"

#include "cli/befehlszeile.h"

#include "app/globals.h"
#include "device/mitschnitt.h"
#include "ops/mitschnitt_text.h"

#include <algorithm>
#include <cstdio>

namespace {

std::FILE* gSpur = nullptr;
uint64_t gGeschrieben = 0; // newest record written

void Schreiben(uint64_t bis) {
    for (uint64_t n = gGeschrieben + 1; n <= bis; ++n)
        if (Austauschsatz s; MitschnittSatzLesen(n, &s)) MitschnittCsvZeile(gSpur, s, gSprache);
    if (bis > gGeschrieben) std::fflush(gSpur);
    gGeschrieben = std::max(gGeschrieben, bis);
}

// The newest record may still take the code of its answer check; the ones before are final.
void NeuerSatz() {
    Schreiben(MitschnittLetzte() - 1);
}

} // namespace

bool SpurBeginnen(const QString& pfad) {
    gSpur = std::fopen(Dateiname(pfad).constData(), "wb");
    if (!gSpur) return false;
    MitschnittCsvKopf(gSpur);
    std::fflush(gSpur);
    MitschnittLeeren();
    gGeschrieben = 0;
    MitschnittBeobachter(NeuerSatz);
    MitschnittEin(true);
    return true;
}

bool SpurBeenden() {
    if (!gSpur) return true;
    MitschnittEin(false);
    MitschnittBeobachter(nullptr);
    Schreiben(MitschnittLetzte());
    const bool fehler = std::ferror(gSpur) != 0;
    const bool geschlossen = std::fclose(gSpur) == 0;
    gSpur = nullptr;
    return geschlossen && !fehler;
}
