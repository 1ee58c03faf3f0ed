#pragma once
// Starts the program's panels in the test process the way the program starts, without running
// the event loop, and answers every popup through the hook.
#include <gtest/gtest.h>

#include "app/globals.h"
#include "app/start.h"
#include "platform/popup_hook.h"
#include "platform/ui.h"

class ProgrammTest : public ::testing::Test {
  protected:
    // Language of the run, decided before the panels are loaded.
    virtual int Sprache() const { return SPRACHE_DEUTSCH; }

    void SetUp() override {
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
    }

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
