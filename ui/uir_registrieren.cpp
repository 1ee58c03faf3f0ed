// Hands the definition to the run-time; the only part of ui/ that needs the widgets.
#include "ui/vkr3xsteuerung_uir.h"

void UirRegistrieren() {
    RegisterDefinitionFile(&Vkr3xSteuerungUir());
}
