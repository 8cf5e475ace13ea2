#pragma once
// vitrina-kit run as a disc author runs it, its output and status collected.
// Tests that use it define VITRINA_KIT as the kit's path; the variable VITRINA_KIT names
// another kit to run instead (a bundle's, built against its own Qt).

#include "support/process_runner.h"
#include "support/scratch_folder.h"

#include <cstdlib>
#include <string>

using TKitRun = TProcessRun;

// Runs `vitrina-kit ARGS` (words split as a shell would, see ShellWords) under the given
// locale whatever the environment's, from folder (the test's own when empty).
inline TKitRun RunKit(const std::string& args, const std::string& locale = "C.UTF-8",
                      int deadlineSeconds = 300, const std::string& folder = {}) {
    TProcessOptions options;
    options.Environment = {{"LC_ALL", locale}};
    options.DeadlineSeconds = deadlineSeconds;
    options.WorkingFolder = folder;
    const char* other = std::getenv("VITRINA_KIT");
    return RunProgram(other && *other ? other : VITRINA_KIT, ShellWords(args), options);
}
