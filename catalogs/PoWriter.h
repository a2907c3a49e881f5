#pragma once

#include <string>

#include "base/CString.h"
#include "base/QorApi.h"
#include "catalogs/Catalog.h"

// GNU gettext PO files, UTF-8. A header entry names the language (gettext's
// form, see CatalogLanguage.h), the source language and the charset; each
// message has its update time as an extracted comment ("#. updated
// 2026-12-07T10:00:00", which msgcat, msgmerge, polib and the translate
// toolkit keep), the flags "fuzzy" and "c-format" as the message has them,
// msgid and msgstr. Strings escape backslash, quote, tab, CR and LF as C does
// and break after each LF; other control characters are written as they are,
// as msgcat does, because polib and the translate toolkit read no octal or hex
// escapes.

// Whether a PO string can hold the text: no NUL (gettext ends strings there)
// and no unpaired surrogate (UTF-8 has no form for one).
QOR_API bool QorPoCanHold(const CString& text);

// The file's bytes. Throws CCatalogException for a message QorPoCanHold refuses.
QOR_API std::string QorWritePo(const CCatalog& catalog);
