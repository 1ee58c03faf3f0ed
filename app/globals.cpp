#include "app/globals.h"

int gPanelHandle = 0;
int gCompanelHandle = 0;
int gInfopanelHandle = 0;
int gPasswortok = 0;
int gSprache = SPRACHE_DEUTSCH;
int gSpracheNeu = SPRACHE_DEUTSCH;
Extraeinstellungen gExtras;
Berichtstexte gBerichtstexte;
