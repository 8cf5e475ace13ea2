// JPEG pictures: header-only load, one lazy decode, the decode settings, files cut
// short or lying about their size, printers' colours, and the shared compressed data.

#include "jpeg_samples.h"
#include "pictures/gif_image.h"
#include "pictures/jpeg_image.h"
#include "pictures/picture.h"
#include "pictures/picture_limits.h"
#include "platform/stream.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

namespace {

// Left half red, right half blue.
std::string RedBlue(int width, int height, bool progressive = false, TJpegInks inks = NoInks) {
    TJpegSample sample;
    sample.Width = width;
    sample.Height = height;
    sample.Progressive = progressive;
    sample.Inks = inks;
    sample.Pixel = [width](int x, int, std::uint8_t rgb[3]) {
        rgb[0] = x < width / 2 ? 255 : 0;
        rgb[1] = 0;
        rgb[2] = x < width / 2 ? 0 : 255;
    };
    return MakeJpeg(sample);
}

TMemoryStream StreamOf(const std::string& bytes) {
    return TMemoryStream(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

void Load(TJPEGImage& jpeg, const std::string& bytes) {
    TMemoryStream stream = StreamOf(bytes);
    jpeg.LoadFromStream(stream);
}

bool Near(TColor actual, int r, int g, int b) {
    return std::abs(GetRValue(actual) - r) < 24 && std::abs(GetGValue(actual) - g) < 24 &&
           std::abs(GetBValue(actual) - b) < 24;
}

int ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EJPEG& e) {
        EXPECT_EQ(e.Message(), "JPEG error #" + std::to_string(e.ErrorCode()));
        return e.ErrorCode();
    }
    return 0;
}

class JpegImage : public ::testing::Test {
protected:
    void TearDown() override {
        SetMaxPicturePixels(100'000'000);
        SetMaxJpegScans(300);
    }
    TPixelBuffer FSurface;
};

TEST_F(JpegImage, LoadingReadsTheHeaderOnlyAndTheFirstDrawDecodesOnce) {
    TJPEGImage jpeg;
    int decodes = 0;
    jpeg.OnProgress = [&](TObject*, TProgressStage stage, std::uint8_t, bool, const TRect&, const std::string&) {
        if (stage == psEnding) ++decodes;
    };
    Load(jpeg, RedBlue(64, 48));
    EXPECT_EQ(jpeg.Width(), 64);
    EXPECT_EQ(jpeg.Height(), 48);
    EXPECT_FALSE(jpeg.ProgressiveJPEG());
    EXPECT_FALSE(jpeg.JPEGData()->Grayscale());
    EXPECT_FALSE(jpeg.HasBitmap());
    EXPECT_EQ(decodes, 0);

    FSurface.Allocate(64, 48, pf32bit);
    jpeg.Draw(FSurface.Canvas(), Rect(0, 0, 64, 48));
    jpeg.Draw(FSurface.Canvas(), Rect(0, 0, 64, 48));
    FSurface.Canvas().Flush();
    EXPECT_EQ(decodes, 1);
    TBitmap& bitmap = jpeg.Bitmap();
    EXPECT_EQ(decodes, 1);
    EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
    // Painting reads the decoded pixels themselves, not a converted copy.
    EXPECT_EQ(&bitmap.PixelBuffer().DrawSource(), &bitmap.PixelBuffer().Image());
    EXPECT_EQ(bitmap.Width(), 64);
    EXPECT_TRUE(Near(bitmap.PixelBuffer().Pixel(4, 4), 255, 0, 0));
    EXPECT_TRUE(Near(bitmap.PixelBuffer().Pixel(60, 40), 0, 0, 255));
    EXPECT_TRUE(Near(FSurface.Pixel(4, 4), 255, 0, 0));

    // A body the decoder would choke on does not matter to a header-only load.
    TJPEGImage progressive;
    Load(progressive, RedBlue(64, 48, true));
    EXPECT_TRUE(progressive.ProgressiveJPEG());
}

TEST_F(JpegImage, ZeroLengthFileLoadsEmptyAndFailsOnlyItsFirstDraw) {
    TScratchFolder folder;
    folder.Write("Resize of photo.jpg", "");
    InitializeJpegUnit();
    TPicture picture;
    picture.LoadFromFile(folder / "Resize of photo.jpg");
    ASSERT_STREQ(picture.Graphic()->ClassName(), "TJPEGImage");
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_EQ(picture.Height(), 0);
    FSurface.Allocate(10, 10, pf32bit);
    EXPECT_EQ(ErrorOf([&] { picture.Graphic()->Draw(FSurface.Canvas(), Rect(0, 0, 10, 10)); }), 42);
    EXPECT_EQ(ErrorOf([&] { picture.Graphic()->Draw(FSurface.Canvas(), Rect(0, 0, 10, 10)); }), 0);
    EXPECT_EQ(picture.Width(), 0);
    FinalizeJpegUnit();
}

TEST_F(JpegImage, AFileLoadedByNameGivesItsHeaderAtLoadAndItsDataAtTheFirstDraw) {
    TScratchFolder folder;
    const std::string whole = RedBlue(64, 64);
    const std::string file = folder.Write("photo.jpg", whole);
    TJPEGImage jpeg;
    jpeg.LoadFromFile(file);
    EXPECT_EQ(jpeg.Width(), 64);
    TJPEGImage copy;
    copy.Assign(jpeg);
    // The data is read at the first draw: cut meanwhile, the picture shows its cut.
    const std::size_t scan = whole.find("\xFF\xDA");
    const std::size_t cut = scan + (whole.size() - scan) / 4;
    std::error_code cutError;
    std::filesystem::resize_file(file, cut, cutError);
#ifdef _WIN32
    // Windows keeps writers out of a file the picture still holds: it draws whole.
    EXPECT_TRUE(cutError) << "a held picture was cut";
    EXPECT_EQ(ErrorOf([&] { jpeg.Bitmap(); }), 0);
    EXPECT_EQ(copy.JPEGData()->Data().size(), whole.size());
#else
    ASSERT_FALSE(cutError) << cutError.message();
    EXPECT_EQ(ErrorOf([&] { jpeg.Bitmap(); }), 0);
    EXPECT_TRUE(Near(jpeg.Bitmap().PixelBuffer().Pixel(2, 2), 255, 0, 0));
    EXPECT_FALSE(Near(jpeg.Bitmap().PixelBuffer().Pixel(2, 60), 255, 0, 0));
    EXPECT_EQ(copy.JPEGData()->Data().size(), cut);
#endif

    // Missing files and damaged headers fail at load, damaged data at the first draw.
    EXPECT_THROW(TJPEGImage().LoadFromFile(folder / "gone.jpg"), EFOpenError);
    folder.Write("header.jpg", whole.substr(0, 30));
    EXPECT_NE(ErrorOf([&] { TJPEGImage().LoadFromFile(folder / "header.jpg"); }), 0);
    SetMaxJpegScans(3);
    folder.Write("scans.jpg", RedBlue(32, 32, true));
    TJPEGImage scans;
    EXPECT_EQ(ErrorOf([&] { scans.LoadFromFile(folder / "scans.jpg"); }), 0);
    EXPECT_NE(ErrorOf([&] { scans.Bitmap(); }), 0);

    // Stored, the picture holds its whole file.
    folder.Write("stored.jpg", whole);
    TJPEGImage stored;
    stored.LoadFromFile(folder / "stored.jpg");
    TMemoryStream stream;
    stored.WriteData(stream);
    EXPECT_EQ(stream.Size(), std::int64_t(whole.size()) + 4);
}

TEST_F(JpegImage, FileCutInsideItsDataDrawsAndTruncatedHeaderFailsToLoad) {
    const std::string whole = RedBlue(64, 64);
    const std::size_t scan = whole.find("\xFF\xDA");
    ASSERT_NE(scan, std::string::npos);
    TJPEGImage cut;
    Load(cut, whole.substr(0, scan + (whole.size() - scan) / 2));
    EXPECT_EQ(cut.Width(), 64);
    EXPECT_EQ(ErrorOf([&] { cut.Bitmap(); }), 0);
    EXPECT_EQ(cut.Bitmap().Height(), 64);
    EXPECT_TRUE(Near(cut.Bitmap().PixelBuffer().Pixel(2, 2), 255, 0, 0));

    // Cut inside a progressive file's later scans: still a whole picture.
    TJpegSample noisy;
    noisy.Width = 64;
    noisy.Height = 64;
    noisy.Progressive = true;
    noisy.Pixel = [](int x, int y, std::uint8_t rgb[3]) {
        for (int c = 0; c < 3; ++c) rgb[c] = std::uint8_t((x * 73 + y * 151 + c * 89) * 2654435761u >> 24);
    };
    const std::string progressive = MakeJpeg(noisy);
    const std::size_t second = progressive.find("\xFF\xDA", progressive.find("\xFF\xDA") + 2);
    const std::size_t third = progressive.find("\xFF\xDA", second + 2);
    ASSERT_NE(third, std::string::npos);
    TJPEGImage cutProgressive;
    Load(cutProgressive, progressive.substr(0, (second + third) / 2));
    EXPECT_EQ(ErrorOf([&] { cutProgressive.Bitmap(); }), 0);

    TJPEGImage header;
    EXPECT_NE(ErrorOf([&] { Load(header, whole.substr(0, 30)); }), 0);
    TJPEGImage notJpeg;
    EXPECT_NE(ErrorOf([&] { Load(notJpeg, "GIF89a, not a JPEG at all"); }), 0);
}

TEST_F(JpegImage, HugeOrOverlyProgressiveFilesFailBeforeAllocating) {
    const std::string bomb = WithFrameSize(RedBlue(16, 16), 65000, 65000);
    TJPEGImage jpeg;
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ErrorOf([&] { Load(jpeg, bomb); }), 41);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));

    // Within the pixel bound but more scans than allowed: refused at decode.
    SetMaxJpegScans(3);
    TJPEGImage scans;
    Load(scans, RedBlue(32, 32, true));
    EXPECT_NE(ErrorOf([&] { scans.Bitmap(); }), 0);
    SetMaxJpegScans(300);
    TJPEGImage fine;
    Load(fine, RedBlue(32, 32, true));
    EXPECT_EQ(ErrorOf([&] { fine.Bitmap(); }), 0);
}

TEST_F(JpegImage, DecodeSettingsShapeTheBitmap) {
    const std::string colour = RedBlue(64, 48);
    TJPEGImage eight;
    eight.SetPixelFormat(jf8Bit);
    Load(eight, colour);
    EXPECT_EQ(eight.Bitmap().PixelFormat(), pf8bit);
    EXPECT_LE(eight.Bitmap().Palette().size(), 236u);
    EXPECT_TRUE(Near(eight.Bitmap().PixelBuffer().Pixel(4, 4), 255, 0, 0));

    // A greyscale file decodes to a grey palette whatever the pixel format.
    TJpegSample grey;
    grey.Width = 20;
    grey.Height = 10;
    grey.Grayscale = true;
    grey.Pixel = [](int x, int, std::uint8_t rgb[3]) { rgb[0] = std::uint8_t(x * 12); };
    TJPEGImage greyImage;
    Load(greyImage, MakeJpeg(grey));
    EXPECT_TRUE(greyImage.JPEGData()->Grayscale());
    EXPECT_EQ(greyImage.Bitmap().PixelFormat(), pf8bit);
    for (TColor c : greyImage.Bitmap().Palette())
        ASSERT_TRUE(GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c));

    // Scale: the header's size shrinks before any decode, and the decode agrees.
    TJPEGImage half;
    Load(half, colour);
    half.SetScale(jsHalf);
    EXPECT_EQ(half.Width(), 32);
    EXPECT_EQ(half.Height(), 24);
    EXPECT_FALSE(half.HasBitmap());
    EXPECT_EQ(half.Bitmap().Width(), 32);
    half.SetScale(jsFullSize);
    EXPECT_FALSE(half.HasBitmap());
    EXPECT_EQ(half.Width(), 64);

    TJPEGImage fast;
    fast.SetPerformance(jpBestSpeed);
    fast.SetGrayscale(true);
    Load(fast, colour);
    EXPECT_EQ(fast.Bitmap().PixelFormat(), pf8bit);

    try {
        half.SetWidth(10);
        ADD_FAILURE();
    } catch (const EInvalidGraphicOperation& e) {
        EXPECT_EQ(e.Message(), "Cannot change the size of a JPEG image");
    }
}

TEST_F(JpegImage, AScaledSizeIsKnownOnlyOnceItsHeaderIsRead) {
    TJPEGImage jpeg;
    Load(jpeg, RedBlue(64, 48));
    jpeg.SetScale(jsHalf);
    SetMaxPicturePixels(100);
    EXPECT_EQ(ErrorOf([&] { jpeg.Width(); }), 41);
    SetMaxPicturePixels(100'000'000);
    EXPECT_EQ(jpeg.Width(), 32);
    EXPECT_EQ(jpeg.Height(), 24);
}

TEST_F(JpegImage, PrintersFilesShowInTheirColours) {
    // Red, a dark orange that needs black ink, blue.
    TJpegSample sample;
    sample.Width = 48;
    sample.Height = 16;
    sample.Pixel = [](int x, int, std::uint8_t rgb[3]) {
        const std::uint8_t colours[3][3] = {{255, 0, 0}, {128, 64, 0}, {0, 0, 255}};
        for (int c = 0; c < 3; ++c) rgb[c] = colours[x / 16][c];
    };
    for (TJpegInks inks : {PlainCmyk, AdobeCmyk, AdobeYcck}) {
        sample.Inks = inks;
        TJPEGImage jpeg;
        Load(jpeg, MakeJpeg(sample));
        ASSERT_EQ(ErrorOf([&] { jpeg.Bitmap(); }), 0) << inks;
        const TPixelBuffer& pixels = jpeg.Bitmap().PixelBuffer();
        EXPECT_TRUE(Near(pixels.Pixel(8, 8), 255, 0, 0)) << inks;
        EXPECT_TRUE(Near(pixels.Pixel(24, 8), 128, 64, 0)) << inks;
        EXPECT_TRUE(Near(pixels.Pixel(40, 8), 0, 0, 255)) << inks;
        jpeg.SetGrayscale(true);
        EXPECT_TRUE(Near(jpeg.Bitmap().PixelBuffer().Pixel(8, 8), 76, 76, 76)) << inks;
    }
}

TEST_F(JpegImage, CopiesShareTheCompressedDataUntilOneLoadsAnother) {
    TJPEGImage a;
    Load(a, RedBlue(16, 8));
    TJPEGImage b;
    b.Assign(a);
    EXPECT_EQ(a.JPEGData(), b.JPEGData());
    EXPECT_EQ(b.Width(), 16);
    Load(b, RedBlue(8, 8));
    EXPECT_NE(a.JPEGData(), b.JPEGData());
    EXPECT_EQ(a.Width(), 16);

    // Stored form: count then file, and back.
    TMemoryStream stored;
    a.WriteData(stored);
    stored.SetPosition(0);
    TJPEGImage c;
    c.ReadData(stored);
    EXPECT_EQ(c.JPEGData()->Data(), a.JPEGData()->Data());
}

TEST(PictureRegistryUnits, UnitsAddGifThenJpegAndRemoveThemAgain) {
    InitializeGifUnit();
    InitializeJpegUnit();
    const auto& formats = TPicture::FileFormats();
    ASSERT_EQ(formats.size(), 7u);
    const char* extensions[] = {"wmf", "emf", "ico", "bmp", "gif", "jpeg", "jpg"};
    const char* descriptions[] = {"Metafiles", "Enhanced Metafiles", "Icons", "Bitmaps", "GIF Image",
                                  "JPEG Image File", "JPEG Image File"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(formats[std::size_t(i)].Extension, extensions[i]);
        EXPECT_EQ(formats[std::size_t(i)].Description, descriptions[i]);
    }
    EXPECT_EQ(TPicture::FindGraphicClassByExtension("JPG"), TJPEGImage::Class());
    EXPECT_EQ(TPicture::FindGraphicClassByName("TJPEGImage"), TJPEGImage::Class());

    TScratchFolder folder;
    folder.Write("photo.JPG", RedBlue(10, 6));
    folder.Write("photo.jpeg", RedBlue(12, 6));
    TPicture picture;
    picture.LoadFromFile(folder / "photo.JPG");
    EXPECT_EQ(picture.Width(), 10);
    picture.LoadFromFile(folder / "photo.jpeg");
    EXPECT_EQ(picture.Width(), 12);

    FinalizeJpegUnit();
    FinalizeGifUnit();
    EXPECT_EQ(TPicture::FileFormats().size(), 4u);
}

} // namespace
