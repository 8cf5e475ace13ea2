// Runs the kit's window on a real X server (Xvfb) and looks at the screen.

#include "support/scratch_folder.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

bool HaveXvfb() { return std::system("command -v xvfb-run >/dev/null 2>&1") == 0; }

// A wait for the programs, longer where they run instrumented (scripts/test --sanitize).
std::string Waited(int milliseconds) {
    const char* factor = std::getenv("VITRINA_TEST_SLOWDOWN");
    return std::to_string(milliseconds * std::max(1, factor ? std::atoi(factor) : 1));
}

std::string Kit() { return std::string(VITRINA_BINARY_DIR) + "/tools/kit/vitrina-kit"; }

} // namespace

TEST(RealDisplay, TheSampleWindowAppearsOnAnXServer) {
    if (!HaveXvfb()) GTEST_SKIP() << "xvfb-run is not installed";
    TScratchFolder scratch;
    std::filesystem::path shot = scratch / "screen.png";
    std::string command = "QT_QPA_PLATFORM=xcb xvfb-run -a -s '-screen 0 640x480x24' " + Kit() + " form " +
                          VITRINA_SOURCE_DIR + "/examples/forms/sample.form --screen-png " + shot.string() +
                          " --wait " + Waited(700) + " 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    QImage screen(QString::fromStdString(shot.string()));
    ASSERT_FALSE(screen.isNull());
    EXPECT_EQ(screen.size(), QSize(640, 480));
    // Without a window manager the client area starts at the stored position.
    EXPECT_EQ(QColor(screen.pixel(45, 45)), QColor(0x28, 0x5A, 0x50)) << "form background";
    EXPECT_EQ(QColor(screen.pixel(40 + 200, 40 + 130)), QColor(0xE8, 0xE4, 0xD8)) << "panel";
    EXPECT_EQ(QColor(screen.pixel(600, 400)), QColor(0, 0, 0)) << "bare screen";
}

TEST(RealDisplay, TheLauncherShowsCentredOnTheDemoDisc) {
    if (!HaveXvfb()) GTEST_SKIP() << "xvfb-run is not installed";
    TScratchFolder scratch;
    std::filesystem::path shot = scratch / "screen.png";
    std::string vitrina = std::string(VITRINA_BINARY_DIR) + "/src/app/vitrina";
    std::string disc = std::string(VITRINA_SOURCE_DIR) + "/examples/demo-disc";
    // The program takes no command line: it is started in the disc's folder.
    // \$! and \$pid are escaped for the inner shell: the one std::system starts would
    // expand them to nothing, and the kill would stop nothing.
    std::string inner = "cd '" + disc + "' && '" + vitrina + "' & pid=\\$!; " + Kit() + " screen-png '" +
                        shot.string() + "' --wait " + Waited(1500) + "; kill \\$pid";
    std::string command = "QT_QPA_PLATFORM=xcb xvfb-run -a -s '-screen 0 1024x768x24' sh -c \"" + inner + "\" 2>/dev/null";
    std::system(command.c_str());
    QImage screen(QString::fromStdString(shot.string()));
    ASSERT_FALSE(screen.isNull()) << command;
    // Centred: the window's top-left corner at (112, 84); the screen around it is bare.
    EXPECT_EQ(QColor(screen.pixel(100, 80)), QColor(0, 0, 0));
    EXPECT_EQ(QColor(screen.pixel(1000, 700)), QColor(0, 0, 0));
    // The banner's dark green and the body's grey, where the stored bitmaps put them.
    QColor banner(screen.pixel(112 + 400, 84 + 95));
    EXPECT_GT(banner.green(), banner.red()) << "banner";
    QColor body(screen.pixel(112 + 400, 84 + 580));
    EXPECT_GT(body.lightness(), 120) << "body";
}

namespace {

struct TWindowProperties {
    std::string Name, NetName, Class;
    std::vector<long long> Icon; // _NET_WM_ICON: width, height, ARGB pixels, then the next size
};

// Every top-level window of `program` started in the demo disc on an X server, by its
// name, as the window system reads it.
std::map<std::string, TWindowProperties> WindowsOf(const std::string& program,
                                                 std::string disc = std::string(VITRINA_SOURCE_DIR) + "/examples/demo-disc") {
    // Its own folder: test runs side by side must not read each other's windows.
    TScratchFolder scratch;
    std::filesystem::path out = scratch / "window-properties.txt";
    // Each window id, then its properties in raw numbers, one block per window.
    std::filesystem::path script = scratch / "window-properties.sh";
    std::ofstream(script) << "cd '" << disc << "' && '" << program << "' & pid=$!\n"
                          << "wait_for() { i=0; while [ $i -lt " << Waited(100) << " ] && ! xwininfo -root -tree | grep -q \"$1\"; do "
                             "sleep 0.1; i=$((i+1)); done; }\n"
                          << "wait_for '\"Vitrina\"'\n"
                          // A click on the thumbnail shows the viewer, whose window exists from then on.
                          << "sleep " << Waited(500) << "e-3; xdotool mousemove 700 300 click 1\n"
                          << "wait_for '\"Screenshot\"'\n"
                          << "for id in $(xwininfo -root -tree | grep -o '^ *0x[0-9a-f]*'); do echo \"window $id\"; "
                             "xprop -notype -id $id -f _NET_WM_ICON 32c WM_NAME _NET_WM_NAME WM_CLASS _NET_WM_ICON; "
                             "done > '"
                          << out.string() << "'\nkill $pid\n";
    std::string command =
        "QT_QPA_PLATFORM=xcb xvfb-run -a -s '-screen 0 1024x768x24' sh '" + script.string() + "' 2>/dev/null";
    std::system(command.c_str());
    std::map<std::string, TWindowProperties> windows;
    std::ifstream in(out);
    TWindowProperties current;
    auto keep = [&] {
        if (!current.Name.empty()) windows[current.Name] = current;
        current = {};
    };
    auto quoted = [](const std::string& line) {
        size_t first = line.find('"'), last = line.rfind('"');
        return first < last ? line.substr(first + 1, last - first - 1) : std::string();
    };
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("window ")) keep();
        else if (line.starts_with("WM_NAME = ")) current.Name = quoted(line);
        else if (line.starts_with("_NET_WM_NAME = ")) current.NetName = quoted(line);
        else if (line.starts_with("WM_CLASS = ")) current.Class = line.substr(11);
        else if (line.starts_with("_NET_WM_ICON = ")) {
            std::istringstream numbers(line.substr(15));
            for (std::string number; std::getline(numbers, number, ',');) current.Icon.push_back(std::stoll(number));
        }
    }
    keep();
    return windows;
}

// The icon of the given size from _NET_WM_ICON, as an image.
QImage IconOfSize(const std::vector<long long>& icon, int size) {
    for (size_t at = 0; at + 2 <= icon.size();) {
        int width = int(icon[at]), height = int(icon[at + 1]);
        if (width == size && height == size && at + 2 + size_t(width * height) <= icon.size()) {
            QImage image(width, height, QImage::Format_ARGB32);
            for (int i = 0; i < width * height; ++i) image.setPixel(i % width, i / width, uint(icon[at + 2 + i]));
            return image;
        }
        at += 2 + size_t(width) * size_t(height);
    }
    return {};
}

} // namespace

// Task bars and window switchers read these properties of the real windows.
TEST(RealDisplay, BothWindowsShowTheProgramsNameAndIconToTheDesktop) {
    if (!HaveXvfb()) GTEST_SKIP() << "xvfb-run is not installed";
    if (std::system("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "xdotool is not installed";
    auto windows = WindowsOf(std::string(VITRINA_BINARY_DIR) + "/src/app/vitrina");
    ASSERT_TRUE(windows.count("Vitrina")) << "the launcher is titled Vitrina, not by its stored caption";
    EXPECT_FALSE(windows.count("MainFr"));
    ASSERT_TRUE(windows.count("Screenshot")) << "the viewer keeps its caption";
    EXPECT_EQ(windows["Vitrina"].NetName, "Vitrina");
    // The desktop entry finds the running window by its class.
    std::ifstream entry(std::string(VITRINA_SOURCE_DIR) + "/resources/vitrina.desktop");
    std::string wmClass;
    for (std::string line; std::getline(entry, line);)
        if (line.starts_with("StartupWMClass=")) wmClass = line.substr(15);
    ASSERT_FALSE(wmClass.empty());
    EXPECT_NE(windows["Vitrina"].Class.find("\"" + wmClass + "\""), std::string::npos) << windows["Vitrina"].Class;
    QImage expected(QString::fromStdString(std::string(VITRINA_SOURCE_DIR) + "/resources/icons/vitrina-32.png"));
    for (const char* name : {"Vitrina", "Screenshot"}) {
        QImage icon = IconOfSize(windows[name].Icon, 32);
        ASSERT_FALSE(icon.isNull()) << name << " has no 32x32 icon";
        EXPECT_EQ(icon, expected.convertToFormat(QImage::Format_ARGB32)) << name;
        EXPECT_FALSE(IconOfSize(windows[name].Icon, 128).isNull()) << name << ": a large one for task bars";
    }
}

// A brand's icon in the bundle the program runs from replaces the program's own.
TEST(RealDisplay, ABrandsIconIsTheWindowsIcon) {
    if (!HaveXvfb()) GTEST_SKIP() << "xvfb-run is not installed";
    if (std::system("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "xdotool is not installed";
    TScratchFolder scratch;
    std::filesystem::path bundle = scratch / "bundle";
    std::filesystem::create_directories(bundle / "bin");
    std::filesystem::create_directories(bundle / "share/vitrina/brand");
    std::filesystem::path program = bundle / "bin/vitrina";
    // Linked, not copied: the program finds its bundle beside the path it was started by.
    std::filesystem::create_hard_link(std::string(VITRINA_BINARY_DIR) + "/src/app/vitrina", program);
    QImage brandIcon(64, 64, QImage::Format_ARGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) brandIcon.setPixel(x, y, qRgba(x * 4, y * 4, 0x5A, 0xFF));
    ASSERT_TRUE(brandIcon.save(QString::fromStdString((bundle / "share/vitrina/brand/icon.png").string())));
    auto windows = WindowsOf(program.string());
    for (const char* name : {"Vitrina", "Screenshot"}) {
        ASSERT_TRUE(windows.count(name)) << name;
        EXPECT_EQ(IconOfSize(windows[name].Icon, 64), brandIcon) << name;
        EXPECT_TRUE(IconOfSize(windows[name].Icon, 32).isNull()) << name << " keeps our icon";
    }
}

// A launcher packed onto a disc reads that disc wherever it was started from, as when
// a person double-clicks it in its own folder.
TEST(RealDisplay, APackedLauncherReadsItsOwnDisc) {
    if (!HaveXvfb()) GTEST_SKIP() << "xvfb-run is not installed";
    if (std::system("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "xdotool is not installed";
    TScratchFolder scratch;
    std::filesystem::path disc = scratch / "disc";
    std::filesystem::copy(std::string(VITRINA_SOURCE_DIR) + "/examples/demo-disc", disc,
                          std::filesystem::copy_options::recursive);
    std::filesystem::create_directories(disc / ".vitrina/bin");
    std::filesystem::create_hard_link(std::string(VITRINA_BINARY_DIR) + "/src/app/vitrina", disc / ".vitrina/bin/vitrina");
    std::string elsewhere = scratch.MakeFolder("elsewhere");
    auto windows = WindowsOf((disc / ".vitrina/bin/vitrina").string(), elsewhere);
    // The viewer opens only for a title whose thumbnail was found: the disc was read.
    EXPECT_TRUE(windows.count("Vitrina"));
    EXPECT_TRUE(windows.count("Screenshot"));
}
