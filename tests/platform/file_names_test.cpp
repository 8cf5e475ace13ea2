#include "platform/cp1251.h"
#include "platform/file_names.h"

#include "support/scratch_folder.h"

#include <gtest/gtest.h>

namespace {

TEST(FileNames, ExactNamesAndSeparators) {
    TScratchFolder dir;
    dir.Write("soft/Games/doom/photo.jpg", "x");
    EXPECT_EQ(ResolvePath("soft\\Games\\doom\\photo.jpg", dir.Path()),
              dir / "soft/Games/doom/photo.jpg");
    EXPECT_EQ(ResolvePath("soft\\\\Games\\doom\\", dir.Path()), dir / "soft/Games/doom");
    EXPECT_FALSE(ResolvePath("soft\\Games\\quake", dir.Path()));
}

TEST(FileNames, EveryComponentIgnoresCaseCyrillicIncluded) {
    TScratchFolder dir;
    dir.Write("SOFT/Игры для ДЕТЕЙ/Ёжик/RESIZE OF PHOTO.JPG", "x");
    // "soft\игры для детей\ёЖИК\Resize of photo.jpg" in code page 1251
    std::string path =
        "soft\\\xe8\xe3\xf0\xfb \xe4\xeb\xff \xe4\xe5\xf2\xe5\xe9\\\xb8\xc6\xc8\xca\\"
        "Resize of photo.jpg";
    EXPECT_EQ(ResolvePath(path, dir.Path()), dir / "SOFT/Игры для ДЕТЕЙ/Ёжик/RESIZE OF PHOTO.JPG");
    auto found = FindEntry(path, dir.Path());
    ASSERT_TRUE(found);
    EXPECT_EQ(found->Name, "RESIZE OF PHOTO.JPG");
    EXPECT_FALSE(found->IsFolder);
    // Е and Ё are different letters, not case variants.
    EXPECT_FALSE(ResolvePath(
        "soft\\\xe8\xe3\xf0\xfb \xe4\xeb\xff \xe4\xe5\xf2\xe5\xe9\\\xe5\xe6\xe8\xea", dir.Path()));
}

TEST(FileNames, UnmatchedComponentsStayAsWritten) {
    TScratchFolder dir;
    dir.MakeFolder("DB");
    TMappedPath mapped = MapPath("db\\Base.txt", dir.Path());
    EXPECT_FALSE(mapped.Exists);
    EXPECT_EQ(mapped.FsPath, dir / "DB/Base.txt");
    EXPECT_EQ(MapPath("no\\\xcf", dir.Path()).FsPath, dir / "no/П");
}

} // namespace

namespace {

// What Windows would open as a device instead of a file or folder, wherever it stands.
TEST(FileNames, DeviceNamesAreToldWhereverTheyStand) {
    for (const char* path : {"CON", "soft\\Игры\\con", "soft/nul/photo.jpg", "COM1", "lpt9.txt", "Aux  ",
                             "CONIN$", "soft\\CONOUT$\\x", "prn.a.b", "\\\\.\\pipe\\x", "//./COM1", "\\\\?\\C:\\x"})
        EXPECT_TRUE(NamesWindowsDevice(path)) << path;
    for (const char* path : {"CONSOLE", "soft\\icon", "COM10", "LPT", "COMA", "xnul", "soft\\Игры\\con-2",
                             ".con", "db\\base.txt", ""})
        EXPECT_FALSE(NamesWindowsDevice(path)) << path;
}

} // namespace
