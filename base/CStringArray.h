#pragma once

#include "base/CList.h"
#include "base/CString.h"

// The framework's array of strings.
typedef CArrayOf<CString> CStringArray;
