#include <windows.h>

#include "base/FontHandle.h"

HFONT QorCreateFont(const LOGFONTW& font) { return CreateFontIndirectW(&font); }

void QorDeleteFont(HFONT font) {
    if (font) DeleteObject(font);
}
