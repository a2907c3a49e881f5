#pragma once

#include "base/CString.h"
#include "base/QorApi.h"

// Converts 8-bit text to UTF-16 the way the platform reads legacy strings:
// through the machine's ANSI code page on Windows, through Windows-1252
// elsewhere (there is no ANSI code page to ask).
QOR_API CString QorAnsiToString(const char* text, std::size_t length);
