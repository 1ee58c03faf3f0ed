#pragma once
// Makes every write beyond a file size fail for as long as the object lives, the way a full
// disk does. Tests run as root, whom permissions do not stop; the size limit binds everyone.

#include <csignal>
#include <sys/resource.h>

class Dateigroessengrenze {
  public:
    explicit Dateigroessengrenze(rlim_t bytes) {
        // A write past the limit then fails with EFBIG instead of ending the process.
        vorherSignal = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &vorher);
        rlimit grenze = vorher;
        grenze.rlim_cur = bytes;
        gesetzt = setrlimit(RLIMIT_FSIZE, &grenze) == 0;
    }
    ~Dateigroessengrenze() {
        setrlimit(RLIMIT_FSIZE, &vorher);
        std::signal(SIGXFSZ, vorherSignal);
    }
    Dateigroessengrenze(const Dateigroessengrenze&) = delete;
    Dateigroessengrenze& operator=(const Dateigroessengrenze&) = delete;

    bool gesetzt = false;

  private:
    rlimit vorher{};
    void (*vorherSignal)(int) = SIG_DFL;
};
