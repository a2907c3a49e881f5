#include "widgets/ChildLayoutGeometry.h"

namespace {

// One direction: near and far edges of the child, growth and scale of the parent.
void ResizeEdges(int nearEdge, int farEdge, int flags, int grown, double scale, int& outNear, int& outFar) {
    if (flags & kAnchorKeepNearEdge)
        outNear = nearEdge;
    else if ((flags & kAnchorKeepSize) && (flags & kAnchorFollowFarSide))
        outNear = nearEdge + grown;
    else
        outNear = int(nearEdge * scale);  // truncated toward zero
    if (flags & kAnchorFollowFarSide)
        outFar = farEdge + grown;
    else if (flags & kAnchorKeepSize)
        outFar = farEdge - nearEdge + outNear;
    else
        outFar = int(farEdge * scale);
}

double Scale(int now, int then) { return then != 0 ? double(now) / double(then) : 1.0; }

}  // namespace

PixelRect ResizeChildRect(const PixelRect& captured, int horizontalFlags, int verticalFlags,
                          const PixelRect& capturedParent, const PixelRect& currentParent) {
    PixelRect out;
    ResizeEdges(captured.left, captured.right, horizontalFlags, currentParent.Width() - capturedParent.Width(),
                Scale(currentParent.Width(), capturedParent.Width()), out.left, out.right);
    ResizeEdges(captured.top, captured.bottom, verticalFlags, currentParent.Height() - capturedParent.Height(),
                Scale(currentParent.Height(), capturedParent.Height()), out.top, out.bottom);
    return out;
}
