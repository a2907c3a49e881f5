#pragma once

#include "base/QorApi.h"
#include "base/Types.h"

// Names of the languages the dictionary commonly holds, for programs that run
// without the platform's locale data (the command-line tool, workbook headings
// on Linux). Each returns null for an ID the table does not know.
QOR_API const char* QorLocaleName(DWORD lcid);          // "en-GB", UTF-8
QOR_API const char* QorNativeLanguageName(DWORD lcid);  // "English", in the language itself, UTF-8
// The ID of a locale name of the table ("de-DE", any letter case); 0 if unknown.
QOR_API DWORD QorLocaleNameToLcid(const char* name);
