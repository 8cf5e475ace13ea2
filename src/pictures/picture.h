#pragma once
// TPicture holds at most one picture and loads files by their extension through the
// process-wide file format registry.

#include "pictures/graphic.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TBitmap;

// One registered file format; the extension is lower-case, without the dot.
struct TFileFormat {
    std::string Extension;
    std::string Description;
    TGraphicClass GraphicClass = nullptr;
};

// The text after the last "." that follows the last "\", "/" or ":"; empty when
// there is none.
std::string PictureFileExtension(std::string_view fileName);

class TPicture : public TObject {
public:
    TPicture();
    ~TPicture() override;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;
    const char* ClassName() const override { return "TPicture"; }

    TGraphic* Graphic() const { return FGraphic.get(); }
    // Adopts the picture (none clears the holder) and signals a change.
    void SetGraphic(std::unique_ptr<TGraphic> graphic);
    // Holds a copy of the other holder's picture; null clears.
    void Assign(const TPicture* source);
    // The picture as a bitmap; another type (or none) is replaced by an empty bitmap.
    TBitmap& Bitmap();

    int Width() const;
    int Height() const;

    // Picks the type by the file's extension. On any failure the holder keeps its
    // picture.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);

    // Stored-window encoding: a one-byte length and the type name, then the type's
    // own data. A name that is not registered gives an empty holder.
    void ReadData(TStream& stream);
    void WriteData(TStream& stream);

    TNotifyEvent OnChange;
    TProgressEvent OnProgress;

    // The file format registry: created with its built-in entries on first use.
    static void RegisterFileFormat(const std::string& extension, const std::string& description,
                                   TGraphicClass graphicClass);
    // Removes every entry of the type.
    static void UnregisterGraphicClass(TGraphicClass graphicClass);
    static const std::vector<TFileFormat>& FileFormats();
    // Searches from the last registered entry back; the extension is lower-cased first.
    static TGraphicClass FindGraphicClassByExtension(std::string_view extension);
    static TGraphicClass FindGraphicClassByName(std::string_view className);

private:
    void Changed(TObject* sender);
    void Adopt(std::unique_ptr<TGraphic> graphic);

    std::unique_ptr<TGraphic> FGraphic;
};
