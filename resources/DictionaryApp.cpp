#include "resources/DictionaryApp.h"

#include "framework/ModuleState.h"

namespace {
CDictionaryApp theApp;
}

BOOL CDictionaryApp::InitInstance() {
    m_hModuleResource = AfxGetModuleState()->m_hCurrentResourceHandle;
    return TRUE;
}

HINSTANCE QorGetModuleResourceHandle() { return theApp.m_hModuleResource; }

// The framework's start-up of a library: its module state names the library
// as the place of its resources before the module object starts.
extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(hInstance);
        AfxGetModuleState()->m_hCurrentResourceHandle = hInstance;
        return theApp.InitInstance();
    }
    return TRUE;
}
