#pragma once

#include <windows.h>

#include "base/QorApi.h"

// The library's module state: which module its resources (dialog templates,
// icons, strings) are loaded from at the moment.
struct QOR_API AFX_MODULE_STATE {
    HINSTANCE m_hCurrentResourceHandle = nullptr;
};

QOR_API AFX_MODULE_STATE* AfxGetModuleState();
