#pragma once
// Pictures: the abstract TGraphic every picture type derives from, its errors and
// its notices. A picture draws itself into a rectangle of a canvas and tells its
// holder when it changes.

#include "platform/basic_types.h"
#include "platform/exceptions.h"
#include "toolkit/canvas.h"
#include "toolkit/component.h"
#include "toolkit/events.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TStream;
class TGraphic;

// A picture file or stream that cannot be read as the type it claims to be.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// An operation the picture type does not allow.
class EInvalidGraphicOperation : public Exception {
public:
    using Exception::Exception;
};

enum TProgressStage { psStarting, psRunning, psEnding };
using TProgressEvent = std::function<void(TObject* sender, TProgressStage stage,
                                          std::uint8_t percentDone, bool redrawNow,
                                          const TRect& rect, const std::string& message)>;

// A picture type as the file format registry and stored pictures know it.
struct TGraphicClassInfo {
    const char* ClassName;
    std::unique_ptr<TGraphic> (*Create)();
};
using TGraphicClass = const TGraphicClassInfo*;

class TGraphic : public TObject, public TCanvasDrawable {
public:
    TGraphic() = default;
    TGraphic(const TGraphic&) = delete;
    TGraphic& operator=(const TGraphic&) = delete;

    virtual TGraphicClass GraphicClass() const = 0;
    const char* ClassName() const override { return GraphicClass()->ClassName; }

    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int value) = 0;
    virtual void SetHeight(int value) = 0;

    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool value);
    // Metafiles and icons keep their own transparency; an image view leaves it alone.
    virtual bool KeepsOwnTransparency() const { return false; }

    // Colours of the picture's palette; empty when it has none.
    virtual std::vector<TColor> Palette() const { return {}; }
    bool PaletteModified() const { return FPaletteModified; }
    void SetPaletteModified(bool value) { FPaletteModified = value; }

    // Loading replaces the picture; on failure it raises and the caller discards it.
    virtual void LoadFromStream(TStream& stream) = 0;
    virtual void SaveToStream(TStream& stream) = 0;
    // Opened for reading with others allowed to read.
    virtual void LoadFromFile(const std::string& fileName);

    // The picture as a stored window records it (after the type name).
    virtual void ReadData(TStream& stream) { LoadFromStream(stream); }
    virtual void WriteData(TStream& stream) { SaveToStream(stream); }

    // A new picture of the same type holding the same image.
    virtual std::unique_ptr<TGraphic> Clone() const = 0;

    void Draw(TCanvas& canvas, const TRect& rect) override = 0;

    TNotifyEvent OnChange;
    TProgressEvent OnProgress;

protected:
    void Changed();
    void Progress(TProgressStage stage, std::uint8_t percentDone, bool redrawNow, const TRect& rect,
                  const std::string& message);

private:
    bool FTransparent = false;
    bool FPaletteModified = false;
};

// Declares the registry identity of a picture type inside its class.
#define VITRINA_GRAPHIC_CLASS(Type)                                                       \
public:                                                                                   \
    static TGraphicClass Class() {                                                        \
        static const TGraphicClassInfo info{#Type, [] { return std::unique_ptr<TGraphic>(new Type()); }}; \
        return &info;                                                                     \
    }                                                                                     \
    TGraphicClass GraphicClass() const override { return Class(); }
