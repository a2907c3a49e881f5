#pragma once

#include "base/COleDateTime.h"
#include "base/CString.h"
#include "base/LoadArena.h"

class CDictWordElementData {
public:
    CString m_original;
    CString m_display;
    COleDateTime m_updated = COleDateTime::GetCurrentTime();

    static void* operator new(std::size_t bytes) { return ArenaAllocate(bytes); }
    static void operator delete(void* memory) noexcept { ArenaFree(memory); }
};
