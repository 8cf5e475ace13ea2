#include <gtest/gtest.h>

#include "skin/ini_table.h"

namespace {

TEST(IniTableLines, TrimsSkipsCommentsAndLinesBeforeTheFirstSection) {
    TIniTable ini({"orphan=1", "  ; comment=1", "", "  [ Main ]  ", "  key  =  some value  ",
                   ";hidden=2", "no equals sign", "empty=", "a=b=c"});
    EXPECT_FALSE(ini.ValueExists("Main", "orphan"));
    EXPECT_EQ(ini.ReadString("Main", "key", "?"), "some value");
    EXPECT_FALSE(ini.ValueExists("Main", ";hidden"));
    EXPECT_FALSE(ini.ValueExists("Main", "no equals sign"));
    // Present but empty is not missing.
    EXPECT_TRUE(ini.ValueExists("Main", "empty"));
    EXPECT_EQ(ini.ReadString("Main", "empty", "default"), "");
    EXPECT_EQ(ini.ReadString("Main", "a", ""), "b=c");
    EXPECT_EQ(ini.ReadString("Main", "missing", "default"), "default");
    EXPECT_EQ(ini.ReadString("Other", "key", "default"), "default");
}

TEST(IniTableLines, LastDuplicateSectionAndKeyWin) {
    TIniTable ini({"[s]", "a=1", "b=1", "b=2", "[t]", "x=1", "[S]", "a=3"});
    EXPECT_EQ(ini.ReadString("s", "a", ""), "3");
    EXPECT_FALSE(ini.ValueExists("s", "b")) << "the earlier occurrence is hidden whole";
    TIniTable keys({"[s]", "k=1", "K=2"});
    EXPECT_EQ(keys.ReadString("s", "k", ""), "2");
    EXPECT_EQ(keys.ReadSectionKeys("s").size(), 1u);
}

TEST(IniTableLines, SectionsAndKeysIgnoreLetterCaseIncludingCyrillic) {
    // "[\xCC\xE5\xED\xFE]" is a Cyrillic word, capitalised; looked up all lower case.
    TIniTable ini({"[LISTBOX]", "SkinRect=1", "[\xCC\xE5\xED\xFE]", "x=y"});
    EXPECT_TRUE(ini.SectionExists("listbox"));
    EXPECT_EQ(ini.ReadString("listbox", "skinrect", ""), "1");
    EXPECT_TRUE(ini.SectionExists("\xEC\xE5\xED\xFE"));
    EXPECT_TRUE(ini.SectionExists("\xCC\xC5\xCD\xDE"));
    EXPECT_FALSE(ini.SectionExists("\xEC\xE5\xED"));
}

TEST(IniTableWriter, EraseAndWriteRebuildASection) {
    TIniTable ini({"[a]", "x=1", "y=2", "[b]", "z=3"});
    ini.EraseSection("A");
    EXPECT_FALSE(ini.SectionExists("a"));
    ini.WriteString("a", "y", "5");
    ini.WriteString("b", "Z", "4");
    EXPECT_FALSE(ini.ValueExists("a", "x"));
    EXPECT_EQ(ini.ReadString("a", "y", ""), "5");
    EXPECT_EQ(ini.ToLines(), (std::vector<std::string>{"[b]", "z=4", "", "[a]", "y=5"}));
    // The lines read back as the same table.
    EXPECT_EQ(TIniTable(ini.ToLines()).ToLines(), ini.ToLines());

    // Rewriting a record again and again keeps one section for it.
    for (int i = 0; i < 1000; ++i) {
        ini.EraseSection("a");
        ini.WriteString("A", "y", std::to_string(i));
    }
    EXPECT_EQ(ini.SectionCount(), 2u);
    EXPECT_EQ(ini.ReadString("b", "z", ""), "4");
    EXPECT_EQ(ini.ToLines(), (std::vector<std::string>{"[b]", "z=4", "", "[A]", "y=999"}));
    // Duplicates met while reading are not kept either.
    EXPECT_EQ(TIniTable({"[a]", "x=1", "[A]", "y=2", "[a]", "z=3"}).SectionCount(), 1u);
}

} // namespace
