#pragma once

#include "base/COleDateTime.h"
#include "base/CString.h"

class CDictWordElementData {
public:
    CString m_original;
    CString m_display;
    COleDateTime m_updated = COleDateTime::GetCurrentTime();
};
