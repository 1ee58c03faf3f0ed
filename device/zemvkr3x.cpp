// Port handling, identity request and device functions of the regulator driver.
#include "device/zemvkr3x.h"

#include "device/antwort.h"
#include "device/austausch.h"
#include "device/mitschnitt.h"
#include "device/werttext.h"
#include "platform/rs232.h"

#include <cstring>

namespace {

constexpr int QUEUE_BYTES = 512;
constexpr int ZEILE_BYTES = 29; // longest answer line, CR included

bool IstGeraeteadresse(char a) {
    return a >= '1' && a <= '8';
}

const Befehlscodes kIdCodes = {0, -101008, -114009, -402010, -405011, -403012, -404013, -404014};
constexpr int ID_ANTWORT_FALSCH = -404015;

const Befehlscodes kFunktionCodes = {0, -101019, -101020, -402021, -405022, -403023, -404024, 0};

struct Geraetefunktion {
    const char* name;
    char ziffer;
};

const Geraetefunktion kFunktionen[] = {
    {"start", '1'}, {"stopp", '2'}, {"fehlerloeschen", '3'}, {"kalibrieren", '4'}, {"stromumschaltung", '5'},
};

// Removes every space; the identity parser takes a text only up to white space, so spaces inside
// the identity carry no meaning.
void LeerzeichenEntfernen(Antwortzeile* zeile) {
    int n = 0;
    for (int i = 0; i < zeile->laenge; ++i)
        if (zeile->text[i] != ' ') zeile->text[n++] = zeile->text[i];
    zeile->laenge = n;
    zeile->text[n] = '\0';
}

// Line "#", address, identity text (non-empty, up to the next white space), CR. The text is
// taken from right after the address; a line cut off without CR (also by a NUL byte, which
// ends the line as a string) lacks the last item.
bool IdentitaetZerlegen(const Antwortzeile& zeile, char adresse, char* text) {
    if (zeile.laenge < 2 || zeile.text[0] != '#' || zeile.text[1] != adresse) return false;
    int ende = 2;
    while (ende < zeile.laenge && !IstLeerraum(zeile.text[ende]))
        ++ende;
    if (ende == 2 || ende >= zeile.laenge || zeile.text[ende] != '\r') return false;
    const int n = ende - 2;
    if (n > ZEMVKR3X_ID_BYTES - 1) return false;
    std::memcpy(text, zeile.text + 2, static_cast<size_t>(n));
    text[n] = '\0';
    return true;
}

} // namespace

int ZEMVKR3X_Open(int port, int baudrate) {
    return ZEMVKR3X_OpenGeraet(port, "", baudrate);
}

int ZEMVKR3X_OpenGeraet(int port, const char* geraet, int baudrate) {
    static const int kBaudraten[] = {1200, 2400, 4800, 9600, 19200, 38400, 115200};
    bool bekannt = false;
    for (int b : kBaudraten)
        bekannt = bekannt || b == baudrate;
    if (!bekannt) return -125001;
    if (port < 1 || port > 8) return -100002;
    if (OpenComConfig(port, geraet ? geraet : "", baudrate, RS232_PARITY_ODD, 7, 1, QUEUE_BYTES,
                      QUEUE_BYTES) < 0)
        return -100003;
    return 0;
}

int ZEMVKR3X_Close(int port) {
    return CloseCom(port) < 0 ? -103004 : 0;
}

int ZEMVKR3X_Timeout(int port, double sekunden) {
    return SetComTime(port, sekunden) < 0 ? -111005 : 0;
}

int FlushInOut(int port) {
    if (FlushInQ(port) < 0) return -124123;
    if (FlushOutQ(port) < 0) return -123124;
    return 0;
}

int ZEMVKR3X_IDLesen(int port, char adresse, char* text) {
    if (!IstGeraeteadresse(adresse)) return -400006;
    const char rahmen[] = {'#', adresse, 'I', 'D', 'R', '\r'};
    Antwortzeile zeile;
    const int fehler = Austausch(port, rahmen, 6, false, kIdCodes, &zeile, ZEILE_BYTES);
    if (fehler != 0) return fehler;
    const int geprueft = IdentitaetAuswerten(zeile, adresse, text);
    MitschnittAuswertung(geprueft);
    return geprueft;
}

int IdentitaetAuswerten(Antwortzeile zeile, char adresse, char* text) {
    LeerzeichenEntfernen(&zeile);
    if (!text || !IdentitaetZerlegen(zeile, adresse, text)) return ID_ANTWORT_FALSCH;
    return 0;
}

int ZEMVKR3X_DeviceFunction(int port, char adresse, const char* funktion) {
    if (!IstGeraeteadresse(adresse) && adresse != '&') return -400016;
    char ziffer = 0;
    for (const Geraetefunktion& f : kFunktionen)
        if (funktion && std::strcmp(f.name, funktion) == 0) ziffer = f.ziffer;
    if (ziffer == 0) return -401017;
    const char rahmen[] = {'#', adresse, 'D', 'F', ziffer, '\r'};
    return Austausch(port, rahmen, 6, adresse == '&', kFunktionCodes, nullptr, 0);
}

const char* GeraetefunktionName(char ziffer) {
    for (const Geraetefunktion& f : kFunktionen)
        if (f.ziffer == ziffer) return f.name;
    return nullptr;
}

int Hexchar2Int(char zeichen) {
    if (zeichen >= '0' && zeichen <= '9') return zeichen - '0';
    if (zeichen >= 'a' && zeichen <= 'f') return zeichen - 'a' + 10;
    if (zeichen >= 'A' && zeichen <= 'F') return zeichen - 'A' + 10;
    return -1;
}
