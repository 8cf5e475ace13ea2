#include "iso_image.h"
#include "staged_output.h"

#include "platform/exceptions.h"

// The burn source is declared in full only for programs without libburn, like this one.
#define LIBISOFS_WITHOUT_LIBBURN yes
#include <libisofs/libisofs.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <unistd.h>

namespace {

// libisofs keeps its messages in a queue; the newest serious one says what failed.
std::string LastIsoMessage(int code) {
    char severity[80] = {};
    char text[4096] = {};
    int errorCode = 0, imageId = 0;
    std::string last;
    char minimum[] = "SORRY";
    while (iso_obtain_msgs(minimum, &errorCode, &imageId, text, severity) > 0) last = text;
    return last.empty() ? iso_error_to_msg(code) : last;
}

[[noreturn]] void Fail(const std::string& what, int code) {
    throw Exception(what + ": " + LastIsoMessage(code));
}

struct TIsoLibrary {
    TIsoLibrary() {
        if (iso_init() < 0) throw Exception("libisofs cannot start");
        // The tree's names are UTF-8 whatever the locale of the person packing.
        char utf8[] = "UTF-8";
        iso_set_local_charset(utf8, 0);
        char queue[] = "SORRY", print[] = "NEVER", prefix[] = "libisofs: ";
        iso_set_msgs_severities(queue, print, prefix);
    }
    ~TIsoLibrary() { iso_finish(); }
};

struct TImageRelease {
    void operator()(IsoImage* image) const { iso_image_unref(image); }
};
struct TOptionsRelease {
    void operator()(IsoWriteOpts* options) const { iso_write_opts_free(options); }
};
struct TSourceRelease {
    void operator()(burn_source* source) const {
        source->free_data(source);
        std::free(source);
    }
};

// Read-only for everyone on the disc; what could be run stays runnable.
void MakeReadOnly(IsoDir* dir) {
    IsoDirIter* iter = nullptr;
    if (iso_dir_get_children(dir, &iter) < 0) return;
    IsoNode* node = nullptr;
    while (iso_dir_iter_next(iter, &node) == 1) {
        if (iso_node_get_type(node) == LIBISO_DIR) {
            MakeReadOnly(reinterpret_cast<IsoDir*>(node));
        } else {
            mode_t mode = iso_node_get_permissions(node);
            iso_node_set_permissions(node, (mode & 0111) ? 0555 : 0444);
        }
    }
    iso_dir_iter_free(iter);
}

IsoWriteOpts* NewWriteOptions() {
    IsoWriteOpts* options = nullptr;
    // Rock Ridge and Joliet, folders 0555, owners root; files keep the modes
    // MakeReadOnly gave them.
    int code = iso_write_opts_new(&options, 2);
    if (code < 0) Fail("image options", code);
    iso_write_opts_set_replace_mode(options, 1, 0, 1, 1);
    // Level 3 splits files over 4 GiB into several extents.
    iso_write_opts_set_iso_level(options, 3);
    iso_write_opts_set_joliet_longer_paths(options, 1);
    iso_write_opts_set_joliet_long_names(options, 1);
    iso_write_opts_set_joliet_utf16(options, 1);
    return options;
}

} // namespace

void WriteIsoImage(const std::string& folder, const std::string& imagePath, const std::string& label) {
    TIsoLibrary library;
    IsoImage* rawImage = nullptr;
    int code = iso_image_new(label.c_str(), &rawImage);
    if (code < 0) Fail("image", code);
    std::unique_ptr<IsoImage, TImageRelease> image(rawImage);
    iso_tree_set_follow_symlinks(image.get(), 0);
    iso_tree_set_ignore_hidden(image.get(), 0);
    iso_image_set_ignore_aclea(image.get(), 3);
    code = iso_tree_add_dir_rec(image.get(), iso_image_get_root(image.get()), folder.c_str());
    if (code < 0) Fail(folder, code);
    MakeReadOnly(iso_image_get_root(image.get()));

    std::unique_ptr<IsoWriteOpts, TOptionsRelease> options(NewWriteOptions());
    burn_source* rawSource = nullptr;
    code = iso_image_create_burn_source(image.get(), options.get(), &rawSource);
    if (code < 0) Fail(imagePath, code);
    std::unique_ptr<burn_source, TSourceRelease> source(rawSource);
    const off_t expected = source->get_size(source.get());

    TStagedOutput partial(imagePath, TStagedOutput::File);
    int fd = partial.TakeDescriptor();
    std::FILE* out = fdopen(fd, "wb");
    bool ok = out != nullptr;
    std::string reason = ok ? "" : std::strerror(errno);
    off_t written = 0;
    unsigned char block[2048];
    while (ok && source->read_xt(source.get(), block, sizeof block) == int(sizeof block)) {
        ok = std::fwrite(block, 1, sizeof block, out) == sizeof block;
        if (!ok) reason = std::strerror(errno);
        written += off_t(sizeof block);
    }
    if (!ok) source->cancel(source.get());
    if (out) {
        if (ok && (std::fflush(out) != 0 || fsync(fileno(out)) != 0)) ok = false, reason = std::strerror(errno);
        if (std::fclose(out) != 0 && ok) ok = false, reason = std::strerror(errno);
    } else {
        close(fd);
    }
    // A file that could not be read ends the data early.
    if (ok && written != expected) ok = false, reason = LastIsoMessage(ISO_FILE_READ_ERROR);
    if (!ok) partial.Fail(reason);
    partial.Commit(std::filesystem::perms(0644));
}
