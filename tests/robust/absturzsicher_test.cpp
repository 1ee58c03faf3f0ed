// Program files and the settings file under crashes and a full disk: a save that is cut off at
// any point, by the process being killed or by the disk filling up, leaves a file that loads
// with either the old or the new content, and the failed save reports its code.
#include "app/globals.h"
#include "ops/com.h"
#include "params/parametersatz.h"
#include "storage/einstellungen.h"
#include "storage/programmdatei.h"
#include "tests/storage/dateigrenze.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* PROGRAMMDATEI = "saetze.vkr";

// Two recognisable states of everything both files hold.
void ZustandSetzen(int k) {
    std::memset(static_cast<void*>(gPar), 0x40 + k, sizeof gPar);
    gParIndex = k;
    gCom.portOffen = -1;
    gCom.lport = k;
    gCom.adresse = '1';
    gCom.baudrate = k == 1 ? 4800 : 19200;
    gSpracheNeu = SPRACHE_DEUTSCH;
}

// Which of the two states the files hold: 1 or 2, or 0 when a file does not load as either.
int GeladenerZustand() {
    std::memset(static_cast<void*>(gPar), 0, sizeof gPar);
    gParIndex = -1;
    gCom.baudrate = 1;
    if (ProgrammdateiLesen(PROGRAMMDATEI) != 0 || IniLaden() != 0) return 0;
    for (int k = 1; k <= 2; ++k) {
        Parametersatz erwartet;
        std::memset(static_cast<void*>(&erwartet), 0x40 + k, sizeof erwartet);
        bool gleich = gParIndex == k;
        for (const Parametersatz& p : gPar)
            gleich = gleich && std::memcmp(&p, &erwartet, sizeof p) == 0;
        if (gleich) return k;
    }
    return 0;
}

std::string Inhalt(const char* pfad) {
    std::ifstream f(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

class Absturzsicher : public ::testing::Test {
  protected:
    void SetUp() override {
        char vorlage[] = "/tmp/vkr-absturz-XXXXXX";
        ASSERT_NE(mkdtemp(vorlage), nullptr);
        verzeichnis = vorlage;
        vorher = fs::current_path();
        fs::current_path(verzeichnis);
        ZustandSetzen(1);
        ASSERT_EQ(ProgrammdateiSchreiben(PROGRAMMDATEI), 0);
        ASSERT_EQ(IniSchreiben(), 0);
    }
    void TearDown() override {
        fs::current_path(vorher);
        fs::remove_all(verzeichnis);
        ComStrukturInitialisieren();
    }
    fs::path verzeichnis, vorher;
};

TEST_F(Absturzsicher, AProcessKilledWhileSavingLeavesFilesThatLoad) {
    std::mt19937 zufall(14);
    std::uniform_int_distribution<int> mikrosekunden(0, 50000);
    int gesehen[3] = {0, 0, 0};
    int geladen = 1;
    for (int runde = 0; runde < 30; ++runde) {
        const pid_t kind = fork();
        ASSERT_GE(kind, 0);
        if (kind == 0) {
            // Saves both files over and over, alternating between the two states, starting with
            // the one the files do not hold.
            for (int k = 3 - geladen;; k = 3 - k) {
                ZustandSetzen(k);
                ProgrammdateiSchreiben(PROGRAMMDATEI);
                IniSchreiben();
            }
        }
        usleep(static_cast<useconds_t>(mikrosekunden(zufall)));
        ASSERT_EQ(kill(kind, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(kind, &status, 0), kind);
        const int zustand = GeladenerZustand();
        ASSERT_NE(zustand, 0) << "after a kill in round " << runde;
        ++gesehen[zustand];
        geladen = zustand;
    }
    // The kills fell between saves of either state, so the saves did run while being killed.
    EXPECT_GT(gesehen[1], 0);
    EXPECT_GT(gesehen[2], 0);
}

TEST_F(Absturzsicher, ASaveOntoAFullDiskKeepsTheOldFilesAndReportsIt) {
    const std::string altProgramm = Inhalt(PROGRAMMDATEI), altEinstellungen = Inhalt(EINSTELLUNGEN_DATEI);
    ZustandSetzen(2);
    {
        Dateigroessengrenze grenze(16); // not even the settings fit
        ASSERT_TRUE(grenze.gesetzt);
        EXPECT_EQ(ProgrammdateiSchreiben(PROGRAMMDATEI), PROGRAMMDATEI_SCHREIBEN);
        EXPECT_EQ(IniSchreiben(), EINSTELLUNGEN_SCHREIBFEHLER);
    }
    EXPECT_EQ(Inhalt(PROGRAMMDATEI), altProgramm);
    EXPECT_EQ(Inhalt(EINSTELLUNGEN_DATEI), altEinstellungen);
    EXPECT_EQ(GeladenerZustand(), 1);
    size_t dateien = 0;
    for (const auto& e : fs::directory_iterator(verzeichnis))
        dateien += e.is_regular_file() ? 1 : 0;
    EXPECT_EQ(dateien, 2u) << "no temporary file is left";
}

} // namespace
