#pragma once

#include <string_view>

#include "base/QorApi.h"
#include "catalogs/Catalog.h"

// Reads XLIFF 2 (the 2.0 namespace, version 2.x) in UTF-8: srcLang and
// trgLang, and per <unit> (in files and groups, any depth) the sources and
// targets of its segments and ignorables joined in order, <cp> characters
// included, and the time of a note of category "updated". A unit is
// translated when each of its segments has a target; a target in some
// segments only is refused, and so is any inline markup other than <cp>
// (<ph>, <pc>, <mrk>, ...): its text cannot be merged without losing what the
// markup stands for. Elements of other modules and extensions are skipped.
// Segment states are not consulted: a target is the translation. Errors
// (XLIFF 1.x, malformed XML, a document type, text that is not UTF-8) throw
// CCatalogException.
QOR_API CCatalog QorReadXliff(std::string_view bytes);
