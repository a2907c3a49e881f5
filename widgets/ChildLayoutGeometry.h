#pragma once

#include "base/QorApi.h"
#include "widgets/PixelRect.h"

// Anchor flags of one direction of a child (horizontal: near = left, far =
// right; vertical: near = top, far = bottom). No flag scales both edges with
// the parent.
enum ChildAnchor {
    kAnchorKeepSize = 1,        // the far edge keeps its distance from the near edge
    kAnchorKeepNearEdge = 2,    // the near edge does not move
    kAnchorFollowFarSide = 4,   // the far edge moves as much as the parent grew
};

// Where a child recorded at `captured` goes when its parent's size went from
// capturedParent to currentParent (only the sizes of the two parent
// rectangles count). Always computed from the captured rectangles, so
// repeated resizing does not drift. A captured parent without width or height
// leaves scaled edges where they were.
QOR_API PixelRect ResizeChildRect(const PixelRect& captured, int horizontalFlags, int verticalFlags,
                          const PixelRect& capturedParent, const PixelRect& currentParent);
