#pragma once
// A file or folder written under a temporary name beside its final place and renamed
// onto it in one step when complete, so nothing half-written is ever left under the
// final name. Whatever is not committed is removed when this goes.

#include <filesystem>
#include <string>

class TStagedOutput {
public:
    enum TKind { File, Folder };
    // Makes the temporary file or folder; raises Exception "target: cannot be written (why)".
    TStagedOutput(const std::filesystem::path& target, TKind kind);
    ~TStagedOutput();
    TStagedOutput(const TStagedOutput&) = delete;
    TStagedOutput& operator=(const TStagedOutput&) = delete;

    const std::string& Path() const { return FPath; }
    // The temporary file's descriptor, open for writing; the caller closes it.
    int TakeDescriptor();
    // Gives the output its permissions and puts it in place; raises as the constructor.
    void Commit(std::filesystem::perms permissions);
    [[noreturn]] void Fail(const std::string& reason) const;

private:
    void Remove();

    std::filesystem::path FTarget;
    TKind FKind;
    std::string FPath;
    int FDescriptor = -1;
    bool FCommitted = false;
};
