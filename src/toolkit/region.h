#pragma once
// A window region: a set of pixels made of rectangles, as a window's shape. A value
// type; layers above the toolkit build and compare regions without seeing Qt.

#include "platform/basic_types.h"

#include <memory>
#include <vector>

class QRegion;

class TRegion {
public:
    TRegion();
    explicit TRegion(const TRect& rect);
    ~TRegion();
    TRegion(const TRegion& other);
    TRegion& operator=(const TRegion& other);
    TRegion(TRegion&& other) noexcept;
    TRegion& operator=(TRegion&& other) noexcept;

    // The union of the rectangles; empty ones add nothing.
    static TRegion FromRects(const std::vector<TRect>& rects);

    bool IsEmpty() const;
    TRect BoundingRect() const;
    // Non-overlapping rectangles covering the region, top to bottom, left to right.
    std::vector<TRect> Rects() const;
    bool Contains(TPoint point) const;

    void Unite(const TRegion& other);
    void Offset(int dx, int dy);

    // Equal when they cover the same pixels.
    friend bool operator==(const TRegion& a, const TRegion& b);

    // For the toolkit's own use.
    const QRegion& Native() const { return *FRegion; }

private:
    std::unique_ptr<QRegion> FRegion;
};
