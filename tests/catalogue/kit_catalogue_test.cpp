// vitrina-kit catalogue, run as a disc author would run it.

#include "support/kit_runner.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

TKitRun Kit(const std::string& args) { return RunKit(args); }

TEST(KitCatalogue, PrintsRecordsAndCategoriesAsUtf8Json) {
    TScratchFolder disc;
    disc.Write("db/base.txt",
               "\xc8\xe3\xf0\xfb@\xd2\xe5\xf2\xf0\xe8\xf1@tetris@@@\xc1\xeb\xee\xea\xe8\r\n"
               "Apps@Say \"hi\"@a\\b@x@y@tab\there\x01\n"
               "apps@zip@z\n");
    TKitRun run = Kit("catalogue '" + disc.Path() + "'");
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(
        run.Out,
        "{\"lines\": 3,\n"
        " \"records\": [\n"
        "  [\"Apps\", \"Say \\\"hi\\\"\", \"a\\\\b\", \"tab\\there\\u0001\"],\n"
        "  [\"apps\", \"zip\", \"z\", \"\"],\n"
        "  [\"Игры\", \"Тетрис\", \"tetris\", \"Блоки\"]\n"
        " ],\n"
        " \"categories\": [\n"
        "  {\"name\": \"Apps\", \"titles\": [\"Say \\\"hi\\\"\"], \"folders\": [\"a\\\\b\"], "
        "\"abouts\": [\"tab\\there\\u0001\"]},\n"
        "  {\"name\": \"apps\", \"titles\": [\"zip\"], \"folders\": [\"z\"], \"abouts\": [\"\"]},\n"
        "  {\"name\": \"Игры\", \"titles\": [\"Тетрис\"], \"folders\": [\"tetris\"], "
        "\"abouts\": [\"Блоки\"]}\n"
        " ]}\n");

    run = Kit("catalogue --summary '" + disc.Path() + "'");
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, "{\"lines\": 3, \"categories\": 3}\n");
}

TEST(KitCatalogue, ReadsTheCurrentFolderByDefault) {
    TScratchFolder disc;
    disc.Write("db/base.txt", "");
    // Run from the scratch folder itself.
    TKitRun run = RunKit("catalogue", "C", 300, disc.Path());
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "{\"lines\": 0,\n \"records\": [],\n \"categories\": []}\n");
}

TEST(KitCatalogue, FailuresReadAsTheErrorReportAndExitOne) {
    TScratchFolder disc;
    TKitRun run = Kit("catalogue '" + disc.Path() + "'");
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, "Invalid filename.\n");
    disc.MakeFolder("db");
    run = Kit("catalogue --summary '" + disc.Path() + "'");
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, "File not found.\n");
    disc.MakeFolder("db/base.txt");
    EXPECT_EQ(Kit("catalogue '" + disc.Path() + "'").Err, "File access denied.\n");
    EXPECT_EQ(Kit("catalogue --bogus").Status, 2);
}

TEST(KitCatalogue, AUtf8CatalogueWithAByteOrderMarkGivesTheRecordsOfItsCodePage1251Twin) {
    TScratchFolder utf8, cp1251;
    utf8.Write("db/base.txt", "\xEF\xBB\xBF\xd0\x98\xd0\xb3\xd1\x80\xd1\x8b@Caf\xc3\xa9@c@@@\xe2\x84\x96 1\r\n");
    cp1251.Write("db/base.txt", "\xc8\xe3\xf0\xfb@Caf?@c@@@\xb9 1\r\n");
    TKitRun fromUtf8 = Kit("catalogue '" + utf8.Path() + "'");
    EXPECT_EQ(fromUtf8.Status, 0);
    EXPECT_EQ(fromUtf8.Out, Kit("catalogue '" + cp1251.Path() + "'").Out);
    EXPECT_NE(fromUtf8.Out.find("[\"Игры\", \"Caf?\", \"c\", \"№ 1\"]"), std::string::npos) << fromUtf8.Out;
}

} // namespace
