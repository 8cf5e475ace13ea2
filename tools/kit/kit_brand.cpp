// vitrina-kit brand-check DIR: checks a brand folder the way pack --brand does, and
// reports every problem at once.

#include "brand_folder.h"
#include "kit_commands.h"

#include <cstdio>
#include <string>

int RunBrandCheckCommand(std::span<char*> args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: vitrina-kit brand-check DIR\n");
        return 2;
    }
    TBrandCheck check = CheckBrandFolder(args[0]);
    if (!check.Problems.empty()) {
        std::fprintf(stderr, "vitrina-kit brand-check: %s: %zu problem%s:\n", args[0], check.Problems.size(),
                     check.Problems.size() == 1 ? "" : "s");
        for (const std::string& problem : check.Problems) std::fprintf(stderr, "  %s\n", problem.c_str());
        return 1;
    }
    std::string parts;
    for (const auto& [name, bytes] : check.Converted) parts += (parts.empty() ? "" : ", ") + name;
    std::printf("brand-check: %s: a brand of %s\n", args[0], parts.empty() ? "nothing" : parts.c_str());
    return 0;
}
