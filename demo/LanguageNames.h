#pragma once

#include "base/CString.h"
#include "model/LocaleNames.h"
#include "translate/TextHelpers.h"

// The platform's names of a language, or the library's where the platform has
// none (Wine knows no pseudo-locale).
inline CString LanguageLocale(DWORD lcid) {
    const char* known = QorLocaleName(lcid);
    return known ? CString::FromUtf8(known) : GetLCIDLocaleName(lcid);
}

inline CString LanguageNativeName(DWORD lcid) {
    const CString platform = GetLCIDNativeName(lcid);
    const char* known = QorNativeLanguageName(lcid);
    return platform == CString(L"Not supported language") && known ? CString::FromUtf8(known) : platform;
}
