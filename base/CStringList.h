#pragma once

#include "base/CList.h"
#include "base/CString.h"

// The framework's list of strings.
class CStringList : public CList<CString, const CString&> {};
