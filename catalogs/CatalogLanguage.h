#pragma once

#include "base/CString.h"
#include "base/QorApi.h"
#include "base/Types.h"

// Language names in catalogues. XLIFF writes BCP 47 tags ("de-DE"), PO files
// gettext's form ("de_DE", a script as a modifier: "sr_CS@cyrillic").

// The BCP 47 tag of an LCID; "x-lcid-0c0a" (a private-use tag) for one the
// locale table does not know.
QOR_API CString QorCatalogLanguageTag(DWORD lcid);

// The gettext name of an LCID; empty for one the locale table does not know.
QOR_API CString QorPoLanguageName(DWORD lcid);

// Whether a catalogue that names its language so may be read as the language
// lcid: no name, the same name in either form (letter case, '-' or '_',
// script, charset and modifier aside), or only the language part of it ("de"
// for de-DE).
QOR_API bool QorCatalogLanguageFits(const CString& name, DWORD lcid);
