#include "doctor/text_check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct TSeen {
    int Line;
    TProblemCode Code;
    std::string Message;
    bool operator==(const TSeen&) const = default;
};

std::vector<TSeen> Check(std::string_view raw) {
    std::vector<TProblem> problems;
    CheckCatalogueText(raw, problems);
    SortProblems(problems);
    std::vector<TSeen> seen;
    for (const TProblem& p : problems)
        seen.push_back({p.Line, p.Code, p.Message});
    return seen;
}

std::vector<int> LinesOf(std::string_view raw, TProblemCode code) {
    std::vector<int> lines;
    for (const TSeen& seen : Check(raw))
        if (seen.Code == code) lines.push_back(seen.Line);
    return lines;
}

TEST(TextCheck, CtrlZEndsOrCutsAsTheLauncherReadsIt) {
    // A closing Ctrl-Z, as old editors wrote, hides nothing.
    EXPECT_THAT(Check("a@b@c\r\n\x1a"), IsEmpty());
    EXPECT_THAT(Check("a@b@c\r\n\x1a\x1a\r\n"), IsEmpty());
    EXPECT_THAT(
        Check("a@b@c\r\n\x1a"
              "x\r\nd\r\ne\r\n"),
        ElementsAre(TSeen{
            2, TProblemCode::CtrlZ,
            "a Ctrl-Z ends the catalogue here: the rest of this line and 2 lines after it are "
            "ignored"}));
    EXPECT_THAT(Check("a\n\x1a\nb"),
                ElementsAre(TSeen{2, TProblemCode::CtrlZ,
                                  "a Ctrl-Z ends the catalogue here: 1 line after it is ignored"}));
    // Inside a line it cuts only that line; one that stands last cuts nothing.
    EXPECT_THAT(LinesOf("a\x1a"
                        "b\nc\x1a\r\nd\x1a"
                        "e",
                        TProblemCode::CtrlZ),
                ElementsAre(1, 3));
    // After a lone CR the launcher is still in the same line, though the editor is not.
    EXPECT_THAT(Check("a\r\x1a"
                      "b\nc\n"),
                ElementsAre(TSeen{2, TProblemCode::CtrlZ,
                                  "a Ctrl-Z cuts this line: the text after it is ignored"}));
}

TEST(TextCheck, OnlyTextTheLauncherReadsIsCheckedForCharacters) {
    EXPECT_THAT(Check("a\x98z\r\nb\x98\x98\r\n"),
                ElementsAre(TSeen{1, TProblemCode::Unmappable,
                                  "the byte 0x98 has no character in code page 1251"},
                            TSeen{2, TProblemCode::Unmappable,
                                  "the byte 0x98 has no character in code page 1251 (2 times)"}));
    EXPECT_THAT(LinesOf("a\x1a\x98\nb\n\x1a\x98", TProblemCode::Unmappable), IsEmpty());
    EXPECT_THAT(Check("\xEF\xBB\xBF"
                      "ok \xd0\x98\r\n\xe2\x98\x83 \xc3\xa9 \xe2\x98\x83 \xff\xd0\n"),
                ElementsAre(TSeen{
                    2, TProblemCode::Unmappable,
                    "code page 1251 cannot show U+00E9, U+2603, and 2 byte sequences that are not "
                    "UTF-8: shown as \"?\""}));
}

TEST(TextCheck, Utf8WithoutTheMarkIsAnErrorWhereItFirstShows) {
    // "И" is D0 98 in UTF-8: that 0x98 belongs to a letter, not to code page 1251.
    EXPECT_THAT(
        Check("Games@a@b\r\nGames@c@d\r\nИгры@e@f\r\n"),
        ElementsAre(TSeen{
            3, TProblemCode::Encoding,
            "the file is UTF-8 without a byte-order mark, so Vitrina reads it as code page 1251 "
            "and shows garbled text: save it as UTF-8 with a byte-order mark (BOM), or convert it "
            "to code page 1251 (Windows-1251)"}));
    // Plain ASCII, and code page 1251 letters, are not UTF-8 to worry about.
    EXPECT_THAT(Check("Games@a@b\r\n"), IsEmpty());
    EXPECT_THAT(Check("\xc8\xe3\xf0\xfb@a@b\r\n"), IsEmpty());
    EXPECT_THAT(LinesOf(std::string("\xFE\xFF\0a", 4), TProblemCode::Encoding), ElementsAre(1));
}

} // namespace
