#pragma once
// One complete live-value query as an observer sees it, free of any user interface: the trend
// window and the recorder hang on it. At most one observer; none costs nothing but a test.

constexpr double STROMAKTIV_UNBEKANNT = 3.0; // neither current 1 nor current 2: no answer

struct Istwertprobe {
    double strom;      // actual current, A
    double spannung;   // actual voltage, V
    int status;        // status word
    double stromaktiv; // active current of this query: 1.0 current 1, 2.0 current 2, else not
                       // reported (STROMAKTIV_UNBEKANNT when the regulator did not answer it)
    int kompatibel;    // compatibility-mode flag
};

using IstwertBeobachter = void (*)(const Istwertprobe& probe);

// Installs the observer called after every successful live-value query; nullptr removes it.
void IstwertBeobachterSetzen(IstwertBeobachter beobachter);
// Hands a probe to the observer, if one is installed.
void IstwertprobeMelden(const Istwertprobe& probe);
