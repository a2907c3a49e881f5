#pragma once

#include "base/QorApi.h"
#include <cstddef>

#include "base/Types.h"

// The languages the editor knows from the start (Windows LCIDs), in the order
// an empty dictionary is seeded with them.
class QOR_API BuiltInLanguageTable {
public:
    static const DWORD* begin();
    static const DWORD* end();
    static std::size_t size();
    // True for an ID in the table: such a language's ID is not editable.
    static bool Contains(DWORD languageId);
};
