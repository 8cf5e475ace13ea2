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
