#include "stand_in_skin.h"

#include "pictures/picture_limits.h"
#include "skin/stored_skin.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

namespace {

std::vector<std::uint8_t> Payload(const TbsStoredSkin& skin) {
    TMemoryStream stream;
    skin.WritePictures(stream);
    return stream.Bytes();
}

std::vector<std::uint8_t> BmpBytes(int width, int height, TPixelFormat format = pf24bit) {
    TBitmap bitmap;
    FillPattern(bitmap, format, width, height, format == pf24bit ? 0 : 16);
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    return stream.Bytes();
}

void Append(std::vector<std::uint8_t>& to, const std::vector<std::uint8_t>& bytes) {
    to.insert(to.end(), bytes.begin(), bytes.end());
}

void AppendCount(std::vector<std::uint8_t>& to, std::int32_t count) {
    for (int shift = 0; shift < 32; shift += 8)
        to.push_back(std::uint8_t(std::uint32_t(count) >> shift));
}

// Reads the bytes into the skin and returns how many it consumed.
std::int64_t Read(TbsStoredSkin& skin, const std::vector<std::uint8_t>& bytes) {
    TMemoryStream stream(bytes);
    skin.ReadPictures(stream);
    return stream.Position();
}

TEST(StoredSkinPictures, AnEmptySkinIsSevenBytesAndReadsBackEmpty) {
    TbsStoredSkin skin(nullptr);
    EXPECT_EQ(Payload(skin), (std::vector<std::uint8_t>{1, 1, 1, 0, 0, 0, 0}));

    // Any non-zero flag means empty; reading empties what was there.
    FillPattern(skin.Picture(), pf24bit, 3, 2, 0);
    skin.ActivePictures.push_back(std::make_unique<TBitmap>());
    EXPECT_EQ(Read(skin, {7, 255, 1, 0, 0, 0, 0}), 7);
    EXPECT_TRUE(skin.Picture().Empty());
    EXPECT_TRUE(skin.ActivePictures.empty());
}

TEST(StoredSkinPictures, TheCountReplacesTheActivePicturesAndBelowOneLeavesNone) {
    TbsStoredSkin skin(nullptr);
    for (int i = 0; i < 3; ++i)
        skin.ActivePictures.push_back(std::make_unique<TBitmap>());
    std::vector<std::uint8_t> one = {1, 1, 1};
    AppendCount(one, 1);
    Append(one, BmpBytes(5, 4));
    EXPECT_EQ(Read(skin, one), std::int64_t(one.size()));
    ASSERT_EQ(skin.ActivePictures.size(), 1u);
    EXPECT_EQ(skin.ActivePictures[0]->Width(), 5);

    for (std::int32_t count : {0, -1, INT32_MIN}) {
        std::vector<std::uint8_t> bytes = {1, 1, 1};
        AppendCount(bytes, count);
        Append(bytes, BmpBytes(5, 4)); // left unread
        EXPECT_EQ(Read(skin, bytes), 7) << count;
        EXPECT_TRUE(skin.ActivePictures.empty()) << count;
    }
}

TEST(StoredSkinPictures, WritingAndReadingKeepEveryPictureAndItsDepth) {
    TbsStoredSkin skin(nullptr);
    FillPattern(skin.Picture(), pf8bit, 9, 7, 20);
    FillPattern(skin.Mask(), pf1bit, 9, 7, 2);
    for (TPixelFormat format : {pf24bit, pf8bit, pf4bit}) {
        skin.ActivePictures.push_back(std::make_unique<TBitmap>());
        FillPattern(*skin.ActivePictures.back(), format, 11, 3, format == pf24bit ? 0 : 16);
    }
    const std::vector<std::uint8_t> bytes = Payload(skin);
    EXPECT_EQ(bytes[0], 0);

    TbsStoredSkin copy(nullptr);
    FillPattern(copy.InactivePicture(), pf24bit, 2, 2, 0);
    EXPECT_EQ(Read(copy, bytes), std::int64_t(bytes.size()));
    EXPECT_TRUE(copy.InactivePicture().Empty());
    EXPECT_EQ(copy.Picture().PixelFormat(), pf8bit);
    EXPECT_EQ(copy.Mask().PixelFormat(), pf1bit);
    ASSERT_EQ(copy.ActivePictures.size(), 3u);
    EXPECT_EQ(copy.ActivePictures[2]->PixelFormat(), pf4bit);
    EXPECT_EQ(Payload(copy), bytes);
}

TEST(StoredSkinPictures, DataThatEndsEarlyOrIsNoBitmapFailsAsThePictureReaderDoes) {
    const std::vector<std::uint8_t> bmp = BmpBytes(6, 6);
    std::vector<std::uint8_t> good = {0};
    Append(good, bmp);
    good.insert(good.end(), {1, 1});
    AppendCount(good, 2);
    Append(good, bmp);
    Append(good, bmp);

    TbsStoredSkin skin(nullptr);
    ASSERT_EQ(Read(skin, good), std::int64_t(good.size()));
    // Every cut, inside a flag, a file or the count, is an error, never a short read.
    for (std::size_t size : {std::size_t(0), std::size_t(1), std::size_t(20), bmp.size() + 1,
                             bmp.size() + 3, bmp.size() + 5, good.size() - 1}) {
        std::vector<std::uint8_t> cut(good.begin(), good.begin() + std::ptrdiff_t(size));
        EXPECT_THROW(Read(skin, cut), EInvalidGraphic) << size;
    }
    std::vector<std::uint8_t> notBmp = {0, 'G', 'I', 'F', '8', '9', 'a'};
    notBmp.resize(100);
    EXPECT_THROW(Read(skin, notBmp), EInvalidGraphic);

    // A huge count fails at the end of the data, having made only what the data holds.
    std::vector<std::uint8_t> huge = {1, 1, 1};
    AppendCount(huge, INT32_MAX);
    Append(huge, bmp);
    EXPECT_THROW(Read(skin, huge), EInvalidGraphic);
    EXPECT_LE(skin.ActivePictures.size(), 2u);
}

TEST(StoredSkinPictures, AllPicturesTogetherStayWithinThePixelLimit) {
    auto payload = [](int pictures) {
        std::vector<std::uint8_t> bytes = {1, 1, 1};
        AppendCount(bytes, pictures);
        for (int i = 0; i < pictures; ++i)
            Append(bytes, BmpBytes(6, 6)); // 36 pixels each
        return bytes;
    };
    const std::int64_t limit = MaxPicturePixels();
    SetMaxPicturePixels(100);
    TbsStoredSkin skin(nullptr);
    EXPECT_NO_THROW(Read(skin, payload(2)));
    EXPECT_THROW(Read(skin, payload(3)), EInvalidGraphic);
    EXPECT_EQ(MaxPicturePixels(), 100); // the limit is the caller's again
    SetMaxPicturePixels(limit);
}

TEST(StoredSkinImport, OurSkinMakesTheValueTheLauncherCarries) {
    TScratchFolder scratch;
    TbsStoredSkin skin(nullptr);
    skin.ActivePictures.push_back(std::make_unique<TBitmap>()); // replaced by the import
    const std::string ini = OurSkinFolder(scratch);
    skin.ImportFromFile(ini);
    std::ifstream in(ini);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    EXPECT_EQ(skin.IniStrings().ToVector(), lines);

    const std::vector<std::uint8_t> bytes = Payload(skin);
    EXPECT_EQ(bytes.size(), 545365u);
    // Flags 0, 1, 0 at the offsets the frame pictures' sizes put them, then N = 5.
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[29411], 1);
    EXPECT_EQ(bytes[29412], 0);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 33339, bytes.begin() + 33343),
              (std::vector<std::uint8_t>{5, 0, 0, 0}));
    for (std::size_t offset : {1u, 29413u, 33343u, 37417u, 45987u, 58317u, 543363u}) {
        EXPECT_EQ(bytes[offset], 'B') << offset;
        EXPECT_EQ(bytes[offset + 1], 'M') << offset;
    }

    TbsStoredSkin back(nullptr);
    EXPECT_EQ(Read(back, bytes), 545365);
    ASSERT_EQ(back.ActivePictures.size(), 5u);
    EXPECT_EQ(back.ActivePictures[3]->Width(), 384);
    EXPECT_EQ(back.ActivePictures[3]->Height(), 421);
    EXPECT_EQ(back.ActivePictures[3]->PixelFormat(), pf24bit);
}

TEST(StoredSkinImport, FileErrorsAndEmptyNames) {
    TScratchFolder scratch;
    TBitmap bitmap;
    FillPattern(bitmap, pf24bit, 4, 4, 0);
    SaveBitmap(bitmap, scratch / "a.bmp");
    auto import = [&](const std::string& ini) {
        scratch.Write("skin.ini", ini);
        TbsStoredSkin skin(nullptr);
        skin.ImportFromFile(scratch / "skin.ini");
        return skin.ActivePictures.size();
    };
    // Empty frame picture names leave the pictures empty.
    EXPECT_EQ(import("[PICTURES]\npicture=\nmask=\nactivepicturescount=2\n0=a.bmp\n1=A.BMP\n"), 2u);
    EXPECT_THROW(import("[PICTURES]\npicture=missing.bmp\n"), EFOpenError);
    EXPECT_THROW(import("[PICTURES]\nactivepicturescount=2\n0=a.bmp\n1=missing.bmp\n"),
                 EFOpenError);
    // An empty (or absent) name in the active list is a file error too.
    EXPECT_THROW(import("[PICTURES]\nactivepicturescount=2\n0=a.bmp\n1=\n"), EFOpenError);
    EXPECT_THROW(import("[PICTURES]\nactivepicturescount=2000000000\n0=a.bmp\n"), EFOpenError);

    TbsStoredSkin skin(nullptr);
    EXPECT_THROW(skin.ImportFromFile(scratch / "none.ini"), EFOpenError);
    EXPECT_EQ(SkinFolderOf("C:\\skins\\blue\\skin.ini"), "C:\\skins\\blue\\");
    EXPECT_EQ(SkinFolderOf("skin.ini"), "");
}

} // namespace
