#include "ui/beschriftungen.h"

#include "app/globals.h"
#include "app/vkr3xsteuerung.h"
#include "ui/englische_texte.h"
#include "ui/vkr3xsteuerung_uir.h"

namespace {

const EnglischeZeile* EnglischeZeileVon(int panel, int control) {
    const EnglischZiel ziel = panel == COMPANEL ? EnglischZiel::Companel : EnglischZiel::Hauptpanel;
    if (panel != COMPANEL && panel != MAINPANEL) return nullptr;
    for (const EnglischeZeile& z : EnglischeTexte())
        if (z.ziel == ziel && z.id == control) return &z;
    return nullptr;
}

} // namespace

const ControlDefinition* UirControl(int panel, int control) {
    for (const PanelDefinition& p : Vkr3xSteuerungUir().panels) {
        if (p.resourceId != panel) continue;
        for (const ControlDefinition& c : p.controls)
            if (c.id == control) return &c;
    }
    return nullptr;
}

const char* Beschriftung(int panel, int control, int sprache) {
    if (sprache == SPRACHE_ENGLISCH)
        if (const EnglischeZeile* z = EnglischeZeileVon(panel, control)) return z->text;
    const ControlDefinition* c = UirControl(panel, control);
    return c ? c->text : "";
}

const char* RingText(int panel, int control, int wert, int sprache) {
    const ControlDefinition* c = UirControl(panel, control);
    if (!c) return nullptr;
    for (int i = 0; i < static_cast<int>(c->items.size()); ++i) {
        if (c->items[i].value != wert) continue;
        // An English run replaces items in place; those it leaves keep their German text.
        if (sprache == SPRACHE_ENGLISCH)
            if (const EnglischeZeile* z = EnglischeZeileVon(panel, control))
                for (const Ringeintrag& e : z->eintraege)
                    if (e.index == i) return e.label;
        return c->items[i].label;
    }
    return nullptr;
}

const char* Spaltentitel(int panel, int control, int spalte, int sprache) {
    if (spalte < 1) return "";
    if (sprache == SPRACHE_ENGLISCH)
        if (const EnglischeZeile* z = EnglischeZeileVon(panel, control))
            if (static_cast<size_t>(spalte) <= z->spaltentitel.size()) return z->spaltentitel[spalte - 1];
    const ControlDefinition* c = UirControl(panel, control);
    if (!c || static_cast<int>(c->columnTitles.size()) < spalte) return "";
    return c->columnTitles[spalte - 1];
}
