#include "doctor/editor_lines.h"

#include <gtest/gtest.h>

namespace {

TEST(EditorLines, CountLikeAnEditorWhateverTheBreaks) {
    // CR LF, LF and a lone CR each end a line; the final break begins none.
    TEditorLines lines("one\r\ntwo\nthree\rfour\r\n\r\nsix\n");
    EXPECT_EQ(lines.Count(), 6);
    EXPECT_EQ(lines.LineAt(0), 1);
    EXPECT_EQ(lines.LineAt(4), 1); // the LF of a CR LF still belongs to its line
    EXPECT_EQ(lines.LineAt(5), 2);
    EXPECT_EQ(lines.LineAt(9), 3);
    EXPECT_EQ(lines.LineAt(15), 4);
    EXPECT_EQ(lines.LineAt(21), 5);
    EXPECT_EQ(lines.LineAt(23), 6);
    // "\r\r\n" is a lone CR and then a CR LF: two breaks.
    EXPECT_EQ(TEditorLines("a\r\r\nb").LineAt(4), 3);
    EXPECT_EQ(TEditorLines("no break").Count(), 1);
    EXPECT_EQ(TEditorLines("").Count(), 0);
    EXPECT_EQ(TEditorLines("").LineAt(0), 1);
}

} // namespace
