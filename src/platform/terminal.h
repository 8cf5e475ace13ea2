#pragma once
// The command-line side of a program: its arguments and its standard streams.

#include <string>
#include <vector>

// The program's arguments as UTF-8, whatever the system handed main(): Windows' narrow
// argv is in the ANSI code page and loses every name it cannot show.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Standard output and error carry bytes as written, "\n" included: a report is the
// same file on every system.
void UseBinaryStandardStreams();

// Whether standard error is a terminal a person reads.
bool StandardErrorIsTerminal();
