#include "support/test_application.h"
#include "toolkit/form.h"
#include "toolkit/region.h"

#include <QRegion>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(Region, SetOperationsWorkOnPixelsNotOnHowTheRectsAreSplit) {
    // Two halves of one square, by rows and by columns, are the same region.
    TRegion rows = TRegion::FromRects({Rect(0, 0, 4, 2), Rect(0, 2, 4, 4)});
    TRegion columns = TRegion::FromRects({Rect(0, 0, 2, 4), Rect(2, 0, 4, 4)});
    EXPECT_TRUE(rows == columns);
    EXPECT_TRUE(rows == TRegion(Rect(0, 0, 4, 4)));
    EXPECT_FALSE(rows == TRegion(Rect(0, 0, 4, 3)));

    TRegion u(Rect(0, 0, 2, 1));
    u.Unite(TRegion(Rect(5, 3, 6, 4)));
    EXPECT_EQ(u.BoundingRect(), Rect(0, 0, 6, 4));
    EXPECT_TRUE(u.Contains({1, 0}));
    EXPECT_FALSE(u.Contains({2, 0}));
    EXPECT_TRUE(u.Contains({5, 3}));
    u.Offset(10, 20);
    EXPECT_EQ(u.Rects(), (std::vector<TRect>{Rect(10, 20, 12, 21), Rect(15, 23, 16, 24)}));

    // Empty rectangles add nothing; a moved-from region is still a usable empty one.
    TRegion none = TRegion::FromRects({Rect(3, 3, 3, 9), Rect(0, 0, -1, 5)});
    EXPECT_TRUE(none.IsEmpty());
    EXPECT_TRUE(none == TRegion());
    TRegion taken = std::move(u);
    EXPECT_TRUE(u.IsEmpty());
    EXPECT_EQ(taken.BoundingRect(), Rect(10, 20, 16, 24));
}

TEST(Region, AWindowRegionShapesTheControlsWidget) {
    TestApplication();
    TForm form(nullptr);
    auto* control = new TCustomControl(&form);
    control->SetParent(&form);
    control->SetBounds(0, 0, 40, 30);
    EXPECT_FALSE(control->WindowRegion());

    TRegion shape = TRegion::FromRects({Rect(0, 0, 40, 10), Rect(10, 10, 30, 30)});
    control->SetWindowRegion(shape);
    ASSERT_TRUE(control->WindowRegion());
    EXPECT_TRUE(*control->WindowRegion() == shape);
    EXPECT_TRUE(control->Widget()->mask() == QRegion(0, 0, 40, 10).united(QRegion(10, 10, 20, 20)));

    // An empty region hides the whole window rather than meaning "no shape".
    control->SetWindowRegion(TRegion());
    EXPECT_FALSE(control->Widget()->mask().isEmpty());
    EXPECT_FALSE(control->Widget()->mask().intersects(QRect(0, 0, 40, 30)));

    control->SetWindowRegion(std::nullopt);
    EXPECT_TRUE(control->Widget()->mask().isEmpty());
}

} // namespace
