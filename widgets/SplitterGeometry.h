#pragma once

#include "base/QorApi.h"
#include <vector>

#include "widgets/PixelRect.h"

// The range the left edge of a splitter bar may be dragged to, in screen
// pixels: every pane keeps at least its minimum width. Empty (minX >= maxX)
// when there is no room.
struct SplitterDragRange {
    int minX = 0;
    int maxX = 0;
    bool HasRoom() const { return minX < maxX; }
};

QOR_API SplitterDragRange SplitterDragLimits(const PixelRect& parentArea, const std::vector<PixelRect>& leftPanes,
                                     const std::vector<PixelRect>& rightPanes, int minLeftWidth, int minRightWidth);

// The cursor clip while dragging a bar grabbed at grabX (bar client x).
QOR_API PixelRect SplitterCursorClip(const SplitterDragRange& range, const PixelRect& bar, int grabX);

// The panes beside a bar at `bar` (all in the parent's client coordinates):
// a left pane keeps left, top and height and ends just left of the bar; a
// right pane keeps right, top and height and starts just right of it.
QOR_API PixelRect LeftPaneBesideBar(const PixelRect& pane, const PixelRect& bar);
QOR_API PixelRect RightPaneBesideBar(const PixelRect& pane, const PixelRect& bar);
