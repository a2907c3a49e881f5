#include "widgets/SplitterGeometry.h"

#include <algorithm>

SplitterDragRange SplitterDragLimits(const PixelRect& parentArea, const std::vector<PixelRect>& leftPanes,
                                     const std::vector<PixelRect>& rightPanes, int minLeftWidth, int minRightWidth) {
    SplitterDragRange range;
    range.minX = parentArea.left + minLeftWidth;
    for (const PixelRect& pane : leftPanes) range.minX = std::max(range.minX, pane.left + minLeftWidth);
    range.maxX = parentArea.right - minRightWidth;
    for (const PixelRect& pane : rightPanes) range.maxX = std::min(range.maxX, pane.right - minRightWidth);
    return range;
}

PixelRect SplitterCursorClip(const SplitterDragRange& range, const PixelRect& bar, int grabX) {
    return PixelRect{range.minX + grabX, bar.top, range.maxX - bar.Width() + grabX + 1, bar.bottom};
}

PixelRect LeftPaneBesideBar(const PixelRect& pane, const PixelRect& bar) {
    return PixelRect{pane.left, pane.top, bar.left - 1, pane.bottom};
}

PixelRect RightPaneBesideBar(const PixelRect& pane, const PixelRect& bar) {
    return PixelRect{bar.right + 1, pane.top, pane.right, pane.bottom};
}
