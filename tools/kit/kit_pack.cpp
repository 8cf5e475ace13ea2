// vitrina-kit pack DISC OUT [--iso IMAGE.iso] [--label LABEL] [--brand DIR]
// Makes a disc folder from a disc author's folder: the author's files as they are, the
// bundle this kit runs from in a hidden folder (with a publisher's brand, if given),
// and autorun.sh at the root; with --iso also a disc image of it. Run from a bundle
// (scripts/bundle): it carries itself.

#include "brand_folder.h"
#include "disc_tree.h"
#include "iso_image.h"
#include "volume_label.h"
#include "kit_commands.h"

#include "catalogue/catalogue.h"
#include "launcher/brand.h"
#include "platform/exceptions.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr char BundleFolder[] = ".vitrina";
constexpr char AutorunName[] = "autorun.sh";
// Where the launcher looks for a brand, inside the bundle.
const std::string CarriedBrand = std::string("share/vitrina/") + brand_files::Folder;

struct TPackOptions {
    std::string Disc;
    std::string Out;
    std::string Image;
    std::string Label;
    std::string Brand;
};

struct TRefusal {
    std::string Text;
};

bool ParseOptions(std::span<char*> args, TPackOptions& options) {
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if ((arg == "--iso" || arg == "--label" || arg == "--brand") && i + 1 < args.size()) {
            (arg == "--iso" ? options.Image : arg == "--label" ? options.Label : options.Brand) = args[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            return false;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2) return false;
    options.Disc = positional[0];
    options.Out = positional[1];
    return !options.Disc.empty() && !options.Out.empty() && !(options.Image.empty() && !options.Label.empty());
}

// The bundle this kit runs from: bin/vitrina-kit beside bin/vitrina and bin/qt.conf.
fs::path OwnBundle() {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    fs::path bin = self.parent_path();
    if (ec || !fs::is_regular_file(bin / "vitrina") || !fs::is_regular_file(bin / "qt.conf"))
        throw TRefusal{"pack carries the bundle it runs from, and " + self.string() +
                       " is not in one; make one with scripts/bundle and run its bin/vitrina-kit"};
    return bin.parent_path();
}

bool IsInside(const fs::path& path, const fs::path& folder) {
    auto [end, at] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return end == folder.end();
}

fs::path Absolute(const std::string& path) {
    fs::path absolute = fs::weakly_canonical(fs::absolute(path));
    return absolute.has_filename() ? absolute : absolute.parent_path();
}

void CheckCatalogue(const std::string& disc) {
    TCatalogue catalogue(disc);
    try {
        catalogue.LoadCatalogue();
        catalogue.SplitRecords();
        catalogue.BuildCategoryIndex();
    } catch (const Exception& e) {
        throw TRefusal{disc + ": its catalogue db\\base.txt cannot be read; Vitrina would say: " + e.Message() + "."};
    }
}

void CheckPlaces(const TPackOptions& options) {
    fs::path disc = Absolute(options.Disc);
    if (!fs::is_directory(disc)) throw TRefusal{options.Disc + " is not a folder"};
    fs::path out = Absolute(options.Out);
    if (IsInside(out, disc)) throw TRefusal{options.Out + " lies inside the disc folder " + options.Disc};
    std::error_code ec;
    if (fs::exists(fs::symlink_status(out, ec)) && !(fs::is_directory(out) && fs::is_empty(out, ec)))
        throw TRefusal{options.Out + " exists and is not an empty folder"};
    if (options.Image.empty()) return;
    fs::path image = Absolute(options.Image);
    if (IsInside(image, disc) || IsInside(image, out))
        throw TRefusal{"the image " + options.Image + " would lie inside " + (IsInside(image, disc) ? options.Disc : options.Out)};
    if (fs::exists(fs::symlink_status(image, ec))) throw TRefusal{options.Image + " exists; pack does not overwrite it"};
}

// A disc packed before holds our bundle and autorun.sh at its root: packing it again
// replaces them. Other autorun files of a disc's own would be run instead of ours.
std::function<bool(const std::string&)> OwnFilesOf(const fs::path& disc) {
    bool packedBefore = fs::is_regular_file(disc / BundleFolder / "bin" / "vitrina");
    for (const char* name : {AutorunName, "autorun", ".autorun"}) {
        std::error_code ec;
        if (fs::exists(fs::symlink_status(disc / name, ec)) && !(packedBefore && name == std::string(AutorunName)))
            throw TRefusal{(disc / name).string() + " would start instead of Vitrina; remove it from the disc folder"};
    }
    return [packedBefore](const std::string& relative) {
        return packedBefore && (relative == BundleFolder || relative == AutorunName);
    };
}

std::vector<TTreeEntry> ScanOrRefuse(const std::string& root, const std::function<bool(const std::string&)>& skip,
                                     const std::string& what) {
    TTreeScan scan = ScanTree(root, skip);
    if (scan.Problems.empty()) return std::move(scan.Entries);
    std::string text = what + " cannot go onto a disc as it is; nothing was written:";
    for (const std::string& problem : scan.Problems) text += "\n  " + problem;
    throw TRefusal{text};
}

// Writes the disc folder beside OUT and puts it in place in one step at the end.
void WriteDiscFolder(const std::vector<TTreeEntry>& disc, const std::vector<TTreeEntry>& bundle,
                     const fs::path& autorun, const TBrandCheck* brand, const fs::path& out) {
    std::string staging = (out.parent_path() / ("." + out.filename().string() + ".partial-XXXXXX")).string();
    std::error_code ec;
    fs::create_directories(out.parent_path(), ec);
    if (!mkdtemp(staging.data()))
        throw Exception(out.parent_path().string() + ": cannot be written (" + std::strerror(errno) + ")");
    try {
        CopyTree(disc, staging);
        fs::create_directory(fs::path(staging) / BundleFolder);
        CopyTree(bundle, staging + "/" + BundleFolder);
        if (brand) WriteConvertedBrand(*brand, staging + "/" + BundleFolder + "/" + CarriedBrand);
        fs::copy_file(autorun, fs::path(staging) / AutorunName);
        fs::permissions(fs::path(staging) / AutorunName, fs::perms(0755));
        fs::permissions(staging, fs::perms(0755));
        if (std::rename(staging.c_str(), out.c_str()) != 0)
            throw Exception(out.string() + ": cannot be written (" + std::strerror(errno) + ")");
    } catch (...) {
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(staging, ec); !ec && it != fs::recursive_directory_iterator();
             it.increment(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(staging, ec);
        throw;
    }
}

std::string Megabytes(std::uintmax_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", double(bytes) / 1e6);
    return text;
}

} // namespace

int RunPackCommand(std::span<char*> args) {
    TPackOptions options;
    if (!ParseOptions(args, options)) {
        std::fprintf(stderr, "usage: vitrina-kit pack DISC OUT [--iso IMAGE.iso] [--label LABEL] [--brand DIR]\n");
        return 2;
    }
    try {
        fs::path bundle = OwnBundle();
        CheckPlaces(options);
        CheckCatalogue(options.Disc);
        fs::path disc = Absolute(options.Disc);
        std::string label = MakeVolumeLabel(options.Label.empty() ? disc.filename().string() : options.Label);
        std::vector<TTreeEntry> discEntries = ScanOrRefuse(disc.string(), OwnFilesOf(disc), options.Disc);
        // The whole brand is checked before anything is written; it replaces one the
        // bundle may carry already.
        std::unique_ptr<TBrandCheck> brand;
        if (!options.Brand.empty()) {
            brand = std::make_unique<TBrandCheck>(CheckBrandFolder(options.Brand));
            if (!brand->Problems.empty()) {
                std::string text = "the brand " + options.Brand + " cannot be used; nothing was written:";
                for (const std::string& problem : brand->Problems) text += "\n  " + problem;
                throw TRefusal{text};
            }
        }
        auto ownBrand = [&](const std::string& relative) { return brand && relative == CarriedBrand; };
        std::vector<TTreeEntry> bundleEntries = ScanOrRefuse(bundle.string(), ownBrand, "The bundle " + bundle.string());

        fs::path out = Absolute(options.Out);
        WriteDiscFolder(discEntries, bundleEntries, bundle / "share" / "vitrina" / AutorunName, brand.get(), out);
        std::uintmax_t bytes = 0;
        for (const auto* entries : {&discEntries, &bundleEntries})
            for (const TTreeEntry& entry : *entries) bytes += entry.Size;
        std::printf("pack: %s: %zu files and folders of the disc, Vitrina in %s, %s\n", options.Out.c_str(),
                    discEntries.size(), BundleFolder, Megabytes(bytes).c_str());
        if (!options.Image.empty()) {
            WriteIsoImage(out.string(), Absolute(options.Image).string(), label);
            std::printf("pack: %s: disc image, label %s, %s\n", options.Image.c_str(), label.c_str(),
                        Megabytes(fs::file_size(options.Image)).c_str());
        }
    } catch (const TRefusal& refusal) {
        std::fprintf(stderr, "vitrina-kit pack: %s\n", refusal.Text.c_str());
        return 1;
    } catch (const Exception& e) {
        std::fprintf(stderr, "vitrina-kit pack: %s\n", e.Message().c_str());
        return 1;
    } catch (const std::bad_alloc&) {
        throw; // reported by main, as for every command
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vitrina-kit pack: %s\n", e.what());
        return 1;
    }
    return 0;
}
