// Runs the kit's window on a real X server (Xvfb) and looks at the screen.

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

bool HaveXvfb() { return std::system("command -v xvfb-run >/dev/null 2>&1") == 0; }

std::string Kit() { return std::string(VITRINA_BINARY_DIR) + "/tools/kit/vitrina-kit"; }

} // namespace

TEST(RealDisplay, TheSampleWindowAppearsOnAnXServer) {
    if (!HaveXvfb()) GTEST_SKIP() << "xvfb-run is not installed";
    std::filesystem::path shot = std::filesystem::temp_directory_path() / "vitrina-sample-screen.png";
    std::filesystem::remove(shot);
    std::string command = "QT_QPA_PLATFORM=xcb xvfb-run -a -s '-screen 0 640x480x24' " + Kit() + " form " +
                          VITRINA_SOURCE_DIR + "/examples/forms/sample.form --screen-png " + shot.string() +
                          " --wait 700 2>/dev/null";
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
    std::filesystem::path shot = std::filesystem::temp_directory_path() / "vitrina-launcher-screen.png";
    std::filesystem::remove(shot);
    std::string vitrina = std::string(VITRINA_BINARY_DIR) + "/src/app/vitrina";
    std::string disc = std::string(VITRINA_SOURCE_DIR) + "/examples/demo-disc";
    // The program takes no command line: it is started in the disc's folder.
    std::string inner = "cd '" + disc + "' && '" + vitrina + "' & pid=$!; " + Kit() + " screen-png '" +
                        shot.string() + "' --wait 1500; kill $pid";
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
