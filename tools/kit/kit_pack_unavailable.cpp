// pack on Windows: a disc is made on Linux, where the Linux programs' file modes and the
// image's Rock Ridge entries can be written as they must be.

#include "kit_commands.h"

#include <cstdio>

int RunPackCommand(std::span<char*>) {
    std::fprintf(stderr, "vitrina-kit pack: discs are made on Linux; run pack there (see the README, \"Windows\")\n");
    return 2;
}
