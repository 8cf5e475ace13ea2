// vitrina-kit: the companion command line of Vitrina for disc authors, tests and
// benchmarks. Usage: vitrina-kit COMMAND [ARGS...]

#include "kit_commands.h"

#include "platform/terminal.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace {

struct TKitCommand {
    const char* Name;
    const char* Usage;
    int (*Run)(std::span<char*> args);
};

// Add new commands here, one line each, with their Run function in their own file.
const TKitCommand kCommands[] = {
    {"brand-check", "brand-check DIR   check a brand folder for pack --brand; every problem at once",
     &RunBrandCheckCommand},
    {"catalogue",
     "catalogue [--summary] [DIR]   records and categories of DIR/db\\base.txt as JSON",
     &RunCatalogueCommand},
    {"check", "check [DIR] [--json]   the problems a person at the disc would meet, line by line",
     &RunCheckCommand},
    {"form", "form FILE.form [--png OUT] [--screen-png OUT] [--wait MS]   show a window from a form description",
     &RunFormCommand},
    {"screen-png", "screen-png OUT [--wait MS]   a picture of the whole display", &RunScreenPngCommand},
    {"shot", "shot [-C DIR] [--screen WxH] [--dpi N] [SCRIPT]   run the launcher headless and replay a script",
     &RunShotCommand},
    {"pack", "pack DISC OUT [--iso IMAGE.iso] [--label LABEL] [--brand DIR]   a disc folder with Vitrina and autorun.sh, and its image",
     &RunPackCommand},
    {"picture", "picture FILE [--decode]   load a picture as the launcher does; print its type and size",
     &RunPictureCommand},
    {"skin", "skin [--ini FILE]   the skin data as JSON: the launcher's skin, or one imported from FILE's folder",
     &RunSkinCommand},
};

int Usage(std::FILE* to) {
    std::fprintf(to, "usage: vitrina-kit COMMAND [ARGS...]\ncommands:\n");
    for (const TKitCommand& command : kCommands)
        std::fprintf(to, "  %s\n", command.Usage);
    return to == stdout ? 0 : 2;
}

} // namespace

int main(int argc, char** rawArgv) {
    UseBinaryStandardStreams();
    std::vector<std::string> arguments = CommandLineArguments(argc, rawArgv);
    std::vector<char*> argvStore;
    for (std::string& argument : arguments)
        argvStore.push_back(argument.data());
    argvStore.push_back(nullptr);
    argc = int(arguments.size());
    char** argv = argvStore.data();
    if (argc < 2) return Usage(stderr);
    if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "help")) return Usage(stdout);
    for (const TKitCommand& command : kCommands)
        if (!std::strcmp(argv[1], command.Name)) {
            // A disc's files can be larger than memory (a link to a device, a vast catalogue).
            try {
                return command.Run(std::span<char*>(argv + 2, argc - 2));
            } catch (const std::bad_alloc&) {
                std::fprintf(stderr, "Out of memory.\n");
                return 1;
            }
        }
    std::fprintf(stderr, "vitrina-kit: unknown command '%s'\n", argv[1]);
    return Usage(stderr);
}
