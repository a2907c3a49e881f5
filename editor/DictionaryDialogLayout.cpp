#include "editor/DictionaryDialogLayout.h"

namespace {
PixelRect At(int left, int top, int width, int height) { return PixelRect{left, top, left + width, top + height}; }
}  // namespace

DictionaryDialogLayout LayOutDictionaryDialog(const PixelRect& c) {
    const int columnHeight = (c.bottom - 5) - (c.top + 5);
    DictionaryDialogLayout layout;
    layout.tree = At(c.left + 5, c.top + 5, 200, columnHeight);
    layout.splitter = At(c.left + 206, c.top + 5, 5, columnHeight);
    layout.pageArea = PixelRect{c.left + 212, c.top + 5, c.right - 5, c.bottom - 35};
    layout.cancelButton = At(c.right - 105, c.bottom - 30, 100, 25);
    layout.okButton = At(c.right - 215, c.bottom - 30, 100, 25);
    return layout;
}
