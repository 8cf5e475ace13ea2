#include "platform/terminal.h"

#include <unistd.h>

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

void UseBinaryStandardStreams() {}

bool StandardErrorIsTerminal() { return ::isatty(STDERR_FILENO); }
