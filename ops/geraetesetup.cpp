#include "ops/geraetesetup.h"

#include "device/schluessel.h"
#include "device/zemvkr3x.h"
#include "ops/com.h"

#include <cstdint>

int EnterDevSetupMode(int m) {
    if (gCom.portOffen == -1) return KEIN_PORT_OFFEN_KENNUNG;

    uint64_t seed = 0;
    int r = ZEMVKR3X_KalibrierParameterLesen(gCom.portOffen, gCom.adresse, "seed", nullptr, nullptr, &seed,
                                             nullptr);
    if (r != 0) return r;

    uint16_t keys[4];
    SchluesselBerechnen(seed, m, keys);
    static const char* const kNamen[4] = {"key1", "key2", "key3", "key4"};
    for (int i = 0; i < 4; ++i) {
        r = ZEMVKR3X_KalibrierParameterSchreiben(gCom.portOffen, gCom.adresse, kNamen[i], 0.0, keys[i], 0);
        if (r != 0) return r;
    }
    return ZEMVKR3X_KalibrierParameterSchreiben(gCom.portOffen, gCom.adresse, "key_enter", 0.0, m, 0);
}
