// Cut texts, measured on the launcher window itself.

#include "app/startup.h"
#include "doctor/disc_check.h"
#include "doctor/launcher_lists.h"
#include "launcher/main_unit.h"
#include "platform/cp1251.h"
#include "support/scratch_folder.h"
#include "support/test_application.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

using ::testing::ElementsAre;

TMainFr& Launcher() {
    static TMainFr* launcher = [] {
        TestApplication();
        StartUnits();
        TestApplication().CreateForm(MainFr);
        return MainFr;
    }();
    return *launcher;
}

// Runs the check in a folder, as the launcher runs in the disc's root.
TCheckReport CheckIn(const std::string& folder) {
    std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    TDiscCheck check;
    check.ReadCatalogue();
    TCheckReport report = check.Check(Launcher());
    std::filesystem::current_path(before);
    return report;
}

std::vector<std::string> Names(const char* stem, int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back(stem + std::to_string(i));
    return names;
}

TEST(LauncherLists, AScrollBarNarrowsTheTitleList) {
    int shortRoom, longRoom;
    std::string title = "\xd8";
    {
        TLauncherLists lists(Launcher());
        shortRoom = lists.TitleRoom(Names("t", 3));
        longRoom = lists.TitleRoom(Names("t", 30));
        ASSERT_LT(longRoom, shortRoom);
        ASSERT_GT(longRoom, 150);
        while (lists.TitleTextWidth(title) <= longRoom)
            title += "\xd8";
        ASSERT_LE(lists.TitleTextWidth(title), shortRoom) << "no width falls between the two";
    }
    // The same title fits the short category and is cut in the long one.
    TScratchFolder disc;
    std::string catalogue = "Short@" + title + "@s@@@x\r\n";
    for (const std::string& other : Names("t", 2))
        catalogue += "Short@" + other + "@s@@@x\r\n";
    catalogue += "Long@" + title + "@l@@@x\r\n";
    for (const std::string& other : Names("t", 29))
        catalogue += "Long@" + other + "@l@@@x\r\n";
    disc.Write("db/base.txt", catalogue);
    disc.MakeFolder("soft/Short/s");
    disc.MakeFolder("soft/Long/l");
    std::vector<int> cut;
    for (const TProblem& p : CheckIn(disc.Path()).Problems)
        if (p.Code == TProblemCode::TitleCut) cut.push_back(p.Line);
    EXPECT_THAT(cut, ElementsAre(4));
}

} // namespace
