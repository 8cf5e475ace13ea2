#include "disc/disc_support.h"

#include "support/scratch_folder.h"

#include <libisofs/libisofs.h>

#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

void LinkOrCopy(const std::string& from, const std::string& to) {
    if (::link(from.c_str(), to.c_str()) != 0) fs::copy_file(from, to);
}

std::string ReadLink(const std::string& path) {
    char target[4096];
    ssize_t n = ::readlink(path.c_str(), target, sizeof target);
    return n < 0 ? std::string() : std::string(target, size_t(n));
}

void ReadFolder(const std::string& root, const std::string& relative, TTree& tree) {
    std::string folder = relative.empty() ? root : root + "/" + relative;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) throw std::runtime_error("cannot read " + folder);
    while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        std::string rel = relative.empty() ? name : relative + "/" + name;
        std::string path = root + "/" + rel;
        struct stat info;
        ::lstat(path.c_str(), &info);
        TTreeFile file;
        file.Mode = info.st_mode & 07777;
        if (S_ISLNK(info.st_mode)) {
            file.IsLink = true;
            file.Bytes = ReadLink(path);
        } else if (S_ISDIR(info.st_mode)) {
            file.IsFolder = true;
            ReadFolder(root, rel, tree);
        } else {
            file.Bytes = ReadWholeFile(path);
        }
        tree[rel] = file;
    }
    ::closedir(dir);
}

std::string ReadStream(IsoFile* file) {
    IsoStream* stream = iso_file_get_stream(file);
    std::string bytes;
    if (iso_stream_open(stream) < 0) return "<unreadable>";
    char buffer[65536];
    for (int n; (n = iso_stream_read(stream, buffer, sizeof buffer)) > 0;) bytes.append(buffer, size_t(n));
    iso_stream_close(stream);
    return bytes;
}

void ReadIsoFolder(IsoDir* dir, const std::string& relative, TTree& tree) {
    IsoDirIter* iter = nullptr;
    iso_dir_get_children(dir, &iter);
    IsoNode* node = nullptr;
    while (iso_dir_iter_next(iter, &node) == 1) {
        std::string rel = (relative.empty() ? "" : relative + "/") + iso_node_get_name(node);
        TTreeFile file;
        file.Mode = iso_node_get_permissions(node) & 07777;
        switch (iso_node_get_type(node)) {
        case LIBISO_DIR:
            file.IsFolder = true;
            ReadIsoFolder(reinterpret_cast<IsoDir*>(node), rel, tree);
            break;
        case LIBISO_FILE: file.Bytes = ReadStream(reinterpret_cast<IsoFile*>(node)); break;
        case LIBISO_SYMLINK:
            file.IsLink = true;
            file.Bytes = iso_symlink_get_dest(reinterpret_cast<IsoSymlink*>(node));
            break;
        default: file.Bytes = "<special>"; break;
        }
        tree[rel] = file;
    }
    iso_dir_iter_free(iter);
}

} // namespace

TTestBundle::TTestBundle(TPlugins plugins) {
    std::string bin = FFolder.MakeFolder("vitrina/bin");
    std::string share = FFolder.MakeFolder("vitrina/share/vitrina");
    LinkOrCopy(VITRINA_KIT, bin + "/vitrina-kit");
    // Packing only carries the program; a small stand-in keeps the copies quick.
    std::ofstream(bin + "/vitrina") << "#!/bin/sh\necho \"$(pwd)\" >>\"$VITRINA_TEST_RECORD\"\n";
    fs::permissions(bin + "/vitrina", fs::perms(0755));
    fs::copy_file(std::string(VITRINA_SOURCE_DIR) + "/cmake/bundle/qt.conf", bin + "/qt.conf");
    fs::copy_file(std::string(VITRINA_SOURCE_DIR) + "/resources/autorun.sh", share + "/autorun.sh");
    // The Windows bundle where scripts/bundle --windows leaves it, beside; pack only copies it.
    std::string windowsBin = FFolder.MakeFolder("vitrina-windows/bin");
    std::ofstream(windowsBin + "/vitrina.exe") << "MZ stand-in";
    fs::copy_file(std::string(VITRINA_SOURCE_DIR) + "/cmake/bundle/qt.conf", windowsBin + "/qt.conf");
    if (plugins == WithOffscreenPlugin) {
        std::string platforms = FFolder.MakeFolder("vitrina/plugins/platforms");
        fs::create_symlink(VITRINA_QT_PLUGINS "/platforms/libqoffscreen.so", platforms + "/libqoffscreen.so");
    }
}

TTree ReadTree(const std::string& root) {
    TTree tree;
    ReadFolder(root, "", tree);
    return tree;
}

TIsoContents ReadIso(const std::string& image) {
    TIsoContents contents;
    iso_init();
    IsoDataSource* source = nullptr;
    IsoReadOpts* options = nullptr;
    IsoImage* iso = nullptr;
    IsoReadImageFeatures* features = nullptr;
    if (iso_data_source_new_from_file(image.c_str(), &source) < 0) throw std::runtime_error("cannot open " + image);
    iso_read_opts_new(&options, 0);
    char utf8[] = "UTF-8";
    iso_read_opts_set_input_charset(options, utf8);
    iso_set_local_charset(utf8, 0);
    iso_image_new("", &iso);
    if (iso_image_import(iso, source, options, &features) < 0) throw std::runtime_error("cannot read " + image);
    contents.VolumeId = iso_image_get_volume_id(iso) ? iso_image_get_volume_id(iso) : "";
    ReadIsoFolder(iso_image_get_root(iso), "", contents.Files);
    iso_read_image_features_destroy(features);
    iso_image_unref(iso);
    iso_read_opts_free(options);
    iso_data_source_unref(source);
    iso_finish();
    return contents;
}

TShellRun RunShell(const TScratchFolder& scratch, const std::string& command) {
    std::string full = "( " + command + " ) >'" + (scratch / "shell-out") + "' 2>'" + (scratch / "shell-err") + "'";
    int status = std::system(full.c_str());
    TShellRun run;
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Out = ReadWholeFile(scratch / "shell-out");
    run.Err = ReadWholeFile(scratch / "shell-err");
    return run;
}

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}
