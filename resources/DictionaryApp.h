#pragma once

#include <windows.h>

#include "base/QorApi.h"

// The library's module object. When the library is loaded it records its own
// instance handle, where its dialog templates, icons and string table live,
// as the module resource handle.
class CDictionaryApp {
public:
    BOOL InitInstance();
    HINSTANCE m_hModuleResource = nullptr;
};

// The module resource handle; null only before start-up has finished.
QOR_API HINSTANCE QorGetModuleResourceHandle();
