// Geometry of the child layout and of the splitter bar.
#include <gtest/gtest.h>

#include "widgets/ChildLayoutGeometry.h"
#include "widgets/SplitterGeometry.h"

namespace {

const PixelRect kPage{0, 0, 400, 300};
const PixelRect kChild{100, 50, 180, 80};

PixelRect Grown(int dx, int dy) { return PixelRect{kPage.left, kPage.top, kPage.right + dx, kPage.bottom + dy}; }

}  // namespace

TEST(ChildLayout, EachAnchorCombinationMovesTheEdgesItNames) {
    const PixelRect wider = Grown(200, 0);  // 400 → 600 wide
    // 0 scales both edges: 1.5 × the captured position.
    EXPECT_EQ(ResizeChildRect(kChild, 0, 0, kPage, wider), (PixelRect{150, 50, 270, 80}));
    // 3 keeps the child in place, 6 stretches it, 5 moves it with the right side.
    EXPECT_EQ(ResizeChildRect(kChild, 3, 3, kPage, wider), kChild);
    EXPECT_EQ(ResizeChildRect(kChild, 6, 3, kPage, wider), (PixelRect{100, 50, 380, 80}));
    EXPECT_EQ(ResizeChildRect(kChild, 5, 3, kPage, wider), (PixelRect{300, 50, 380, 80}));
    // Vertically the same rules apply to top and bottom.
    EXPECT_EQ(ResizeChildRect(kChild, 3, 5, kPage, Grown(0, -30)), (PixelRect{100, 20, 180, 50}));
    EXPECT_EQ(ResizeChildRect(kChild, 3, 6, kPage, Grown(0, 100)), (PixelRect{100, 50, 180, 180}));
}

TEST(ChildLayout, ScalingTruncatesTowardZeroAndBackToCapturedSizeRestoresEveryChild) {
    // 7 × 401/400 = 7.0175 and 13 × 401/400 = 13.03: both truncate.
    EXPECT_EQ(ResizeChildRect(PixelRect{7, 7, 13, 13}, 0, 0, kPage, Grown(1, 1)), (PixelRect{7, 7, 13, 13}));
    // Negative coordinates (a child partly outside) truncate toward zero too.
    EXPECT_EQ(ResizeChildRect(PixelRect{-3, 0, 10, 10}, 0, 3, kPage, Grown(200, 0)).left, -4);
    for (int flags : {0, 3, 5, 6}) {
        EXPECT_EQ(ResizeChildRect(kChild, flags, flags, kPage, Grown(0, 0)), kChild) << flags;
        // The page may move on screen: only its size matters.
        EXPECT_EQ(ResizeChildRect(kChild, flags, flags, kPage, PixelRect{50, 60, 450, 360}), kChild) << flags;
    }
    // A page captured without size gives no scale: scaled edges stay put.
    EXPECT_EQ(ResizeChildRect(kChild, 0, 0, PixelRect{}, Grown(10, 10)), kChild);
}

TEST(Splitter, DragLimitsKeepEveryPaneAtItsMinimumWidth) {
    const PixelRect area{100, 100, 700, 400};
    SplitterDragRange range = SplitterDragLimits(area, {}, {}, 120, 120);
    EXPECT_EQ(range.minX, 220);
    EXPECT_EQ(range.maxX, 580);
    // A left pane starting further right raises the minimum; a right pane
    // ending further left lowers the maximum; panes that give less do nothing.
    range = SplitterDragLimits(area, {PixelRect{150, 0, 300, 10}, PixelRect{90, 0, 300, 10}},
                               {PixelRect{400, 0, 650, 10}, PixelRect{400, 0, 900, 10}}, 120, 120);
    EXPECT_EQ(range.minX, 270);
    EXPECT_EQ(range.maxX, 530);
    EXPECT_TRUE(range.HasRoom());
    // 120 + 120 does not fit into 239 pixels: no drag at all.
    EXPECT_FALSE(SplitterDragLimits(PixelRect{0, 0, 239, 10}, {}, {}, 120, 120).HasRoom());
    EXPECT_TRUE(SplitterDragLimits(PixelRect{0, 0, 241, 10}, {}, {}, 120, 120).HasRoom());

    // The cursor may travel so that the bar's left edge stays inside the range.
    const PixelRect bar{300, 105, 305, 395};
    EXPECT_EQ(SplitterCursorClip(SplitterDragLimits(area, {}, {}, 120, 120), bar, 2),
              (PixelRect{222, 105, 578, 395}));
}

TEST(Splitter, PanesCloseUpToTheBarKeepingTheirOuterEdge) {
    const PixelRect bar{206, 5, 211, 275};
    EXPECT_EQ(LeftPaneBesideBar(PixelRect{5, 5, 150, 275}, bar), (PixelRect{5, 5, 205, 275}));
    EXPECT_EQ(RightPaneBesideBar(PixelRect{250, 5, 600, 240}, bar), (PixelRect{212, 5, 600, 240}));
}
