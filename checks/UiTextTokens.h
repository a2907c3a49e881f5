#pragma once

#include <string>
#include <vector>

#include "base/CString.h"
#include "base/QorApi.h"

// The parts of a user-interface text that a translation has to carry over as
// they are, told apart from the prose around them.
enum class UiTokenKind {
    Text,            // prose, white space and line breaks
    Printf,          // one C conversion: %d, %-5.2f, %I64u, %ls, %.*s
    PercentLiteral,  // %%
    Insert,          // a numbered insert that may move: %1, %1!d!, {0}, {0,8:N2}
    Accelerator,     // & and the character it underlines
    Ampersand,       // &&, an ampersand shown as such
    StrayAmpersand,  // & before white space or at the end: underlines nothing
    Shortcut,        // the key named after a menu text's tab: "Ctrl+O" of "&Open\tCtrl+O"
};

struct CUiToken {
    UiTokenKind kind;
    int start;   // in code units
    int length;  // in code units
};

// Tokens in text order, covering the whole text; adjacent prose is one token.
QOR_API std::vector<CUiToken> QorTokenizeUiText(const CString& text);

// Characters as the user sees them: a surrogate pair is one, an accelerator's
// & none, && one.
QOR_API int QorShownLength(const CString& text);
// The same in columns: an East Asian wide character (CJK, Hangul, full-width
// forms, most emoji) takes two, as it does on screen.
QOR_API int QorShownWidth(const CString& text);

// Space, tab, line breaks and the Unicode spaces (no-break, ideographic, ...).
QOR_API bool QorIsUiWhiteSpace(WCHAR ch);

// The argument a printf conversion such as "%-5.2f" or a "!d!" format reads,
// as a short key: equal keys read the same argument types ("%I64d" and "%lld",
// "%d" and "%5i"); a '*' width or precision adds an int before it.
QOR_API std::string QorPrintfArgumentKey(const WCHAR* conversion, int length);
