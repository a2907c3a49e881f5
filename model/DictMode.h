#pragma once

#include "base/Types.h"

// Which half of a language a word operation works on.
enum DICTMODE : int {
    DICTMODE_SYSTEM = 0,   // texts of the host application
    DICTMODE_PROJECT = 1,  // texts of the user's project
};

// The language ID of a fresh language, and what ID getters give without data.
constexpr DWORD LANGID_NONE = 0x0800;
