// vitrina-kit pack DISC OUT [--iso IMAGE.iso] [--label LABEL] [--brand DIR]
//                  [--system linux|windows|both] [--windows-bundle DIR]
// Makes a disc folder from a disc author's folder: the author's files as they are, the
// bundles in one hidden folder (with a publisher's brand, if given) — the Linux one this
// kit runs from and the Windows one of scripts/bundle --windows beside it — and at the
// root autorun.sh and autorun.inf; with --iso also a disc image of it. Run from a bundle
// (scripts/bundle): it carries itself.

#include "brand_folder.h"
#include "disc_tree.h"
#include "iso_image.h"
#include "volume_label.h"
#include "kit_commands.h"
#include "staged_output.h"

#include "catalogue/catalogue.h"
#include "launcher/brand.h"
#include "platform/exceptions.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr char BundleFolder[] = ".vitrina";
constexpr char AutorunName[] = "autorun.sh";
constexpr char WindowsAutorunName[] = "autorun.inf";
// The Windows bundle inside BundleFolder, and its launcher there.
constexpr char WindowsFolder[] = "windows";
constexpr char WindowsLauncher[] = "windows/bin/vitrina.exe";
// Where the launcher looks for a brand, inside the bundle.
const std::string CarriedBrand = std::string("share/vitrina/") + brand_files::Folder;

struct TPackOptions {
    std::string Disc;
    std::string Out;
    std::string Image;
    std::string Label;
    std::string Brand;
    bool Linux = true;
    bool Windows = true;
    std::string WindowsBundle;
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
        } else if (arg == "--windows-bundle" && i + 1 < args.size()) {
            options.WindowsBundle = args[++i];
        } else if (arg == "--system" && i + 1 < args.size()) {
            std::string system = args[++i];
            if (system != "linux" && system != "windows" && system != "both") return false;
            options.Linux = system != "windows";
            options.Windows = system != "linux";
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

// The Windows bundle: where it was named, or where scripts/bundle --windows leaves it,
// beside the bundle this kit runs from.
fs::path WindowsBundle(const TPackOptions& options, const fs::path& ownBundle) {
    const bool named = !options.WindowsBundle.empty();
    fs::path bundle = named ? Absolute(options.WindowsBundle) : ownBundle.parent_path() / "vitrina-windows";
    if (fs::is_regular_file(bundle / "bin" / "vitrina.exe") && fs::is_regular_file(bundle / "bin" / "qt.conf"))
        return bundle;
    throw TRefusal{"a disc for Windows needs the Windows bundle, and " + bundle.string() +
                   (named ? " is not one (it has no bin/vitrina.exe with bin/qt.conf)"
                          : " holds none: make it with scripts/bundle --windows, or name one with --windows-bundle DIR") +
                   "; nothing was written"};
}

// What Windows reads from the disc's root when the disc goes in: the program to start,
// its icon and the disc's name. Windows reads it in the ANSI code page, and the label
// is plain ASCII already.
std::string AutorunInf(const std::string& label) {
    return "[autorun]\r\nopen=" + std::string(BundleFolder) + "\\windows\\bin\\vitrina.exe\r\n"
           "icon=" + std::string(BundleFolder) + "\\windows\\bin\\vitrina.exe,0\r\n"
           "label=" + label + "\r\n";
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

// A disc packed before holds our bundles and autorun files at its root: packing it again
// replaces them. Other autorun files of a disc's own would be run instead of ours.
std::function<bool(const std::string&)> OwnFilesOf(const fs::path& disc) {
    const bool packedBefore = fs::is_regular_file(disc / BundleFolder / "bin" / "vitrina") ||
                              fs::is_regular_file(disc / BundleFolder / WindowsLauncher);
    auto ours = [packedBefore](const std::string& name) {
        return packedBefore && (name == AutorunName || name == WindowsAutorunName);
    };
    std::error_code ec;
    for (fs::directory_iterator it(disc, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::string lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        // Windows finds autorun.inf whatever its letter case.
        const bool autorun = name == AutorunName || name == "autorun" || name == ".autorun" || lower == WindowsAutorunName;
        if (autorun && !ours(name))
            throw TRefusal{(disc / name).string() + " would start instead of Vitrina; remove it from the disc folder"};
    }
    return [packedBefore, ours](const std::string& relative) {
        return (packedBefore && relative == BundleFolder) || ours(relative);
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
struct TBundles {
    std::vector<TTreeEntry> Linux;   // empty for a disc for Windows only
    fs::path LinuxAutorun;
    std::vector<TTreeEntry> Windows; // empty for a disc for Linux only
    std::string Label;
};

void WriteDiscFolder(const std::vector<TTreeEntry>& disc, const TBundles& bundles, const TBrandCheck* brand,
                     const fs::path& out) {
    TStagedOutput staged(out, TStagedOutput::Folder);
    const std::string& staging = staged.Path();
    CopyTree(disc, staging);
    const std::string hidden = staging + "/" + BundleFolder;
    fs::create_directory(hidden);
    if (!bundles.Linux.empty()) {
        CopyTree(bundles.Linux, hidden);
        if (brand) WriteConvertedBrand(*brand, hidden + "/" + CarriedBrand);
        fs::copy_file(bundles.LinuxAutorun, fs::path(staging) / AutorunName);
        fs::permissions(fs::path(staging) / AutorunName, fs::perms(0755));
    }
    if (!bundles.Windows.empty()) {
        const std::string windows = hidden + "/" + WindowsFolder;
        fs::create_directory(windows);
        CopyTree(bundles.Windows, windows);
        if (brand) {
            fs::create_directories(fs::path(windows + "/" + CarriedBrand).parent_path());
            WriteConvertedBrand(*brand, windows + "/" + CarriedBrand);
        }
        std::ofstream(fs::path(staging) / WindowsAutorunName, std::ios::binary) << AutorunInf(bundles.Label);
    }
    staged.Commit(fs::perms(0755));
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
        std::fprintf(stderr, "usage: vitrina-kit pack DISC OUT [--iso IMAGE.iso] [--label LABEL] [--brand DIR]"
                             " [--system linux|windows|both] [--windows-bundle DIR]\n");
        return 2;
    }
    try {
        fs::path bundle = OwnBundle();
        fs::path windowsBundle = options.Windows ? WindowsBundle(options, bundle) : fs::path();
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
        TBundles bundles;
        bundles.Label = label;
        if (options.Linux) {
            bundles.Linux = ScanOrRefuse(bundle.string(), ownBrand, "The bundle " + bundle.string());
            bundles.LinuxAutorun = bundle / "share" / "vitrina" / AutorunName;
        }
        if (options.Windows)
            bundles.Windows = ScanOrRefuse(windowsBundle.string(), ownBrand, "The Windows bundle " + windowsBundle.string());

        fs::path out = Absolute(options.Out);
        WriteDiscFolder(discEntries, bundles, brand.get(), out);
        std::uintmax_t bytes = 0;
        for (const auto* entries : {&discEntries, &bundles.Linux, &bundles.Windows})
            for (const TTreeEntry& entry : *entries) bytes += entry.Size;
        const char* systems = options.Linux && options.Windows ? "Linux and Windows" : options.Linux ? "Linux" : "Windows";
        std::printf("pack: %s: %zu files and folders of the disc, Vitrina for %s in %s, %s\n", options.Out.c_str(),
                    discEntries.size(), systems, BundleFolder, Megabytes(bytes).c_str());
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
