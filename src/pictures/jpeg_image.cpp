#include "pictures/jpeg_image.h"

#include "pictures/jpeg_codec.h"
#include "pictures/picture.h"
#include "pictures/picture_limits.h"
#include "platform/stream.h"
#include "toolkit/screen.h"

#include <algorithm>
#include <new>

TJPEGDefaults JPEGDefaults;

EJPEG::EJPEG(int errorCode)
    : EInvalidGraphic("JPEG error #" + std::to_string(errorCode)), FErrorCode(errorCode) {}

namespace {

TJpegLimits Limits() { return {MaxPicturePixels(), MaxJpegScans()}; }

int ScaleDenominator(TJPEGScale scale) { return 1 << int(scale); }

bool AllocateTarget(void* context, int width, int height, bool indexed) {
    try {
        auto* pixels = static_cast<TPixelBuffer*>(context);
        pixels->Allocate(width, height, indexed ? pf8bit : pf24bit);
        // One store per decoded picture: painting reads the decoded rows themselves.
        pixels->SetDrawnAsStored(true);
        return true;
    } catch (...) {
        return false;
    }
}

std::uint8_t* TargetRow(void* context, int row) { return static_cast<TPixelBuffer*>(context)->ScanLine(row); }

bool SetTargetPalette(void* context, const std::uint8_t* const* map, int components, int count) {
    try {
        std::vector<TColor> colors;
        colors.reserve(std::size_t(count));
        for (int i = 0; i < count; ++i)
            colors.push_back(components >= 3 ? RGB(map[0][i], map[1][i], map[2][i])
                                             : RGB(map[0][i], map[0][i], map[0][i]));
        static_cast<TPixelBuffer*>(context)->SetPalette(colors);
        return true;
    } catch (...) {
        return false;
    }
}

// Libjpeg's frames cannot pass an exception on; a stream that fails ends the data there.
std::size_t ReadStream(void* context, std::uint8_t* buffer, std::size_t size) {
    try {
        return std::size_t(std::max<std::int64_t>(static_cast<TStream*>(context)->Read(buffer, std::int64_t(size)), 0));
    } catch (...) {
        return 0;
    }
}

} // namespace

TJPEGData::TJPEGData() = default;
TJPEGData::~TJPEGData() = default;

const std::vector<std::uint8_t>& TJPEGData::Data() const {
    if (!FUnread) return FData;
    std::unique_ptr<TStream> file = std::move(FUnread);
    file->SetPosition(0);
    try {
        FData.resize(static_cast<std::size_t>(std::max<std::int64_t>(file->Size(), 0)));
        file->ReadBuffer(FData.data(), std::int64_t(FData.size()));
    } catch (...) {
        FData = {};
        throw;
    }
    return FData;
}

TJPEGImage::TJPEGImage()
    : FImage(std::make_shared<TJPEGData>()),
      FScale(JPEGDefaults.Scale),
      FSmoothing(JPEGDefaults.Smoothing),
      FGrayscale(JPEGDefaults.Grayscale),
      FPerformance(JPEGDefaults.Performance),
      FPixelFormat(JPEGDefaults.PixelFormat),
      FProgressiveDisplay(JPEGDefaults.ProgressiveDisplay),
      FProgressiveEncoding(JPEGDefaults.ProgressiveEncoding),
      FCompressionQuality(JPEGDefaults.CompressionQuality) {}

TJPEGImage::~TJPEGImage() = default;

bool TJPEGImage::Empty() const { return FImage->Empty() && (!FBitmap || FBitmap->Empty()); }

TJpegHeaderInfo TJPEGImage::Header(int scaleDenominator) const {
    TJpegHeaderInfo info;
    int code = 0;
    if (TStream* file = FImage->FUnread.get()) {
        file->SetPosition(0);
        code = ReadJpegHeader(TJpegReader{file, ReadStream}, scaleDenominator, Limits(), info);
    } else {
        const std::vector<std::uint8_t>& data = FImage->FData;
        code = ReadJpegHeader(data.data(), data.size(), scaleDenominator, Limits(), info);
    }
    if (code) throw EJPEG(code);
    return info;
}

void TJPEGImage::CalcOutputSize() const {
    if (!FNeedOutputSize) return;
    int width = FImage->FWidth;
    int height = FImage->FHeight;
    if (FScale != jsFullSize && !FImage->Empty()) {
        TJpegHeaderInfo info = Header(ScaleDenominator(FScale));
        width = info.OutputWidth;
        height = info.OutputHeight;
    }
    // Known only once the header has been read: a failure is met again at the next ask.
    FOutputWidth = width;
    FOutputHeight = height;
    FNeedOutputSize = false;
}

int TJPEGImage::Width() const {
    if (FBitmap) return FBitmap->Width();
    CalcOutputSize();
    return FOutputWidth;
}

int TJPEGImage::Height() const {
    if (FBitmap) return FBitmap->Height();
    CalcOutputSize();
    return FOutputHeight;
}

void TJPEGImage::SetWidth(int) { throw EInvalidGraphicOperation("Cannot change the size of a JPEG image"); }
void TJPEGImage::SetHeight(int) { throw EInvalidGraphicOperation("Cannot change the size of a JPEG image"); }

void TJPEGImage::FreeBitmap() {
    FBitmap.reset();
    FNeedOutputSize = true;
}

void TJPEGImage::SetScale(TJPEGScale value) {
    if (value == FScale) return;
    FreeBitmap();
    FScale = value;
    Changed();
}

void TJPEGImage::SetSmoothing(bool value) {
    if (value == FSmoothing) return;
    FreeBitmap();
    FSmoothing = value;
    Changed();
}

void TJPEGImage::SetGrayscale(bool value) {
    if (value == FGrayscale) return;
    FreeBitmap();
    FGrayscale = value;
    SetPaletteModified(true);
    Changed();
}

void TJPEGImage::SetPerformance(TJPEGPerformance value) {
    if (value == FPerformance) return;
    FreeBitmap();
    FPerformance = value;
    Changed();
}

void TJPEGImage::SetPixelFormat(TJPEGPixelFormat value) {
    if (value == FPixelFormat) return;
    FreeBitmap();
    FPixelFormat = value;
    SetPaletteModified(true);
    Changed();
}

std::vector<TColor> TJPEGImage::Palette() const { return FBitmap ? FBitmap->Palette() : std::vector<TColor>{}; }

TBitmap& TJPEGImage::Bitmap() {
    if (FBitmap) return *FBitmap;
    // The bitmap exists from here on: a decode that fails is not repeated at every paint.
    FBitmap = std::make_unique<TBitmap>();
    Progress(psStarting, 0, false, TRect{}, "");
    TJpegDecodeSettings settings;
    settings.ScaleDenominator = ScaleDenominator(FScale);
    settings.Smoothing = FSmoothing;
    settings.Grayscale = FGrayscale;
    settings.EightBit = FPixelFormat == jf8Bit;
    settings.BestSpeed = FPerformance == jpBestSpeed;
    TJpegDecodeTarget target;
    target.Context = &FBitmap->PixelBuffer();
    target.Allocate = AllocateTarget;
    target.Row = TargetRow;
    target.SetPalette = SetTargetPalette;
    const std::vector<std::uint8_t>& data = FImage->Data();
    if (int code = DecodeJpeg(data.data(), data.size(), settings, Limits(), target)) throw EJPEG(code);
    Progress(psEnding, 100, false, TRect{}, "");
    if (FBitmap->PixelFormat() == pf8bit) {
        SetPaletteModified(true);
        Changed();
    }
    return *FBitmap;
}

void TJPEGImage::Assign(const TJPEGImage& source) {
    if (&source == this) return;
    FreeBitmap();
    FImage = source.FImage;
    FProgressive = source.FProgressive;
    FScale = source.FScale;
    FSmoothing = source.FSmoothing;
    FGrayscale = source.FGrayscale;
    FPerformance = source.FPerformance;
    FPixelFormat = source.FPixelFormat;
    FProgressiveDisplay = source.FProgressiveDisplay;
    FProgressiveEncoding = source.FProgressiveEncoding;
    FCompressionQuality = source.FCompressionQuality;
    SetTransparent(source.Transparent());
    SetPaletteModified(true);
    Changed();
}

void TJPEGImage::ReadHeader() {
    if (FImage->Empty()) return;
    TJpegHeaderInfo info = Header(1);
    FImage->FWidth = info.Width;
    FImage->FHeight = info.Height;
    FImage->FGrayscale = info.Grayscale;
    FProgressive = info.Progressive;
}

void TJPEGImage::TakeData(std::shared_ptr<TJPEGData> image) {
    FreeBitmap();
    // A new data object: other pictures sharing the old one keep it.
    FImage = std::move(image);
    FProgressive = false;
    ReadHeader();
    SetPaletteModified(true);
    Changed();
}

void TJPEGImage::LoadFromStream(TStream& stream) {
    auto image = std::make_shared<TJPEGData>();
    image->FData.resize(static_cast<std::size_t>(std::max<std::int64_t>(stream.Remaining(), 0)));
    stream.ReadBuffer(image->FData.data(), std::int64_t(image->FData.size()));
    TakeData(std::move(image));
}

void TJPEGImage::LoadFromFile(const std::string& fileName) {
    auto image = std::make_shared<TJPEGData>();
    auto file = std::make_unique<TFileStream>(fileName, fmOpenRead);
    // An empty file is read already; it has no header to read.
    if (file->Size() > 0) image->FUnread = std::move(file);
    TakeData(std::move(image));
}

void TJPEGImage::SaveToStream(TStream& stream) {
    const std::vector<std::uint8_t>& data = FImage->Data();
    stream.WriteBuffer(data.data(), std::int64_t(data.size()));
}

void TJPEGImage::ReadData(TStream& stream) {
    std::uint8_t count[4];
    stream.ReadBuffer(count, 4);
    std::int64_t size = std::int64_t(count[0]) | (std::int64_t(count[1]) << 8) | (std::int64_t(count[2]) << 16) |
                        (std::int64_t(count[3]) << 24);
    if (size > stream.Remaining()) throw EReadError("Stream read error");
    auto image = std::make_shared<TJPEGData>();
    image->FData.resize(static_cast<std::size_t>(size));
    stream.ReadBuffer(image->FData.data(), size);
    TakeData(std::move(image));
}

void TJPEGImage::WriteData(TStream& stream) {
    std::uint32_t size = std::uint32_t(FImage->Data().size());
    std::uint8_t count[4] = {std::uint8_t(size), std::uint8_t(size >> 8), std::uint8_t(size >> 16),
                             std::uint8_t(size >> 24)};
    stream.WriteBuffer(count, 4);
    SaveToStream(stream);
}

std::unique_ptr<TGraphic> TJPEGImage::Clone() const {
    auto copy = std::make_unique<TJPEGImage>();
    copy->Assign(*this);
    return copy;
}

void TJPEGImage::Draw(TCanvas& canvas, const TRect& rect) { Bitmap().Draw(canvas, rect); }

void InitializeJpegUnit() {
    TPicture::RegisterFileFormat("jpeg", "JPEG Image File", TJPEGImage::Class());
    TPicture::RegisterFileFormat("jpg", "JPEG Image File", TJPEGImage::Class());
    if (Screen && Screen->BitsPerPixel() <= 8) JPEGDefaults.PixelFormat = jf8Bit;
}

void FinalizeJpegUnit() { TPicture::UnregisterGraphicClass(TJPEGImage::Class()); }
