#pragma once

#include <windows.h>

#include "base/QorApi.h"

// Makes this library's resources the current ones for one scope, so that
// dialog templates, icons and strings are found here while the library works
// on the host's behalf. Guards nest; each restores what was current before it.
class QOR_API CDLLLocalResource {
public:
    CDLLLocalResource();
    virtual ~CDLLLocalResource();
    CDLLLocalResource(const CDLLLocalResource&) = delete;
    CDLLLocalResource& operator=(const CDLLLocalResource&) = delete;

private:
    HINSTANCE m_hSaved;
};
