#pragma once
// The subcommands of vitrina-kit. Each lives in its own kit_<name>.cpp and gets the
// arguments after its name; it returns the process exit status.

#include <span>

int RunBrandCheckCommand(std::span<char*> args);
int RunCatalogueCommand(std::span<char*> args);
int RunCheckCommand(std::span<char*> args);
int RunFormCommand(std::span<char*> args);
int RunPackCommand(std::span<char*> args);
int RunPictureCommand(std::span<char*> args);
int RunSkinCommand(std::span<char*> args);
int RunShotCommand(std::span<char*> args);
int RunScreenPngCommand(std::span<char*> args);
