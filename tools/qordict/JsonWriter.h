#pragma once

#include <string>

#include "base/CString.h"

namespace qordict {

// A JSON string literal for UTF-16 text: UTF-8 for every valid code point,
// \uXXXX escapes for controls and for unpaired surrogates (which UTF-8 cannot
// carry), so nothing of the text is lost.
std::string JsonString(const WCHAR* text, int length);
inline std::string JsonString(const CString& text) { return JsonString(text.GetString(), text.GetLength()); }

// The shortest decimal form that reads back to the same double; non-finite
// values, which JSON numbers cannot hold, are written as the strings "NaN",
// "Infinity" and "-Infinity".
std::string JsonNumber(double value);

}  // namespace qordict
