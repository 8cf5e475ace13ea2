// Names that differ only in letter case, which only a case-sensitive file system holds
// side by side.

#include "platform/file_names.h"

#include "support/scratch_folder.h"

#include <gtest/gtest.h>

namespace {

TEST(FileNames, ExactNameWinsAndHiddenEntriesCount) {
    TScratchFolder dir;
    dir.Write("a/photo.jpg", "lower");
    dir.Write("a/PHOTO.JPG", "upper");
    dir.MakeFolder("a/.Hidden");
    EXPECT_EQ(FindEntry("a\\PHOTO.JPG", dir.Path())->Name, "PHOTO.JPG");
    EXPECT_EQ(FindEntry("a\\photo.jpg", dir.Path())->Name, "photo.jpg");
    EXPECT_EQ(FindEntry("a\\Photo.Jpg", dir.Path())->Name, "PHOTO.JPG"); // first by byte order
    auto hidden = FindEntry("A\\.hidden", dir.Path());
    ASSERT_TRUE(hidden);
    EXPECT_EQ(hidden->Name, ".Hidden");
    EXPECT_TRUE(hidden->IsFolder);
}

} // namespace
