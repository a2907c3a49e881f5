#pragma once

#include "base/CString.h"
#include "base/QorApi.h"

// A pseudo-translation that shows at a glance what a real one would break:
// letters become accented look-alikes, the text is wrapped in [ ] and made
// longer by expandPercent of its shown length with '~', so cut-off texts, texts
// that were never translated and texts pieced together in code stand out.
// Placeholders, accelerator markers with their letter, && and the shortcut
// after a menu text's tab stay as they are, and so does the white space
// around the text, so the result passes the checks.
QOR_API CString QorPseudoTranslate(const CString& original, int expandPercent);
