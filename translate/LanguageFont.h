#pragma once

#include <windows.h>

// The font object for a language's font record. One object is made per
// distinct record and kept until the library unloads: windows hold the
// handle for as long as they live, and switching languages any number of
// times makes no new objects. Null when the font cannot be made.
HFONT GetLanguageFont(const LOGFONTW& font);
