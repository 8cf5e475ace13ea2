// What the real launcher hands the desktop when a title is opened: the program on an
// X server (Xvfb), a double click on the title, and a stand-in xdg-open first on PATH
// that writes down the arguments it was started with.

#include "shot_runner.h"
#include "support/test_application.h"

#include <QUrl>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool Have(const char* command) {
    return std::system(("command -v " + std::string(command) + " >/dev/null 2>&1").c_str()) == 0;
}

// The arguments xdg-open got, or none when it was never started.
std::vector<std::string> ArgumentsOfXdgOpen(const fs::path& record) {
    std::ifstream in(record, std::ios::binary);
    std::vector<std::string> arguments;
    for (std::string argument; std::getline(in, argument, '\0');)
        arguments.push_back(argument);
    return arguments;
}

} // namespace

TEST(DesktopShell, AFolderReachesXdgOpenAsOneFileUrlNamingIt) {
    if (!Have("xvfb-run") || !Have("xdotool"))
        GTEST_SKIP() << "xvfb-run or xdotool is not installed";
    TestApplication();
    TTestDisc disc;
    // Everything a shell or a URL would make something of.
    const std::string folder = "-x \"q\" 'r'; $(touch pwned) `touch pwned` 50% #1 Папка";
    disc.SetCatalogue({"Игры@Тетрис@" + folder + "@@@x"});
    disc.AddFolder("soft/Игры/" + folder);
    TShotRun first = RunShot(disc, "state\n");
    ASSERT_EQ(first.Status, 0) << first.Err;
    TClientPoint title = ListItemPoint(first.States.at(0), "ListBoxProg", 0);

    const fs::path bin = disc.Root() / "bin", record = disc.Root() / "xdg-open.args";
    fs::create_directories(bin);
    std::ofstream(bin / "xdg-open")
        << "#!/bin/sh\nprintf '%s\\0' \"$@\" > '" << record.string() << ".part'\nmv '"
        << record.string() << ".part' '" << record.string() << "'\n";
    fs::permissions(bin / "xdg-open", fs::perms::owner_all);
    const fs::path script = disc.Root() / "run.sh";
    std::ofstream(script)
        << "cd '" << disc.Root().string() << "' && PATH='" << bin.string() << "':$PATH '"
        << VITRINA_BINARY_DIR << "/src/app/vitrina' & pid=$!\n"
        << "id=$(timeout 10 xdotool search --sync --onlyvisible --name '^Vitrina$' | head -n 1)\n"
        << "sleep 0.3\n"
        << "xdotool mousemove --window \"$id\" " << title.X << " " << title.Y
        << " click --repeat 2 --delay 80 1\n"
        << "i=0; while [ $i -lt 100 ] && [ ! -e '" << record.string()
        << "' ]; do sleep 0.1; i=$((i+1)); done\n"
        << "kill $pid\n";
    std::string command = "QT_QPA_PLATFORM=xcb xvfb-run -a -s '-screen 0 1024x768x24' sh '" +
                          script.string() + "' 2>/dev/null";
    std::system(command.c_str());

    std::vector<std::string> arguments = ArgumentsOfXdgOpen(record);
    ASSERT_EQ(arguments.size(), 1u)
        << "xdg-open was started with " << arguments.size() << " arguments";
    EXPECT_TRUE(arguments[0].starts_with("file:///")) << arguments[0];
    QUrl url(QString::fromStdString(arguments[0]), QUrl::StrictMode);
    ASSERT_TRUE(url.isValid()) << arguments[0];
    EXPECT_EQ(fs::path(url.toLocalFile().toStdString()),
              disc.Root() / "soft" / fs::u8path("Игры") / fs::u8path(folder));
    EXPECT_FALSE(fs::exists(disc.Root() / "pwned"));
    EXPECT_FALSE(fs::exists(bin / "pwned"));
}
