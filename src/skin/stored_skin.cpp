#include "skin/stored_skin.h"

#include "pictures/bitmap.h"
#include "pictures/bmp_codec.h"
#include "pictures/picture_limits.h"
#include "platform/stream.h"
#include "skin/ini_table.h"
#include "skin/ini_values.h"

#include <cstdint>

namespace {

[[noreturn]] void CutShort() {
    throw EInvalidGraphic("Bitmap image is not valid: its data is cut short");
}

std::uint8_t ReadFlag(TStream& stream) {
    std::uint8_t flag;
    if (stream.Read(&flag, 1) != 1) CutShort();
    return flag;
}

// Lowers the decoders' pixel limit to what the value has left, so a run of small
// compressed files cannot each unpack to the full limit.
class TPixelBudget {
public:
    TPixelBudget() : FLimit(MaxPicturePixels()) {}
    ~TPixelBudget() { SetMaxPicturePixels(FLimit); }
    TPixelBudget(const TPixelBudget&) = delete;
    TPixelBudget& operator=(const TPixelBudget&) = delete;

    void Read(TBitmap& bitmap, TStream& stream) {
        SetMaxPicturePixels(FLimit - FUsed);
        bitmap.LoadFromStream(stream);
        SetMaxPicturePixels(FLimit);
        FUsed += std::int64_t(bitmap.Width()) * bitmap.Height();
    }

private:
    std::int64_t FLimit;
    std::int64_t FUsed = 0;
};

void WriteFramePicture(TStream& stream, const TBitmap& picture) {
    const std::uint8_t flag = picture.Empty() ? 1 : 0;
    stream.WriteBuffer(&flag, 1);
    if (!picture.Empty()) WriteBmp(stream, picture.PixelBuffer());
}

void LoadPicture(TBitmap& picture, const std::string& folder, const std::string& name) {
    if (name.empty())
        picture.Clear();
    else
        picture.LoadFromFile(folder + name);
}

} // namespace

TbsStoredSkin::TbsStoredSkin(TComponent* owner)
    : TComponent(owner), FPicture(std::make_unique<TBitmap>()),
      FInactivePicture(std::make_unique<TBitmap>()), FMask(std::make_unique<TBitmap>()) {}

TbsStoredSkin::~TbsStoredSkin() = default;

void TbsStoredSkin::ReadPictures(TStream& stream) {
    TPixelBudget budget;
    for (TBitmap* picture : {FPicture.get(), FInactivePicture.get(), FMask.get()}) {
        if (ReadFlag(stream) != 0)
            picture->Clear();
        else
            budget.Read(*picture, stream);
    }
    ActivePictures.clear();
    std::uint8_t bytes[4];
    if (stream.Read(bytes, 4) != 4) CutShort();
    const std::int32_t count =
        std::int32_t(std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
                     std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24);
    // Each picture needs its bytes, so a huge count fails at the end of the data.
    for (std::int32_t i = 0; i < count; ++i) {
        ActivePictures.push_back(std::make_unique<TBitmap>());
        budget.Read(*ActivePictures.back(), stream);
    }
}

void TbsStoredSkin::WritePictures(TStream& stream) const {
    for (const auto& picture : ActivePictures)
        if (picture->Empty())
            throw EInvalidGraphicOperation("An empty active picture cannot be stored");
    WriteFramePicture(stream, *FPicture);
    WriteFramePicture(stream, *FInactivePicture);
    WriteFramePicture(stream, *FMask);
    const std::uint32_t count = std::uint32_t(ActivePictures.size());
    const std::uint8_t bytes[4] = {std::uint8_t(count), std::uint8_t(count >> 8),
                                   std::uint8_t(count >> 16), std::uint8_t(count >> 24)};
    stream.WriteBuffer(bytes, 4);
    for (const auto& picture : ActivePictures)
        WriteBmp(stream, picture->PixelBuffer());
}

void TbsStoredSkin::ImportFromFile(const std::string& fileName) {
    {
        TFileStream file(fileName, fmOpenRead);
        std::string text(std::size_t(file.Size()), '\0');
        file.ReadBuffer(text.data(), std::int64_t(text.size()));
        FIniStrings.SetText(text);
    }
    const std::string folder = SkinFolderOf(fileName);
    const TbsSkinPictureNames names = ReadSkinPictureNames(TIniTable(FIniStrings.ToVector()));
    LoadPicture(*FPicture, folder, names.Picture);
    LoadPicture(*FInactivePicture, folder, names.InactivePicture);
    LoadPicture(*FMask, folder, names.Mask);
    ActivePictures.clear();
    for (const std::string& name : names.ActivePictures) {
        ActivePictures.push_back(std::make_unique<TBitmap>());
        // An empty name opens the folder itself, which fails as a file error.
        ActivePictures.back()->LoadFromFile(folder + name);
    }
}

TbsSkinPictureNames ReadSkinPictureNames(const TIniTable& ini) {
    TbsSkinPictureNames names;
    names.Picture = ini.ReadString("PICTURES", "picture", "");
    names.InactivePicture = ini.ReadString("PICTURES", "inactivepicture", "");
    names.Mask = ini.ReadString("PICTURES", "mask", "");
    const int count = ReadSkinInteger(ini, "PICTURES", "activepicturescount", 0);
    for (int i = 0; i < count; ++i) {
        names.ActivePictures.push_back(ini.ReadString("PICTURES", std::to_string(i), ""));
        if (names.ActivePictures.back().empty()) break;
    }
    return names;
}

std::string SkinFolderOf(const std::string& fileName) {
    const std::size_t end = fileName.find_last_of("\\/:");
    return end == std::string::npos ? std::string() : fileName.substr(0, end + 1);
}
