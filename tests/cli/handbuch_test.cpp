// The manual pages are made at build time; vkr3x's must name every command its tables hold, so a
// command added to a table without reaching --help shows here.
#include "cli/befehlszeile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string Lesen(const std::string& pfad) {
    std::ifstream datei(pfad);
    std::ostringstream inhalt;
    inhalt << datei.rdbuf();
    return inhalt.str();
}

// help2man sets each command of the help's list as a tagged paragraph, hyphens escaped.
std::string AlsAbsatzmarke(const char* name) {
    std::string marke = ".TP\n";
    for (const char* c = name; *c; ++c)
        marke += *c == '-' ? std::string("\\-") : std::string(1, *c);
    return marke + "\n";
}

TEST(Handbuchseiten, VonVkr3xNenntJedenBefehlDerTabellen) {
    for (const char* programm : {"vkr3x-sim", "vkr3xsteuerung"})
        EXPECT_NE(Lesen(std::string(VKR3X_MAN_DIR) + "/" + programm + ".1").find(".SH NAME"),
                  std::string::npos)
            << programm;
    const std::string seite = Lesen(std::string(VKR3X_MAN_DIR) + "/vkr3x.1");
    ASSERT_NE(seite.find(".SH NAME"), std::string::npos) << "no manual page of vkr3x in " << VKR3X_MAN_DIR;
    for (const Befehl* gruppe : kBefehlsgruppen)
        for (const Befehl* b = gruppe; b->name; ++b)
            EXPECT_NE(seite.find(AlsAbsatzmarke(b->name)), std::string::npos) << b->name;
}

} // namespace
