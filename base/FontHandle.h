#pragma once

#include "base/LogFont.h"
#include "base/QorApi.h"

// Creates a font object from a logical font record (GDI's CreateFontIndirectW
// on Windows, an opaque copy of the record elsewhere); null on failure.
QOR_API HFONT QorCreateFont(const LOGFONTW& font);

// Releases a font made by QorCreateFont; null is ignored.
QOR_API void QorDeleteFont(HFONT font);
