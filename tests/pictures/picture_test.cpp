// The picture holder: the registry, choosing a type by extension, keeping the old
// picture on failure, change notices and the stored-picture encoding.

#include "pictures/bitmap.h"
#include "pictures/gif_image.h"
#include "pictures/picture.h"
#include "platform/stream.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

namespace {

std::string BmpBytes(int width, int height) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(width, height);
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

TEST(PictureFileExtension, TakesTheTextAfterTheLastDotOfTheName) {
    EXPECT_EQ(PictureFileExtension("photo.JPG"), "JPG");
    EXPECT_EQ(PictureFileExtension("soft\\Games\\x\\Resize of photo.jpg"), "jpg");
    EXPECT_EQ(PictureFileExtension("a.b\\photo"), "");
    EXPECT_EQ(PictureFileExtension("a.b/photo"), "");
    EXPECT_EQ(PictureFileExtension("c.d:photo"), "");
    EXPECT_EQ(PictureFileExtension("photo"), "");
    EXPECT_EQ(PictureFileExtension("photo."), "");
    EXPECT_EQ(PictureFileExtension("archive.tar.gz"), "gz");
    EXPECT_EQ(PictureFileExtension(".jpeg"), "jpeg");
}

TEST(PictureRegistry, LooksUpLowerCasedFromTheLastEntryBack) {
    InitializeGifUnit();
    const auto& formats = TPicture::FileFormats();
    ASSERT_GE(formats.size(), 5u);
    EXPECT_EQ(formats[0].Extension, "wmf");
    EXPECT_EQ(formats[1].Extension, "emf");
    EXPECT_EQ(formats[2].Extension, "ico");
    EXPECT_EQ(formats[3].Extension, "bmp");
    EXPECT_EQ(formats[3].Description, "Bitmaps");
    EXPECT_EQ(formats[4].Extension, "gif");
    EXPECT_EQ(formats[4].Description, "GIF Image");

    EXPECT_EQ(TPicture::FindGraphicClassByExtension("BMP"), TBitmap::Class());
    EXPECT_EQ(TPicture::FindGraphicClassByExtension("png"), nullptr);
    EXPECT_EQ(TPicture::FindGraphicClassByName("TBitmap"), TBitmap::Class());
    EXPECT_EQ(TPicture::FindGraphicClassByName("tbitmap"), nullptr);

    // A later registration of the same extension wins until it is removed again.
    TPicture::RegisterFileFormat("Bmp", "Other", TGIFImage::Class());
    EXPECT_EQ(TPicture::FindGraphicClassByExtension("bmp"), TGIFImage::Class());
    FinalizeGifUnit();
    EXPECT_EQ(TPicture::FindGraphicClassByExtension("bmp"), TBitmap::Class());
    EXPECT_EQ(TPicture::FindGraphicClassByExtension("gif"), nullptr);
}

TEST(PictureLoading, ChoosesTheTypeByExtensionAndNotifiesTheOwner) {
    TScratchFolder folder;
    folder.Write("Shot.BMP", BmpBytes(7, 5));
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &picture);
        ++changes;
    };
    picture.LoadFromFile(folder / "shot.bmp"); // found whatever its letter case
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_STREQ(picture.Graphic()->ClassName(), "TBitmap");
    EXPECT_EQ(picture.Width(), 7);
    EXPECT_EQ(picture.Height(), 5);
    EXPECT_EQ(changes, 1);

    // A change of the picture itself reaches the owner too.
    picture.Bitmap().SetSize(9, 9);
    EXPECT_EQ(changes, 2);

    picture.SetGraphic(nullptr);
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_EQ(changes, 3);
}

TEST(PictureLoading, FailuresKeepTheOldPicture) {
    TScratchFolder folder;
    folder.Write("old.bmp", BmpBytes(4, 3));
    folder.Write("broken.bmp", "BM garbage");
    folder.Write("photo.png", "whatever");
    folder.Write("photo", "whatever");
    folder.MakeFolder("dir.bmp");
    folder.Write("a.b/photo", "whatever");
    folder.Write("pic.gif", "GIF89a");
    InitializeGifUnit();

    TPicture picture;
    picture.LoadFromFile(folder / "old.bmp");
    TGraphic* old = picture.Graphic();
    int changes = 0;
    picture.OnChange = [&](TObject*) { ++changes; };

    auto fails = [&](const std::string& name) -> std::string {
        try {
            picture.LoadFromFile(name);
        } catch (const Exception& e) {
            EXPECT_EQ(picture.Graphic(), old) << name;
            return e.Message();
        }
        return "loaded";
    };
    EXPECT_EQ(fails(folder / "photo.png"), "Unknown picture file extension (.png)");
    EXPECT_EQ(fails(folder / "photo"), "Unknown picture file extension (.)");
    EXPECT_EQ(fails(folder / "a.b/photo"), "Unknown picture file extension (.)");
    EXPECT_EQ(fails(folder / "missing.bmp"),
              "Cannot open file \"" + (folder / "missing.bmp") + "\". The system cannot find the file specified");
    EXPECT_EQ(fails(folder / "nowhere/x.bmp"),
              "Cannot open file \"" + (folder / "nowhere/x.bmp") + "\". The system cannot find the path specified");
    EXPECT_EQ(fails(folder / "dir.bmp"),
              "Cannot open file \"" + (folder / "dir.bmp") + "\". Access is denied");
    EXPECT_EQ(fails(folder / "broken.bmp").rfind("Bitmap image is not valid", 0), 0u);
    EXPECT_EQ(fails(folder / "pic.gif"), "GIF images are not supported");
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(picture.Width(), 4);
    FinalizeGifUnit();
}

TEST(PictureStorage, WritesTheTypeNameThenTheTypesData) {
    TPicture picture;
    picture.Bitmap().SetPixelFormat(pf24bit);
    picture.Bitmap().SetSize(2, 2);
    TMemoryStream stored;
    picture.WriteData(stored);
    const std::string bytes(stored.Bytes().begin(), stored.Bytes().end());
    ASSERT_EQ(bytes.size(), 1 + 7 + 4 + 70u);
    EXPECT_EQ(bytes.substr(0, 8), "\x07TBitmap");
    EXPECT_EQ(bytes.substr(8, 4), std::string("\x46\x00\x00\x00", 4));
    EXPECT_EQ(bytes.substr(12, 2), "BM");

    stored.SetPosition(0);
    TPicture copy;
    copy.ReadData(stored);
    EXPECT_EQ(copy.Width(), 2);
    EXPECT_STREQ(copy.Graphic()->ClassName(), "TBitmap");

    // A type nobody registered leaves the holder empty.
    TMemoryStream unknown(std::vector<std::uint8_t>{5, 'T', 'F', 'o', 'o', 'o', 1, 2, 3});
    copy.ReadData(unknown);
    EXPECT_EQ(copy.Graphic(), nullptr);
}

TEST(PictureStorage, AssignCopiesThePicture) {
    TPicture a, b;
    a.Bitmap().SetSize(3, 4);
    b.Assign(&a);
    ASSERT_NE(b.Graphic(), nullptr);
    EXPECT_NE(b.Graphic(), a.Graphic());
    EXPECT_EQ(b.Width(), 3);
    b.Assign(nullptr);
    EXPECT_EQ(b.Graphic(), nullptr);
}

} // namespace
