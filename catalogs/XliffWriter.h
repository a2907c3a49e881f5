#pragma once

#include <string>

#include "base/CString.h"
#include "base/QorApi.h"
#include "catalogs/Catalog.h"

// XLIFF 2.0, UTF-8: one <file> (its id names the catalogue, e.g. the mode)
// with a <unit id="uN"> per message, its update time as a note of category
// "updated", and one segment with the source and, when translated, the target
// (state "translated"; "initial" for a fuzzy one). Characters XML cannot hold
// (control characters, NUL, unpaired surrogates) are <cp hex="..."/>, and CR
// is a character reference, so every text comes back as it was.
QOR_API std::string QorWriteXliff(const CCatalog& catalog, const std::string& fileId);
