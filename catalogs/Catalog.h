#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/COleDateTime.h"
#include "base/CString.h"
#include "base/Exceptions.h"
#include "base/QorApi.h"

// One message of a translation catalogue: an original string and its
// translation in the catalogue's target language.
struct QOR_API CCatalogMessage {
    CString original;
    CString translation;  // empty: not translated
    COleDateTime updated{0.0, COleDateTime::null};  // null when the file gives no time
    bool fuzzy = false;    // needs a translator's review; never imported as a translation
    bool cFormat = false;  // the original is a printf format the translation has to follow
    long line = 0;         // where the message starts in the file it was read from
};

// A catalogue of one language and mode, as PO and XLIFF files hold it. The
// languages are locale tags as the file writes them ("de-DE" or "de_DE"),
// empty when it names none.
struct QOR_API CCatalog {
    CString sourceLanguage;
    CString targetLanguage;
    std::vector<CCatalogMessage> messages;
};

// A catalogue file that cannot be read: one English sentence for the user.
class QOR_API CCatalogException : public CException {
public:
    using CException::CException;
};

// "2026-12-07T10:00:00", or empty for a time that is not valid.
QOR_API std::string QorCatalogTimeText(const COleDateTime& time);
// The time of such a text; null status when it is not one.
QOR_API COleDateTime QorCatalogTimeFromText(const std::string& text);

// Well-formed UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
QOR_API bool QorIsValidUtf8(std::string_view text);
