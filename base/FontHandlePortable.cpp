#include <new>

#include "base/FontHandle.h"

// Without GDI a font object is a private copy of the record it was made from.
struct HFONT__ {
    LOGFONTW font;
};

HFONT QorCreateFont(const LOGFONTW& font) { return new (std::nothrow) HFONT__{font}; }

void QorDeleteFont(HFONT font) { delete font; }
