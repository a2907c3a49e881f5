#pragma once

#include <string_view>

#include "base/QorApi.h"
#include "catalogs/Catalog.h"

// Reads a GNU gettext PO file in UTF-8 (a header naming another charset is
// refused): the header's Language and X-Source-Language, and every message
// with its flags and the update time of an "#. updated" comment. Strings may
// continue over several lines and use every C escape msgfmt knows (octal and
// hex ones too). Obsolete "#~" messages are skipped. A message with a context
// (msgctxt) or plural forms is refused, since a dictionary has a place for
// neither; so are a NUL character, text that is not UTF-8 and a msgid given
// twice. Throws CCatalogException "line N: ...".
QOR_API CCatalog QorReadPo(std::string_view bytes);
