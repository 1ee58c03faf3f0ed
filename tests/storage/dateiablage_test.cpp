// Where the bytes of a save land: through links, with the old owner, in folders that take no new
// file, and what becomes of replacement files left by interrupted saves. Both files the program
// writes take the same way.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "params/parametersatz.h"
#include "storage/ini_store.h"
#include "storage/programmdatei.h"
#include "tests/storage/dateihilfen.h"
#include "tests/support/als_niemand.h"

namespace {

namespace fs = std::filesystem;

struct Schreiber {
    const char* name;
    std::function<int(const std::string&)> schreiben;
    std::string inhalt; // what a save writes
    int zielFehlt;      // result when the target cannot be made
};

std::vector<Schreiber> BeideSchreiber() {
    ParameterStrukturInitialisieren();
    gPar[2].strom1 = 1.25;
    const Programmabbild abbild = ProgrammabbildErstellen();
    return {
        {"program file", [](const std::string& p) { return ProgrammdateiSchreiben(p.c_str()); },
         std::string(abbild.begin(), abbild.end()), -301101},
        {"settings file",
         [](const std::string& p) {
             IniStore ini = Ini_New(1);
             Ini_PutInt(ini, "VKR3AX2", "port", 1);
             const int r = Ini_WriteToFile(ini, p.c_str());
             Ini_Dispose(ini);
             return r;
         },
         "[VKR3AX2]\r\nport = 1\r\n\r\n", -95},
    };
}

class Dateiablage : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(ordner.isValid()); }
    std::string Pfad(const std::string& name) const { return ordner.filePath(name.c_str()).toStdString(); }
    QTemporaryDir ordner;
};

TEST_F(Dateiablage, LinksStayAndTheFileTheyNameGetsTheBytes) {
    for (const Schreiber& s : BeideSchreiber()) {
        SCOPED_TRACE(s.name);
        DateiSchreiben(Pfad("echt"), "alt");
        fs::create_symlink("echt", Pfad("verweis"));
        fs::create_symlink("fehlt", Pfad("ins-leere"));
        DateiSchreiben(Pfad("name1"), "alt");
        fs::create_hard_link(Pfad("name1"), Pfad("name2"));

        for (const char* weg : {"verweis", "ins-leere", "name1"})
            EXPECT_EQ(s.schreiben(Pfad(weg)), 0) << weg;
        EXPECT_EQ(fs::read_symlink(Pfad("verweis")).string(), "echt");
        EXPECT_EQ(DateiInhalt(Pfad("echt")), s.inhalt);
        EXPECT_EQ(fs::read_symlink(Pfad("ins-leere")).string(), "fehlt");
        EXPECT_EQ(DateiInhalt(Pfad("fehlt")), s.inhalt);
        EXPECT_EQ(fs::hard_link_count(Pfad("name1")), 2u);
        EXPECT_EQ(DateiInhalt(Pfad("name2")), s.inhalt) << "every name sees the new contents";
        EXPECT_EQ(Dateinamen(ordner.path()),
                  (QStringList{"echt", "fehlt", "ins-leere", "name1", "name2", "verweis"}));
        for (const QString& name : Dateinamen(ordner.path()))
            fs::remove(Pfad(name.toStdString()));
    }
}

TEST_F(Dateiablage, AReplacedFileKeepsOwnerGroupAndRights) {
    if (geteuid() != 0) GTEST_SKIP() << "only root may give a file to another owner";
    for (const Schreiber& s : BeideSchreiber()) {
        SCOPED_TRACE(s.name);
        DateiSchreiben(Pfad("fremd"), "alt");
        ASSERT_EQ(chown(Pfad("fremd").c_str(), NIEMAND, NIEMAND), 0);
        ASSERT_EQ(chmod(Pfad("fremd").c_str(), 0640), 0);
        EXPECT_EQ(s.schreiben(Pfad("fremd")), 0);
        struct stat st {};
        ASSERT_EQ(stat(Pfad("fremd").c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, static_cast<uid_t>(NIEMAND));
        EXPECT_EQ(st.st_gid, static_cast<gid_t>(NIEMAND));
        EXPECT_EQ(st.st_mode & 07777, 0640u);
        EXPECT_EQ(DateiInhalt(Pfad("fremd")), s.inhalt);
    }
}

TEST_F(Dateiablage, AWritableFileInAFolderThatTakesNoNewFileIsWrittenInPlace) {
    // The user of the check must reach the folder.
    fs::permissions(ordner.path().toStdString(), fs::perms::others_exec, fs::perm_options::add);
    fs::create_directory(Pfad("gesperrt"));
    for (const Schreiber& s : BeideSchreiber()) {
        SCOPED_TRACE(s.name);
        DateiSchreiben(Pfad("gesperrt/datei"),
                       "alter Inhalt, laenger als mancher neue: " + std::string(7000, 'x'));
        fs::permissions(Pfad("gesperrt/datei"), fs::perms::all);
        fs::permissions(Pfad("gesperrt"), fs::perms::owner_all | fs::perms::group_read |
                                              fs::perms::group_exec | fs::perms::others_read |
                                              fs::perms::others_exec);
        {
            AlsNiemand niemand;
            EXPECT_EQ(s.schreiben(Pfad("gesperrt/datei")), 0);
            EXPECT_EQ(s.schreiben(Pfad("gesperrt/neu")), s.zielFehlt);
        }
        EXPECT_EQ(DateiInhalt(Pfad("gesperrt/datei")), s.inhalt);
        EXPECT_EQ(Dateinamen(ordner.filePath("gesperrt")), QStringList{"datei"});
    }
}

TEST_F(Dateiablage, TheNextSaveRemovesReplacementFilesOlderThanTenMinutes) {
    for (const Schreiber& s : BeideSchreiber()) {
        SCOPED_TRACE(s.name);
        const auto vorElf = fs::file_time_type::clock::now() - std::chrono::minutes(11);
        const auto vorNeun = fs::file_time_type::clock::now() - std::chrono::minutes(9);
        const struct {
            const char* name;
            fs::file_time_type zeit;
        } reste[] = {{"vkr$$5.TMP", vorElf},   {"ini$$999.TMP", vorElf}, {"vkr$$6.TMP", vorNeun},
                     {"vkr$$007.TMP", vorElf}, {"vkr$$5.tmp", vorElf},   {"anders.TMP", vorElf}};
        for (const auto& r : reste) {
            DateiSchreiben(Pfad(r.name), "rest");
            fs::last_write_time(Pfad(r.name), r.zeit);
        }
        EXPECT_EQ(s.schreiben(Pfad("ziel")), 0);
        // Only the program's own names, and only the old ones.
        EXPECT_EQ(Dateinamen(ordner.path()),
                  (QStringList{"anders.TMP", "vkr$$007.TMP", "vkr$$5.tmp", "vkr$$6.TMP", "ziel"}));
        for (const QString& name : Dateinamen(ordner.path()))
            fs::remove(Pfad(name.toStdString()));
    }
}

} // namespace
