#pragma once
// What the disc tests share: a bundle laid out as scripts/bundle lays it out, made of
// the build's own programs; a folder tree read back whole; a disc image read back
// with libisofs.

#include "support/scratch_folder.h"

#include <map>
#include <string>
#include <sys/types.h>

// bin/vitrina-kit (the build's kit, hard-linked, so it knows itself to be in a bundle),
// bin/qt.conf, share/vitrina/autorun.sh, and bin/vitrina as a stand-in that appends the
// folder it runs in to the file $VITRINA_TEST_RECORD; beside it vitrina-windows/ with
// bin/vitrina.exe and bin/qt.conf.
class TTestBundle {
public:
    // WithOffscreenPlugin links Qt's offscreen platform plugin in, for `shot`.
    enum TPlugins { NoPlugins, WithOffscreenPlugin };
    explicit TTestBundle(TPlugins plugins = NoPlugins);
    std::string Root() const { return FFolder / "vitrina"; }
    // A stand-in for the Windows bundle, where scripts/bundle --windows leaves it.
    std::string WindowsRoot() const { return FFolder / "vitrina-windows"; }
    std::string Kit() const { return Root() + "/bin/vitrina-kit"; }

private:
    TScratchFolder FFolder;
};

struct TTreeFile {
    bool IsFolder = false;
    bool IsLink = false;
    mode_t Mode = 0; // permission bits
    std::string Bytes; // a file's content, a link's target
    bool operator==(const TTreeFile&) const = default;
};

// Every file and folder under root by its "/"-separated relative path.
using TTree = std::map<std::string, TTreeFile>;
TTree ReadTree(const std::string& root);

struct TIsoContents {
    std::string VolumeId;
    TTree Files; // the Rock Ridge names, modes and contents
};
TIsoContents ReadIso(const std::string& image);

// The output of `command` run by the shell, and its exit status.
struct TShellRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};
TShellRun RunShell(const TScratchFolder& scratch, const std::string& command);

// Single quotes for the shell.
std::string Quoted(const std::string& text);
