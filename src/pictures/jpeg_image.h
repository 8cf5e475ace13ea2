#pragma once
// TJPEGImage: a JPEG file kept compressed in memory (TJPEGData, shared between
// copies) and decoded into a TBitmap the first time it is drawn. Loading reads only
// the header; a file loaded by name is read whole only when its bytes are first needed.

#include "pictures/bitmap.h"
#include "pictures/graphic.h"

#include <cstdint>
#include <memory>
#include <vector>

class TStream;
struct TJpegHeaderInfo;

// A fatal error of the JPEG library, by its message code.
class EJPEG : public EInvalidGraphic {
public:
    explicit EJPEG(int errorCode);
    int ErrorCode() const { return FErrorCode; }

private:
    int FErrorCode;
};

enum TJPEGScale { jsFullSize, jsHalf, jsQuarter, jsEighth };
enum TJPEGPerformance { jpBestQuality, jpBestSpeed };
enum TJPEGPixelFormat { jf24Bit, jf8Bit };

// Copied into every new JPEG picture.
struct TJPEGDefaults {
    int CompressionQuality = 90;
    bool Grayscale = false;
    TJPEGPerformance Performance = jpBestQuality;
    TJPEGPixelFormat PixelFormat = jf24Bit;
    bool ProgressiveDisplay = false;
    bool ProgressiveEncoding = false;
    TJPEGScale Scale = jsFullSize;
    bool Smoothing = true;
};

extern TJPEGDefaults JPEGDefaults;

// The compressed file and what its header says.
class TJPEGData {
public:
    TJPEGData();
    ~TJPEGData();
    TJPEGData(const TJPEGData&) = delete;
    TJPEGData& operator=(const TJPEGData&) = delete;

    // Reads the rest of a file loaded by name the first time; a failed read raises its
    // error once and leaves the data empty.
    const std::vector<std::uint8_t>& Data() const;
    bool Empty() const { return FData.empty() && !FUnread; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    bool Grayscale() const { return FGrayscale; }

private:
    friend class TJPEGImage;
    mutable std::vector<std::uint8_t> FData;
    // The open file whose bytes are not read yet.
    mutable std::unique_ptr<TStream> FUnread;
    int FWidth = 0;
    int FHeight = 0;
    bool FGrayscale = false;
};

class TJPEGImage : public TGraphic {
    VITRINA_GRAPHIC_CLASS(TJPEGImage)

public:
    TJPEGImage();
    ~TJPEGImage() override;

    bool Empty() const override;
    // The decoded bitmap's size once it exists, else the header's at the current scale.
    int Width() const override;
    int Height() const override;
    // Refused: "Cannot change the size of a JPEG image".
    void SetWidth(int value) override;
    void SetHeight(int value) override;

    // The decoded picture, decoding it first if needed. A decode that fails leaves
    // whatever it had filled as the result, so it is not tried again.
    TBitmap& Bitmap();
    void DIBNeeded() { Bitmap(); }
    bool HasBitmap() const { return FBitmap != nullptr; }

    bool ProgressiveJPEG() const { return FProgressive; }
    const std::shared_ptr<TJPEGData>& JPEGData() const { return FImage; }

    // Decode settings; changing one drops the decoded bitmap.
    TJPEGScale Scale() const { return FScale; }
    void SetScale(TJPEGScale value);
    bool Smoothing() const { return FSmoothing; }
    void SetSmoothing(bool value);
    bool Grayscale() const { return FGrayscale; }
    void SetGrayscale(bool value);
    TJPEGPerformance Performance() const { return FPerformance; }
    void SetPerformance(TJPEGPerformance value);
    TJPEGPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TJPEGPixelFormat value);
    bool ProgressiveDisplay() const { return FProgressiveDisplay; }
    void SetProgressiveDisplay(bool value) { FProgressiveDisplay = value; }
    bool ProgressiveEncoding() const { return FProgressiveEncoding; }
    void SetProgressiveEncoding(bool value) { FProgressiveEncoding = value; }
    int CompressionQuality() const { return FCompressionQuality; }
    void SetCompressionQuality(int value) { FCompressionQuality = value; }

    std::vector<TColor> Palette() const override;

    // Shares the other picture's compressed data and copies its settings.
    void Assign(const TJPEGImage& source);

    // Everything from the stream's position to its end is the file.
    void LoadFromStream(TStream& stream) override;
    // Opens the file and reads its header only; the rest waits for the first decode.
    void LoadFromFile(const std::string& fileName) override;
    void SaveToStream(TStream& stream) override;
    // A 32-bit little-endian count, then the file.
    void ReadData(TStream& stream) override;
    void WriteData(TStream& stream) override;

    std::unique_ptr<TGraphic> Clone() const override;
    void Draw(TCanvas& canvas, const TRect& rect) override;

private:
    // The header of the data, whether read in or still in its file.
    TJpegHeaderInfo Header(int scaleDenominator) const;
    void ReadHeader();
    void FreeBitmap();
    void CalcOutputSize() const;
    void TakeData(std::shared_ptr<TJPEGData> image);

    std::shared_ptr<TJPEGData> FImage;
    std::unique_ptr<TBitmap> FBitmap;
    bool FProgressive = false;
    mutable bool FNeedOutputSize = true;
    mutable int FOutputWidth = 0;
    mutable int FOutputHeight = 0;
    TJPEGScale FScale;
    bool FSmoothing;
    bool FGrayscale;
    TJPEGPerformance FPerformance;
    TJPEGPixelFormat FPixelFormat;
    bool FProgressiveDisplay;
    bool FProgressiveEncoding;
    int FCompressionQuality;
};

// Unit start-up: registers "jpeg" and "jpg" and measures the display once (8 bits
// or fewer turn the default output to 8-bit). Shutdown removes the type again.
void InitializeJpegUnit();
void FinalizeJpegUnit();
