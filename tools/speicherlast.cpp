// vkr3x-speicherlast: the saving process that tools/speicherstress.sh kills at random moments.
//
//   vkr3x-speicherlast programm FILE         saves all sets to FILE, as A and B by turns, forever
//   vkr3x-speicherlast einstellungen DIR     saves the settings file in DIR, as A and B by turns
//   vkr3x-speicherlast programm-laden FILE   loads FILE as the program does; prints A or B
//   vkr3x-speicherlast einstellungen-laden DIR
//
// The saves are the program's own (ProgrammdateiSchreiben, IniSchreiben); a load that fails or
// finds neither A nor B ends with status 1 and says what it found.

#include "app/globals.h"
#include "ops/com.h"
#include "params/parametersatz.h"
#include "storage/einstellungen.h"
#include "storage/programmdatei.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

// Every record differs between A and B, so a file mixed from both is neither.
void SaetzeSetzen(char fassung) {
    ParameterStrukturInitialisieren();
    for (int n = 0; n < PARAMETERSAETZE; ++n) {
        gPar[n].strom1 = (fassung == 'A' ? 0.5 : 1.5) + 0.01 * n;
        gPar[n].zeit4 = fassung == 'A' ? 100.0 * n : 7.0 * n + 3.0;
        gPar[n].dithtable_dithamp[9] = fassung == 'A' ? 0.0 : 0.25;
    }
    gParIndex = fassung == 'A' ? 3 : 11;
}

void EinstellungenSetzen(char fassung) {
    gCom = fassung == 'A' ? ComEinstellungen{-1, -1, 1, '1', 9600} : ComEinstellungen{3, 3, 2, '5', 4800};
    gSpracheNeu = fassung == 'A' ? SPRACHE_DEUTSCH : SPRACHE_ENGLISCH;
}

char SaetzeErkennen() {
    static Parametersatz gelesen[PARAMETERSAETZE];
    std::memcpy(gelesen, gPar, sizeof gPar);
    const int index = gParIndex;
    for (const char fassung : {'A', 'B'}) {
        SaetzeSetzen(fassung);
        if (std::memcmp(gelesen, gPar, sizeof gPar) == 0 && index == gParIndex) return fassung;
    }
    return '?';
}

char EinstellungenErkennen() {
    const ComEinstellungen com = gCom;
    const int sprache = gSprache;
    for (const char fassung : {'A', 'B'}) {
        EinstellungenSetzen(fassung);
        // The port that was open at saving is the port to open at the next start.
        if (com.port == gCom.portOffen && com.lport == gCom.lport && com.adresse == gCom.adresse &&
            com.baudrate == gCom.baudrate && sprache == gSpracheNeu)
            return fassung;
    }
    return '?';
}

int Laden(bool programm, const char* ziel) {
    int r = 0;
    if (programm) {
        r = ProgrammdateiLesen(ziel);
    } else {
        ComStrukturInitialisieren();
        r = IniLaden();
    }
    const char fassung = r == 0 ? (programm ? SaetzeErkennen() : EinstellungenErkennen()) : '?';
    if (r != 0 || fassung == '?') {
        std::printf("loaded with %d, contents neither A nor B\n", r);
        return 1;
    }
    std::printf("%c\n", fassung);
    return 0;
}

[[noreturn]] void Speichern(bool programm, const char* ziel) {
    for (char fassung = 'A';; fassung = fassung == 'A' ? 'B' : 'A') {
        if (programm) {
            SaetzeSetzen(fassung);
            ProgrammdateiSchreiben(ziel);
        } else {
            EinstellungenSetzen(fassung);
            IniSchreiben();
        }
    }
}

} // namespace

int main(int argc, char* argv[]) {
    const std::string art = argc == 3 ? argv[1] : "";
    const bool programm = art.rfind("programm", 0) == 0;
    if (!programm && art.rfind("einstellungen", 0) != 0) {
        std::fprintf(stderr,
                     "usage: %s programm|einstellungen|programm-laden|einstellungen-laden "
                     "FILE-or-DIR\n",
                     argv[0]);
        return 2;
    }
    const char* ziel = argv[2];
    std::error_code ec;
    // The settings file has no directory in its name: it lives in the working directory.
    if (!programm) std::filesystem::current_path(ziel, ec);
    if (ec) return 2;
    if (art.ends_with("-laden")) return Laden(programm, ziel);
    Speichern(programm, ziel);
}
