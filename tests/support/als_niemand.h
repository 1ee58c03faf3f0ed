#pragma once
// File access checked as an unprivileged user, for the calling thread only (the file-system
// ids): as root every mode would let the access through, so a refusal would never be seen.
// Without root the ids cannot change and the test's own user is checked, who is unprivileged.

#include <sys/fsuid.h>

constexpr int NIEMAND = 65534;

struct AlsNiemand {
    AlsNiemand() {
        setfsgid(NIEMAND);
        setfsuid(NIEMAND);
    }
    ~AlsNiemand() {
        setfsuid(0);
        setfsgid(0);
    }
    AlsNiemand(const AlsNiemand&) = delete;
    AlsNiemand& operator=(const AlsNiemand&) = delete;
};
