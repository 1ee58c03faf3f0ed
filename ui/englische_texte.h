#pragma once
// The English texts of the user-interface definition: one row per control or menu entry whose
// German text an English run replaces at start-up, applied in table order. Kept as data beside
// the definition, so that anything that names controls in words (the start-up relabelling, the
// report) takes them from here.

#include <span>

enum class EnglischZiel { Hauptpanel, Companel, Menue };
enum class EnglischArt { Label, Text, Menuename };

struct Ringeintrag {
    int index; // position of the replaced item
    const char* label;
    int wert;
    bool zeichen = false; // the ring's values are characters
};

struct EnglischeZeile {
    EnglischZiel ziel;
    int id; // control id on its panel, or menu item id
    EnglischArt art;
    const char* text;
    std::span<const Ringeintrag> eintraege = {};
    std::span<const char* const> spaltentitel = {}; // tables and lists, from the first column
};

std::span<const EnglischeZeile> EnglischeTexte();
