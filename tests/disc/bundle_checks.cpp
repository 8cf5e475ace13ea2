// Checks of the bundle scripts/bundle made (out/bundle/vitrina, or $VITRINA_BUNDLE): it
// needs nothing of this machine but what a desktop provides, names no path of it, and
// its kit packs discs and takes screenshots from it. Slow (a Release build and a 4 GiB
// file); run by scripts/test-bundle, not by ctest.

#include "disc/disc_support.h"
#include "support/scratch_folder.h"

#include <libisofs/libisofs.h>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string BundleRoot() {
    const char* given = std::getenv("VITRINA_BUNDLE");
    return given ? given : std::string(VITRINA_SOURCE_DIR) + "/out/bundle/vitrina";
}

// What a desktop must provide itself, by the names programs ask for.
bool ProvidedByTheDesktop(const std::string& name) {
    static const std::regex provided(
        "(libc|libm|libdl|libpthread|librt|libGL|libEGL|libGLX|libOpenGL|libGLdispatch|libX11|libX11-xcb|libxcb|"
        "libfontconfig|libfreetype|libdbus-1|libstdc\\+\\+|libgcc_s)\\.so.*|ld-linux.*|linux-vdso.*");
    return std::regex_match(name, provided);
}

bool IsElf(const fs::path& path) {
    char magic[4] = {};
    std::ifstream(path, std::ios::binary).read(magic, 4);
    return std::string(magic, 4) == "\x7f" "ELF";
}

std::vector<fs::path> ElfFiles() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(BundleRoot()))
        if (entry.is_regular_file() && IsElf(entry.path())) files.push_back(entry.path());
    return files;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class Bundle : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(BundleRoot() + "/bin/vitrina")) GTEST_SKIP() << "no bundle at " << BundleRoot();
    }
    std::string root = fs::canonical(BundleRoot()).string();
    TScratchFolder scratch;
};

// Each file's own needs, as ldd resolves them: inside the bundle or the desktop's. What
// the desktop's libraries need in turn comes with them.
TEST_F(Bundle, EveryElfFileLoadsOnlyFromTheBundleOrTheDesktop) {
    std::vector<fs::path> files = ElfFiles();
    ASSERT_GT(files.size(), 20u);
    for (const fs::path& file : files) {
        TShellRun ldd = RunShell(scratch, "env -u LD_LIBRARY_PATH ldd " + Quoted(file.string()));
        ASSERT_EQ(ldd.Status, 0) << file << ldd.Err;
        std::map<std::string, std::string> resolved;
        static const std::regex line(R"(^\s*(\S+) => (\S+) \(0x[0-9a-f]+\)$)");
        for (const std::string& text : Lines(ldd.Out)) {
            EXPECT_EQ(text.find("not found"), std::string::npos) << file << ": " << text;
            std::smatch match;
            if (std::regex_match(text, match, line)) resolved[match[1]] = fs::weakly_canonical(match[2].str()).string();
        }
        TShellRun needed = RunShell(scratch, "readelf -d " + Quoted(file.string()) + " | grep NEEDED");
        static const std::regex entry(R"(\[(\S+)\])");
        for (const std::string& text : Lines(needed.Out)) {
            std::smatch match;
            if (!std::regex_search(text, match, entry)) continue;
            std::string name = match[1], path = resolved[name];
            EXPECT_TRUE(ProvidedByTheDesktop(name) || path.starts_with(root + "/")) << file << " takes " << name << " from " << path;
            EXPECT_FALSE(ProvidedByTheDesktop(name) && path.starts_with(root + "/")) << file << ": the bundle carries " << name;
        }
    }
}

TEST_F(Bundle, RunPathsAreRelativeAndNoPathOfTheBuildMachineIsInside) {
    for (const fs::path& file : ElfFiles()) {
        TShellRun run = RunShell(scratch, "readelf -d " + Quoted(file.string()) + " | grep -E 'R(UN)?PATH'");
        for (const std::string& line : Lines(run.Out))
            EXPECT_NE(line.find("[$ORIGIN"), std::string::npos) << file << ": " << line;
    }
    for (const std::string& path : {std::string(VITRINA_SOURCE_DIR), std::string("/build-bundle")}) {
        TShellRun run = RunShell(scratch, "grep -rlF " + Quoted(path) + " " + Quoted(root));
        EXPECT_EQ(run.Out, "") << "files naming " << path;
    }
}

TEST_F(Bundle, CarriesPluginsFontsAndLicences) {
    for (const char* file :
         {"bin/qt.conf", "plugins/platforms/libqxcb.so", "plugins/platforms/libqoffscreen.so",
          "share/vitrina/fonts/LiberationSans-Regular.ttf", "share/vitrina/fonts/LiberationSans-Bold.ttf",
          "share/vitrina/autorun.sh", "share/licenses/qt6-base/copyright",
          "share/licenses/qt6-base/LGPL-3.0-only.txt", "share/licenses/libjpeg62-turbo/copyright",
          "share/licenses/fonts-liberation2/copyright", "share/licenses/libisofs6/copyright", "lib/libjpeg.so.62"})
        EXPECT_TRUE(fs::exists(root + "/" + file)) << file;
    // Every byte of it is read from a disc at start: what nothing draws with stays out.
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        std::string name = entry.path().filename().string();
        EXPECT_FALSE(name.starts_with("libicu") || name.starts_with("libglib") || name.starts_with("libQt6OpenGL"))
            << entry.path();
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(root + "/share/vitrina/fonts"), fs::directory_iterator()), 2);
}

// The bundle's Qt is ours, trimmed; what it draws is what Debian's Qt draws, to the byte.
TEST_F(Bundle, ScreenshotsMatchThoseOfThePlainBuild) {
    std::string disc = std::string(VITRINA_SOURCE_DIR) + "/examples/demo-disc";
    std::string script = std::string(VITRINA_SOURCE_DIR) + "/examples/demo.shot";
    std::string bundled = scratch.MakeFolder("bundled"), plain = scratch.MakeFolder("plain");
    for (const auto& [folder, kit] : {std::pair{bundled, root + "/bin/vitrina-kit"}, std::pair{plain, std::string(VITRINA_KIT)}}) {
        TShellRun run = RunShell(scratch, "cd " + Quoted(folder) + " && env -u LD_LIBRARY_PATH QT_QPA_PLATFORM=offscreen " +
                                              Quoted(kit) + " shot -C " + Quoted(disc) + " " + Quoted(script));
        ASSERT_EQ(run.Status, 0) << kit << ": " << run.Err;
    }
    int compared = 0;
    for (const auto& entry : fs::directory_iterator(plain)) {
        std::string name = entry.path().filename().string();
        ASSERT_TRUE(fs::exists(bundled + "/" + name)) << name;
        EXPECT_TRUE(ReadWholeFile(entry.path().string()) == ReadWholeFile(bundled + "/" + name)) << name;
        ++compared;
    }
    EXPECT_GE(compared, 5);
}

// Every file the offscreen screenshot run opens comes from the bundle or the desktop's
// own libraries, the platform plugin included.
TEST_F(Bundle, TheKitsScreenshotsRunOnWhatTheBundleCarries) {
    std::string disc = std::string(VITRINA_SOURCE_DIR) + "/examples/demo-disc";
    std::ofstream(scratch / "script") << "shot shot.png\n";
    TShellRun run = RunShell(scratch, "cd " + Quoted(scratch.Path()) + " && env -i HOME=" + Quoted(scratch.Path()) +
                                          " LD_DEBUG=files LD_DEBUG_OUTPUT=" + Quoted(scratch / "loads") + " " +
                                          Quoted(root + "/bin/vitrina-kit") + " shot -C " + Quoted(disc) + " script");
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_TRUE(fs::file_size(scratch / "shot.png") > 10000);
    std::set<std::string> loaded;
    for (const auto& entry : fs::directory_iterator(scratch.Path())) {
        if (!entry.path().filename().string().starts_with("loads")) continue;
        static const std::regex opened(R"(file=(\S+) \[0\];\s+(?:generating link map|needed by))");
        std::string text = ReadWholeFile(entry.path().string());
        for (std::sregex_iterator it(text.begin(), text.end(), opened), end; it != end; ++it)
            loaded.insert((*it)[1]);
        static const std::regex dlopened(R"(file=(\S+) \[0\];\s+dynamically loaded by)");
        for (std::sregex_iterator it(text.begin(), text.end(), dlopened), end; it != end; ++it)
            loaded.insert((*it)[1]);
    }
    ASSERT_FALSE(loaded.empty());
    bool offscreen = false;
    for (const std::string& file : loaded) {
        std::string name = fs::path(file).filename().string();
        if (file.find('/') == std::string::npos) continue; // a name, resolved in a later line
        std::string path = fs::weakly_canonical(file).string();
        offscreen = offscreen || path == root + "/plugins/platforms/libqoffscreen.so";
        EXPECT_TRUE(ProvidedByTheDesktop(name) || path.starts_with(root + "/")) << path;
    }
    EXPECT_TRUE(offscreen) << "the bundle's offscreen plugin";
}

TEST_F(Bundle, PacksTheDemoDiscAndAFileOver4GiB) {
    std::string disc = scratch.MakeFolder("Demo disc");
    fs::copy(std::string(VITRINA_SOURCE_DIR) + "/examples/demo-disc", disc, fs::copy_options::recursive);
    // Sparse: the size without the disc space.
    const std::uintmax_t huge = (std::uintmax_t(4) << 30) + 1;
    int fd = ::open((scratch / "Demo disc/soft/huge.bin").c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_EQ(::ftruncate(fd, off_t(huge - 1)), 0);
    ASSERT_EQ(::pwrite(fd, "!", 1, off_t(huge - 1)), 1);
    ::close(fd);
    TShellRun run = RunShell(scratch, Quoted(root + "/bin/vitrina-kit") + " pack " + Quoted(disc) + " " +
                                          Quoted(scratch / "out") + " --iso " + Quoted(scratch / "demo.iso"));
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(fs::file_size(scratch / "out/soft/huge.bin"), huge);

    iso_init();
    IsoDataSource* source = nullptr;
    IsoReadOpts* options = nullptr;
    IsoImage* image = nullptr;
    IsoReadImageFeatures* features = nullptr;
    ASSERT_GE(iso_data_source_new_from_file((scratch / "demo.iso").c_str(), &source), 0);
    iso_read_opts_new(&options, 0);
    iso_image_new("", &image);
    ASSERT_GE(iso_image_import(image, source, options, &features), 0);
    EXPECT_STREQ(iso_image_get_volume_id(image), "DEMO_DISC");
    IsoNode* node = nullptr;
    ASSERT_EQ(iso_tree_path_to_node(image, "/soft/huge.bin", &node), 1);
    EXPECT_EQ(std::uintmax_t(iso_file_get_size(reinterpret_cast<IsoFile*>(node))), huge);
    ASSERT_EQ(iso_tree_path_to_node(image, "/.vitrina/bin/vitrina", &node), 1);
    EXPECT_EQ(iso_node_get_permissions(node), 0555u);
    iso_read_image_features_destroy(features);
    iso_image_unref(image);
    iso_read_opts_free(options);
    iso_data_source_unref(source);
    iso_finish();
}

} // namespace
