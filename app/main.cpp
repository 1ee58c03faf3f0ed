#include "app/start.h"

int main(int argc, char* argv[]) {
    return Vkr3xSteuerungMain(argc, argv);
}
