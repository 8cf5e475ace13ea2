#include "staged_output.h"

#include "platform/exceptions.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace fs = std::filesystem;

TStagedOutput::TStagedOutput(const fs::path& target, TKind kind) : FTarget(target), FKind(kind) {
    if (kind == Folder) {
        // Hidden, as a folder a file manager shows while it is being written would be taken for the
        // disc.
        FPath = (target.parent_path() / ("." + target.filename().string() + ".partial-XXXXXX"))
                    .string();
        std::error_code ignored;
        fs::create_directories(target.parent_path(), ignored);
        if (!mkdtemp(FPath.data()))
            throw Exception(target.parent_path().string() + ": cannot be written (" +
                            std::strerror(errno) + ")");
    } else {
        FPath = target.string() + ".partial-XXXXXX";
        FDescriptor = mkstemp(FPath.data());
        if (FDescriptor < 0) Fail(std::strerror(errno));
    }
}

TStagedOutput::~TStagedOutput() {
    if (FDescriptor >= 0) close(FDescriptor);
    if (!FCommitted) Remove();
}

int TStagedOutput::TakeDescriptor() {
    int descriptor = FDescriptor;
    FDescriptor = -1;
    return descriptor;
}

void TStagedOutput::Commit(fs::perms permissions) {
    std::error_code ignored;
    fs::permissions(FPath, permissions, ignored);
    if (std::rename(FPath.c_str(), FTarget.c_str()) != 0) Fail(std::strerror(errno));
    FCommitted = true;
}

void TStagedOutput::Fail(const std::string& reason) const {
    throw Exception(FTarget.string() + ": cannot be written (" + reason + ")");
}

void TStagedOutput::Remove() {
    std::error_code ec;
    if (FKind == File) {
        fs::remove(FPath, ec);
        return;
    }
    // What was copied read-only must be writable again to be removed.
    for (auto it = fs::recursive_directory_iterator(FPath, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(FPath, ec);
}
