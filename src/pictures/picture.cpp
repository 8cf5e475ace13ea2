#include "pictures/picture.h"

#include "pictures/bitmap.h"
#include "pictures/icon.h"
#include "pictures/metafile.h"
#include "platform/cp1251.h"
#include "platform/stream.h"

#include <algorithm>

namespace {

std::vector<TFileFormat>& Registry() {
    static std::vector<TFileFormat> formats{
        {"wmf", "Metafiles", TMetafile::Class()},
        {"emf", "Enhanced Metafiles", TMetafile::Class()},
        {"ico", "Icons", TIcon::Class()},
        {"bmp", "Bitmaps", TBitmap::Class()},
    };
    return formats;
}

} // namespace

std::string PictureFileExtension(std::string_view fileName) {
    std::size_t dot = fileName.find_last_of(".\\/:");
    if (dot == std::string_view::npos || fileName[dot] != '.') return {};
    return std::string(fileName.substr(dot + 1));
}

void TPicture::RegisterFileFormat(const std::string& extension, const std::string& description,
                                  TGraphicClass graphicClass) {
    Registry().push_back({Cp1251LowerCase(extension), description, graphicClass});
}

void TPicture::UnregisterGraphicClass(TGraphicClass graphicClass) {
    auto& formats = Registry();
    formats.erase(std::remove_if(formats.begin(), formats.end(),
                                 [&](const TFileFormat& f) { return f.GraphicClass == graphicClass; }),
                  formats.end());
}

const std::vector<TFileFormat>& TPicture::FileFormats() { return Registry(); }

TGraphicClass TPicture::FindGraphicClassByExtension(std::string_view extension) {
    const std::string wanted = Cp1251LowerCase(extension);
    const auto& formats = Registry();
    for (auto it = formats.rbegin(); it != formats.rend(); ++it)
        if (it->Extension == wanted) return it->GraphicClass;
    return nullptr;
}

TGraphicClass TPicture::FindGraphicClassByName(std::string_view className) {
    const auto& formats = Registry();
    for (auto it = formats.rbegin(); it != formats.rend(); ++it)
        if (className == it->GraphicClass->ClassName) return it->GraphicClass;
    return nullptr;
}

TPicture::TPicture() = default;

TPicture::~TPicture() = default;

void TPicture::Changed(TObject*) {
    if (OnChange) OnChange(this);
}

void TPicture::Adopt(std::unique_ptr<TGraphic> graphic) {
    FGraphic = std::move(graphic);
    if (FGraphic) {
        FGraphic->OnChange = [this](TObject* sender) { Changed(sender); };
        FGraphic->OnProgress = [this](TObject*, TProgressStage stage, std::uint8_t percent, bool redraw,
                                      const TRect& rect, const std::string& message) {
            if (OnProgress) OnProgress(this, stage, percent, redraw, rect, message);
        };
    }
    Changed(this);
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) { Adopt(std::move(graphic)); }

void TPicture::Assign(const TPicture* source) {
    if (source == this) return;
    Adopt(source && source->FGraphic ? source->FGraphic->Clone() : nullptr);
}

TBitmap& TPicture::Bitmap() {
    if (auto* bitmap = dynamic_cast<TBitmap*>(FGraphic.get())) return *bitmap;
    Adopt(std::make_unique<TBitmap>());
    return static_cast<TBitmap&>(*FGraphic);
}

int TPicture::Width() const { return FGraphic ? FGraphic->Width() : 0; }
int TPicture::Height() const { return FGraphic ? FGraphic->Height() : 0; }

void TPicture::LoadFromFile(const std::string& fileName) {
    std::string extension = PictureFileExtension(fileName);
    TGraphicClass graphicClass = FindGraphicClassByExtension(extension);
    if (!graphicClass) throw EInvalidGraphic("Unknown picture file extension (." + extension + ")");
    std::unique_ptr<TGraphic> graphic = graphicClass->Create();
    graphic->OnProgress = [this](TObject*, TProgressStage stage, std::uint8_t percent, bool redraw,
                                 const TRect& rect, const std::string& message) {
        if (OnProgress) OnProgress(this, stage, percent, redraw, rect, message);
    };
    graphic->LoadFromFile(fileName);
    Adopt(std::move(graphic));
}

void TPicture::SaveToFile(const std::string& fileName) {
    if (!FGraphic) return;
    TFileStream stream(fileName, fmCreate);
    FGraphic->SaveToStream(stream);
}

void TPicture::ReadData(TStream& stream) {
    std::uint8_t length = 0;
    stream.ReadBuffer(&length, 1);
    std::string className(length, '\0');
    stream.ReadBuffer(className.data(), length);
    std::unique_ptr<TGraphic> graphic;
    if (TGraphicClass graphicClass = FindGraphicClassByName(className)) {
        graphic = graphicClass->Create();
        graphic->ReadData(stream);
    }
    Adopt(std::move(graphic));
}

void TPicture::WriteData(TStream& stream) {
    std::string className = FGraphic ? FGraphic->ClassName() : "";
    std::uint8_t length = std::uint8_t(className.size());
    stream.WriteBuffer(&length, 1);
    stream.WriteBuffer(className.data(), length);
    if (FGraphic) FGraphic->WriteData(stream);
}
