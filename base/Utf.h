#pragma once

#include <string>

#include "base/QorApi.h"

// UTF-8 <-> UTF-16. Invalid UTF-8 becomes U+FFFD; an unpaired surrogate in
// UTF-16 is written as U+FFFD too (callers that must keep it escape it first).
QOR_API std::u16string Utf8ToUtf16(const char* text, std::size_t length);
QOR_API std::string Utf16ToUtf8(const char16_t* text, std::size_t length);

// File names on POSIX are bytes in no particular encoding. These read them as
// UTF-8 where they are, and turn every other byte b into the lone surrogate
// U+DC00+b and back, so that any name survives the trip through UTF-16.
QOR_API std::u16string NativeNameToUtf16(const char* bytes, std::size_t length);
QOR_API std::string Utf16ToNativeName(const char16_t* text, std::size_t length);

// Appends one code point (at most U+10FFFF) as UTF-8.
QOR_API void AppendUtf8(std::string& out, char32_t codePoint);
