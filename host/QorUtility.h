#pragma once

#include "base/CString.h"
#include "base/QorApi.h"

class COleVariant;

// The host's utility library. Paths come without a trailing backslash.
class QOR_API CQorUtility {
public:
    // "<module folder>\Help\QorHelp.chm".
    static CString GetHelpFile();
    // The folder of the host's modules: the executable's folder unless the
    // host has named another with SetModulePath.
    static CString GetModulePath();
    // For hosts whose modules live apart from their executable (and for
    // tests); an empty path returns to the executable's folder. UI thread only.
    static void SetModulePath(const CString& folder);
    // The parent of the module folder.
    static CString GetModuleUpperLevelPath();
    // A cell value as text: empty and null give "", text gives itself, any
    // other value its conversion to text in the invariant locale (so 1033.0
    // gives "1033" and 0.5 gives "0.5" whatever the user's settings);
    // a value that does not convert (an error cell) gives "".
    static CString VarToStr(const COleVariant& value);
};
