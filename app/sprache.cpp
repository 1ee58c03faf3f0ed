#include "app/sprache.h"

#include "app/globals.h"
#include "app/vkr3xsteuerung.h"
#include "platform/ui.h"
#include "ui/englische_texte.h"

const char* const SPRACHE_NEUSTART_TITEL = "Info";
const char* const SPRACHE_NEUSTART_TEXT =
    "Die Sprache wird nach einem Programmneustart geändert.\n\nThe language will be changed after "
    "restarting the program.";

namespace {

void ZeileAnwenden(const EnglischeZeile& z) {
    if (z.ziel == EnglischZiel::Menue) {
        SetMenuBarAttribute(GetPanelMenuBar(gPanelHandle), z.id, ATTR_MENU_NAME, z.text);
        return;
    }
    const int panel = z.ziel == EnglischZiel::Companel ? gCompanelHandle : gPanelHandle;
    if (z.art == EnglischArt::Text)
        SetCtrlVal(panel, z.id, z.text);
    else
        SetCtrlAttribute(panel, z.id, ATTR_LABEL_TEXT, z.text);
    for (const Ringeintrag& e : z.eintraege) {
        if (e.zeichen)
            ReplaceListItem(panel, z.id, e.index, e.label, static_cast<char>(e.wert));
        else
            ReplaceListItem(panel, z.id, e.index, e.label, e.wert);
    }
    for (size_t i = 0; i < z.spaltentitel.size(); ++i)
        SetTableColumnAttribute(panel, z.id, static_cast<int>(i) + 1, ATTR_LABEL_TEXT, z.spaltentitel[i]);
}

} // namespace

void EnglischeTexteSetzen() {
    // A text that cannot be applied leaves the German one in place; start-up goes on.
    for (const EnglischeZeile& z : EnglischeTexte())
        ZeileAnwenden(z);
}

void Callback_Menu_Sprache(int, int menuItem, void*, int) {
    gSpracheNeu = menuItem == MENUBAR_EINSTELLUNGEN_SPRACHE_SUBMENU_EN ? SPRACHE_ENGLISCH : SPRACHE_DEUTSCH;
    // The running program keeps its language; the choice is saved at exit.
    if (gSpracheNeu != gSprache) MessagePopup(SPRACHE_NEUSTART_TITEL, SPRACHE_NEUSTART_TEXT);
}
