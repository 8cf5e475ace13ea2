#pragma once
// vitrina-kit run as a disc author runs it, its output and status collected.
// Tests that use it define VITRINA_KIT as the kit's path.

#include "support/scratch_folder.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

struct TKitRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// Runs `vitrina-kit ARGS` (ARGS quoted by the caller) with its output in `scratch`, under
// the given locale whatever the environment's. A kit that has not ended by the deadline
// is killed and the status is 124, so a hang fails its test instead of the suite.
inline TKitRun RunKit(const TScratchFolder& scratch, const std::string& args,
                      const std::string& locale = "C.UTF-8", int deadlineSeconds = 300) {
    std::string command = "LC_ALL='" + locale + "' timeout -k 5 " + std::to_string(deadlineSeconds) + " '" +
                          VITRINA_KIT + "' " + args + " >'" + (scratch / "out") + "' 2>'" + (scratch / "err") + "'";
    TKitRun run;
    int status = std::system(command.c_str());
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Out = ReadWholeFile(scratch / "out");
    run.Err = ReadWholeFile(scratch / "err");
    return run;
}
