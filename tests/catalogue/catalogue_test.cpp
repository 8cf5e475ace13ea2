#include "catalogue/catalogue.h"

#include "platform/collation.h"
#include "platform/cp1251.h"
#include "platform/exceptions.h"
#include "platform/in_out_error.h"

#include "support/scratch_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>
#include <tuple>

namespace {

using ::testing::ElementsAre;

const TCollator& Root() {
    static const TCollator collator("");
    return collator;
}

// A catalogue of the given file bytes, read, split and indexed.
class TLoaded {
public:
    explicit TLoaded(std::string_view bytes) : FCatalogue(FFolder.Path(), &Root()) {
        FFolder.Write("db/base.txt", bytes);
        FCatalogue.LoadCatalogue();
        FCatalogue.SplitRecords();
        FCatalogue.BuildCategoryIndex();
    }
    const TCatalogue* operator->() const { return &FCatalogue; }
    const TCatalogue& operator*() const { return FCatalogue; }

private:
    TScratchFolder FFolder;
    TCatalogue FCatalogue;
};

using TRecord = std::tuple<std::string, std::string, std::string, std::string>;

std::vector<TRecord> Records(const TCatalogue& c) {
    std::vector<TRecord> records;
    for (std::size_t i = 0; i < c.GameCount(); ++i) {
        TGame g = c.Game(i);
        records.emplace_back(g.Category, g.Title, g.Folder, g.About);
    }
    return records;
}

std::vector<std::string> Categories(const TCatalogue& c) {
    std::vector<std::string> names;
    for (std::size_t k = 0; k < c.CategoryCount(); ++k)
        names.emplace_back(c.Category(k));
    return names;
}

TEST(Catalogue, LinesAreSortedIgnoringCaseAndSplitIntoFields) {
    TLoaded c("b@t2@f2@x@y@d2\r\nA@t1@f1@@@d1\n"
              "Cat@T@F@4@5@Text@7@8\n"
              "Cat@T@F@@@Text with @ inside\n"
              "Cat@Title\n"
              "\n"
              "just a line\n");
    EXPECT_EQ(c->LineCount(), 7u);
    EXPECT_THAT(Records(*c),
                ElementsAre(TRecord{"", "", "", ""}, TRecord{"A", "t1", "f1", "d1"},
                            TRecord{"b", "t2", "f2", "d2"}, TRecord{"Cat", "T", "F", "Text with "},
                            TRecord{"Cat", "T", "F", "Text"}, TRecord{"Cat", "Title", "", ""},
                            TRecord{"just a line", "", "", ""}));
    EXPECT_EQ(c->Line(4), "Cat@T@F@4@5@Text@7@8");
}

TEST(Catalogue, CategoriesInOrderOfFirstRecordByteExact) {
    TLoaded c("X@1\ny@2\nX@3\nz@4\n"
              "games@b\nGames@a\ngames@c\n"
              " X @5\n"
              "\xc8\xe3\xf0\xfb@a\n\xc8-\xe3\xf0\xfb@b\n\xc8\xe3\xf0\xfb@c\n" // Игры / И-гры
              "dup@same\ndup@same\n");
    EXPECT_THAT(Categories(*c), ElementsAre(" X ", "dup", "Games", "games", "X", "y", "z",
                                            "\xc8\xe3\xf0\xfb", "\xc8-\xe3\xf0\xfb"));
    EXPECT_THAT(c->Titles().Strings(1), ElementsAre("same", "same"));
    EXPECT_THAT(c->Titles().Strings(3), ElementsAre("b", "c"));
    EXPECT_THAT(c->Titles().Strings(4), ElementsAre("1", "3"));
    // A category the sort interrupts keeps its place and collects its later records.
    EXPECT_THAT(c->Titles().Strings(7), ElementsAre("a", "c"));
    EXPECT_THAT(c->Titles().Strings(8), ElementsAre("b"));
}

TEST(Catalogue, EmptyCatalogueHasNoCategories) {
    for (std::string_view bytes : {"", "\x1a",
                                   "\x1a"
                                   "a@b\n"}) {
        TLoaded c(bytes);
        EXPECT_EQ(c->LineCount(), 0u);
        EXPECT_EQ(c->GameCount(), 0u);
        EXPECT_EQ(c->CategoryCount(), 0u);
        EXPECT_THROW(c->Category(0), EListError);
    }
}

TEST(Catalogue, OutOfRangeIndexesRaise) {
    TLoaded c("a@b@c@d@e@f\n");
    EXPECT_EQ(c->Abouts().At(0, 0), "f");
    EXPECT_THROW(c->Titles().At(0, 1), EListError);
    EXPECT_THROW(c->Folders().Count(1), EListError);
    EXPECT_THROW(c->Game(1), EListError);
    EXPECT_THROW(c->Line(1), EListError);
}

TEST(Catalogue, MissingFileOrFolder) {
    TScratchFolder dir;
    TCatalogue catalogue(dir.Path(), &Root());
    try {
        catalogue.LoadCatalogue();
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Message(), "Invalid filename");
    }
    dir.MakeFolder("DB");
    EXPECT_THROW(catalogue.LoadCatalogue(), EInOutError);
    dir.Write("DB/BASE.TXT", "found@it\n");
    catalogue.LoadCatalogue();
    EXPECT_EQ(catalogue.LineCount(), 1u);
}

// The grouping as the straightforward record-by-category scan would do it.
struct TNaiveIndex {
    std::vector<std::string> Names;
    std::vector<std::vector<std::size_t>> Members;
};

TNaiveIndex NaiveIndex(const TCatalogue& c) {
    TNaiveIndex index;
    for (std::size_t i = 0; i < c.GameCount(); ++i) {
        std::string name(c.Game(i).Category);
        std::size_t k = 0;
        while (k < index.Names.size() && index.Names[k] != name)
            ++k;
        if (k == index.Names.size()) {
            index.Names.push_back(name);
            index.Members.emplace_back();
        }
        index.Members[k].push_back(i);
    }
    return index;
}

TEST(Catalogue, ThousandsOfCategoriesInterleaved) {
    // Names that differ only in a hyphen weigh the same, so the sort interleaves their
    // records: c1@t0, c1-@t1, c1@t2.
    std::string bytes;
    for (int round = 0; round < 3; ++round)
        for (int k = 2000; k-- > 0;)
            bytes += "c" + std::to_string(k) + (round == 1 ? "-" : "") + "@t" +
                     std::to_string(round) + "\n";
    TLoaded c(bytes);
    ASSERT_EQ(c->GameCount(), 6000u);
    TNaiveIndex expected = NaiveIndex(*c);
    ASSERT_EQ(Categories(*c), expected.Names);
    ASSERT_EQ(c->CategoryCount(), 4000u);
    for (std::size_t k = 0; k < expected.Names.size(); ++k) {
        ASSERT_EQ(c->Titles().Count(k), expected.Members[k].size());
        for (std::size_t j = 0; j < expected.Members[k].size(); ++j)
            ASSERT_EQ(c->GameIndex(k, j), expected.Members[k][j]);
    }
}

TEST(Catalogue, RandomBytesGiveRecordsAndAConsistentIndex) {
    std::mt19937 rng(3);
    const std::string alphabet = std::string("aA\xe0\xc0@@@@\n\r\x1a- \0", 14);
    for (int round = 0; round < 40; ++round) {
        std::string bytes(rng() % 3000, '\0');
        for (char& ch : bytes)
            ch = rng() % 8 ? alphabet[rng() % alphabet.size()] : static_cast<char>(rng());
        TLoaded c(bytes);
        ASSERT_EQ(c->GameCount(), c->LineCount());
        for (std::size_t i = 1; i < c->LineCount(); ++i)
            ASSERT_LE(Root().Compare(c->Line(i - 1), c->Line(i)), 0);

        TNaiveIndex expected = NaiveIndex(*c);
        ASSERT_EQ(Categories(*c), expected.Names);
        for (std::size_t k = 0; k < expected.Names.size(); ++k) {
            ASSERT_EQ(c->Titles().Count(k), expected.Members[k].size());
            for (std::size_t j = 0; j < expected.Members[k].size(); ++j) {
                TGame g = c->Game(expected.Members[k][j]);
                ASSERT_EQ(c->GameIndex(k, j), expected.Members[k][j]);
                ASSERT_EQ(c->Titles().At(k, j), g.Title);
                ASSERT_EQ(c->Folders().At(k, j), g.Folder);
                ASSERT_EQ(c->Abouts().At(k, j), g.About);
            }
        }
        for (std::size_t i = 0; i < c->GameCount(); ++i) {
            TGame g = c->Game(i);
            std::string rebuilt(c->Line(i));
            EXPECT_EQ(rebuilt.substr(0, g.Category.size()), g.Category);
            EXPECT_EQ(g.Category.find('@'), std::string_view::npos);
            EXPECT_EQ(g.About.find('@'), std::string_view::npos);
        }
    }
}

} // namespace
