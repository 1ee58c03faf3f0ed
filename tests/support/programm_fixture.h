#pragma once
// Starts the program's panels in the test process the way the program starts, without running
// the event loop, and answers every popup through the hook. Each test runs in a fresh working
// directory, so the settings file that start and end read and write is its own.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/globals.h"
#include "app/start.h"
#include "platform/popup_hook.h"
#include "platform/ui.h"

class ProgrammTest : public ::testing::Test {
  protected:
    // Language of the run, decided before the panels are loaded.
    virtual int Sprache() const { return SPRACHE_DEUTSCH; }

    void SetUp() override {
        ASSERT_TRUE(arbeitsverzeichnis.isValid());
        vorherigesVerzeichnis = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(arbeitsverzeichnis.path()));
        // Backups and other data of the user stay in the test's directory.
        qputenv("XDG_DATA_HOME", QFile::encodeName(arbeitsverzeichnis.filePath("daten")));
        PopupHook_Activate();
        gSprache = Sprache();
        gSpracheNeu = Sprache();
        gPasswortok = 0;
        char name[] = "vkr3xsteuerung";
        char* argv[] = {name, nullptr};
        ASSERT_EQ(ProgrammStarten(1, argv), 0);
    }
    void TearDown() override {
        ProgrammBeenden();
        PopupHook_Deactivate();
        QDir::setCurrent(vorherigesVerzeichnis);
        qunsetenv("XDG_DATA_HOME");
    }

    QTemporaryDir arbeitsverzeichnis;
    QString vorherigesVerzeichnis;

    static int Sichtbar(int control) {
        int v = -1;
        GetCtrlAttribute(gPanelHandle, control, ATTR_VISIBLE, &v);
        return v;
    }
    static double Wert(int control) {
        double v = -999.0;
        GetCtrlVal(gPanelHandle, control, &v);
        return v;
    }
    static int Ganzzahl(int control) {
        int v = -999;
        GetCtrlVal(gPanelHandle, control, &v);
        return v;
    }
};
