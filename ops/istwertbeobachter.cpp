#include "ops/istwertbeobachter.h"

namespace {
IstwertBeobachter gBeobachter = nullptr;
}

void IstwertBeobachterSetzen(IstwertBeobachter beobachter) {
    gBeobachter = beobachter;
}

void IstwertprobeMelden(const Istwertprobe& probe) {
    if (gBeobachter) gBeobachter(probe);
}
