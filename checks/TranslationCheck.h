#pragma once

#include <vector>

#include "base/CString.h"
#include "base/QorApi.h"

// An error breaks the program or its menus when the translation is shown (an
// argument read as the wrong type, a lost accelerator); a warning asks a
// translator to look again.
enum class CheckSeverity { Error, Warning };

enum class CheckKind {
    Printf,           // C conversions: same types in the same order
    Placeholder,      // %1, {0}: the same set, in any order
    Accelerator,      // the & markers
    AcceleratorText,  // the shortcut after a menu text's tab
    WhiteSpace,       // leading and trailing
    LineBreaks,
    Tabs,
    Unchanged,        // the translation is the original
    Untranslated,     // empty or missing while other languages have one
    Length,           // much longer than the original: may be cut off
};

struct CCheckFinding {
    CheckSeverity severity;
    CheckKind kind;
    CString message;  // short, plain English: "accelerator count differs"
};

// What a single pair of strings does not tell.
struct CCheckContext {
    bool hasEntry = true;              // the language has an entry for the word (perhaps empty)
    bool translatedElsewhere = false;  // another language translates the word
};

// The findings for one translation, errors before warnings. An empty
// translation shows the original, so it is only ever untranslated.
QOR_API std::vector<CCheckFinding> QorCheckTranslation(const CString& original, const CString& translation,
                                                       const CCheckContext& context = CCheckContext());

// "error" / "warning", and the kind as a stable lower-case name for machines.
QOR_API const char* QorCheckSeverityName(CheckSeverity severity);
QOR_API const char* QorCheckKindName(CheckKind kind);
