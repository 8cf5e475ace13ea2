#include "toolkit/region.h"

#include "toolkit/qt_bridge.h"

#include <QRegion>

TRegion::TRegion() : FRegion(std::make_unique<QRegion>()) {}

TRegion::TRegion(const TRect& rect)
    : FRegion(std::make_unique<QRegion>(IsRectEmpty(rect) ? QRect() : ToQRect(rect))) {}

TRegion::~TRegion() = default;

TRegion::TRegion(const TRegion& other) : FRegion(std::make_unique<QRegion>(*other.FRegion)) {}

TRegion& TRegion::operator=(const TRegion& other) {
    *FRegion = *other.FRegion;
    return *this;
}

// A moved-from region stays a valid empty one.
TRegion::TRegion(TRegion&& other) noexcept : TRegion() {
    FRegion.swap(other.FRegion);
}

TRegion& TRegion::operator=(TRegion&& other) noexcept {
    FRegion.swap(other.FRegion);
    return *this;
}

namespace {

// Halves united pairwise, so thousands of mask runs cost n log n, not n squared.
QRegion UniteRange(const std::vector<TRect>& rects, size_t from, size_t to) {
    if (to - from == 1) return IsRectEmpty(rects[from]) ? QRegion() : QRegion(ToQRect(rects[from]));
    size_t middle = from + (to - from) / 2;
    return UniteRange(rects, from, middle).united(UniteRange(rects, middle, to));
}

} // namespace

TRegion TRegion::FromRects(const std::vector<TRect>& rects) {
    TRegion region;
    if (!rects.empty()) *region.FRegion = UniteRange(rects, 0, rects.size());
    return region;
}

bool TRegion::IsEmpty() const {
    return FRegion->isEmpty();
}

TRect TRegion::BoundingRect() const {
    return IsEmpty() ? TRect{} : FromQRect(FRegion->boundingRect());
}

std::vector<TRect> TRegion::Rects() const {
    std::vector<TRect> rects;
    for (const QRect& r : *FRegion)
        rects.push_back(FromQRect(r));
    return rects;
}

bool TRegion::Contains(TPoint point) const {
    return FRegion->contains(QPoint(point.X, point.Y));
}

void TRegion::Unite(const TRegion& other) {
    *FRegion = FRegion->united(*other.FRegion);
}

void TRegion::Offset(int dx, int dy) {
    FRegion->translate(dx, dy);
}

// Qt compares rectangle lists, which differ for one set of pixels split another way.
bool operator==(const TRegion& a, const TRegion& b) {
    return a.FRegion->xored(*b.FRegion).isEmpty();
}
