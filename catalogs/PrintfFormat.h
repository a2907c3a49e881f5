#pragma once

#include <vector>

#include "base/CString.h"
#include "base/QorApi.h"

// printf formats as GNU gettext's msgfmt --check-format compares them: a
// translation has to take the same arguments as the original, of the same
// types, in any order (numbered "%2$s" arguments may reorder them).
//
// The reading is stricter than msgfmt's wherever that is the safe side: a
// directive it is not sure of (the space flag, which "100% sure" would start,
// "%n", "%m", "%I64d", "%<PRId64>", flags before "%%") makes the text no
// format. An original that is no format is not marked c-format, so msgfmt
// checks nothing; a translation that is no format fails the comparison. So
// whatever this accepts, msgfmt accepts too.
struct QOR_API CPrintfFormat {
    bool valid = false;
    std::vector<int> arguments;  // a type code per argument, by argument number
};

QOR_API CPrintfFormat QorParsePrintfFormat(const CString& text);

// A valid format that takes at least one argument.
QOR_API bool QorIsPrintfFormat(const CString& text);

// The translation is a valid format with exactly the original's arguments.
QOR_API bool QorSamePrintfArguments(const CString& original, const CString& translation);
