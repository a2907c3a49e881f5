#pragma once

#include <windows.h>

#include "base/CString.h"
#include "base/QorApi.h"

// Finds HtmlHelpW in the platform's HTML help control on first use. The
// control's file is the default value of a registry key (environment
// variables expanded for REG_EXPAND_SZ), else a fallback file name; the
// function is its export number 15. A control that fails to load is not
// tried again; a call without the function does nothing and returns null.
class QOR_API CHtmlHelpLoader {
public:
    typedef HWND(WINAPI* HtmlHelpProc)(HWND, LPCWSTR, UINT, DWORD_PTR);

    CHtmlHelpLoader(HKEY root, const WCHAR* keyPath, const WCHAR* fallbackName);
    ~CHtmlHelpLoader();
    CHtmlHelpLoader(const CHtmlHelpLoader&) = delete;
    CHtmlHelpLoader& operator=(const CHtmlHelpLoader&) = delete;

    HWND Call(HWND hwndCaller, LPCWSTR file, UINT command, DWORD_PTR data);

    // The file the control is loaded from.
    CString ControlPath() const;
    int LoadAttempts() const { return m_loadAttempts; }
    bool HasFunction() const { return m_proc != nullptr; }

    // The loader of the registered HTML help control (HKEY_CLASSES_ROOT,
    // "hhctrl.ocx" as fallback), shared by every help call of the library.
    static CHtmlHelpLoader& Platform();

private:
    void Load();

    HKEY m_root;
    CString m_keyPath;
    CString m_fallbackName;
    bool m_tried = false;
    int m_loadAttempts = 0;
    HMODULE m_module = nullptr;
    HtmlHelpProc m_proc = nullptr;
};
