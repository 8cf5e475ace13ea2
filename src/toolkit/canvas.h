#pragma once
// A drawing surface with the platform's conventions: rectangles exclude their right
// and bottom edges, lines exclude their end point, text is 8-bit code page 1251 and
// is drawn with its top-left corner at the given point. Drawing on a pixel buffer or,
// during a paint, on a window.

#include "platform/basic_types.h"
#include "toolkit/font.h"

#include <memory>
#include <optional>
#include <utility>
#include <string>
#include <string_view>
#include <vector>

class QPainter;
class TPixelBuffer;

enum TPenStyle { psSolid, psDash, psDot, psClear };
enum TBrushStyle { bsSolid, bsClear };

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
};

// Something that can draw itself into a rectangle of a canvas (pictures do).
class TCanvasDrawable {
public:
    virtual ~TCanvasDrawable() = default;
    virtual void Draw(class TCanvas& canvas, const TRect& rect) = 0;
};

class TCanvas {
public:
    // A canvas over a pixel buffer; painting starts lazily.
    explicit TCanvas(TPixelBuffer& target);
    // A canvas over a painter that someone else began (a window's paint).
    explicit TCanvas(QPainter& painter);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TFont& Font() { return FFont; }
    TPen& Pen() { return FPen; }
    TBrush& Brush() { return FBrush; }
    void SetFont(const TFont& font) { FFont.Assign(font); }
    // Device pixels to a pixel of what this canvas draws on (see TPixelBuffer).
    int DeviceScale();

    void FillRect(const TRect& rect);
    void FrameRect(const TRect& rect);
    void Rectangle(const TRect& rect);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    TPoint PenPos() const;
    void DrawFocusRect(const TRect& rect);

    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);

    void TextOut(int x, int y, std::string_view text);
    // Text clipped to the rectangle; a solid brush fills the rectangle first.
    void TextRect(const TRect& clip, int x, int y, std::string_view text);
    int TextWidth(std::string_view text);
    int TextHeight(std::string_view text);

    // One-to-one or stretching copy of a rectangle of a pixel buffer, rows and
    // columns repeated or dropped, never blended.
    void CopyRect(const TRect& dest, const TPixelBuffer& source, const TRect& sourceRect);
    // The source rectangle repeated over dest from its top-left corner, the last
    // repetitions cut at its right and bottom edges; one copy when it fits.
    void TileRect(const TRect& dest, const TPixelBuffer& source, const TRect& tile);
    void Draw(int x, int y, const TPixelBuffer& source);
    void StretchDraw(const TRect& dest, const TPixelBuffer& source);
    // Copies the buffer leaving out every pixel of the transparent colour.
    void DrawTransparent(int x, int y, const TPixelBuffer& source, TColor transparentColor);
    void Draw(int x, int y, TCanvasDrawable& graphic, int width, int height);
    void StretchDraw(const TRect& dest, TCanvasDrawable& graphic);

    // Saved and restored with the origin and clipping, as a parent does around
    // painting a windowless child.
    void SaveState();
    void RestoreState();
    int SaveDepth() const { return FSaveDepth; }
    // Restores states until only `depth` are saved.
    void RestoreStateTo(int depth);
    void MoveOrigin(int dx, int dy);
    void IntersectClipRect(const TRect& rect);
    TRect ClipRect();

    // Ends any painting in progress on a pixel buffer so its pixels can be read.
    void Flush();

private:
    QPainter& Painter();
    void ApplyPen();
    void ApplyBrush();
    void PlotLine(int x0, int y0, int x1, int y1);

    TPixelBuffer* FTarget = nullptr;
    std::unique_ptr<QPainter> FOwnPainter;
    QPainter* FPainter = nullptr;
    TFont FFont;
    TPen FPen;
    TBrush FBrush;
    mutable TPoint FPenPos;
    // The text last written, until the pen's place after it is asked for.
    mutable std::optional<std::pair<std::string, TFont>> FPendingText;
    int FSaveDepth = 0;
};

// A saved canvas state for the length of a scope: a paint that throws, even with
// states of its own still saved, leaves the canvas as it found it.
class TCanvasState {
public:
    explicit TCanvasState(TCanvas& canvas) : FCanvas(canvas), FDepth(canvas.SaveDepth()) { canvas.SaveState(); }
    ~TCanvasState() { FCanvas.RestoreStateTo(FDepth); }
    TCanvasState(const TCanvasState&) = delete;
    TCanvasState& operator=(const TCanvasState&) = delete;

private:
    TCanvas& FCanvas;
    int FDepth;
};

