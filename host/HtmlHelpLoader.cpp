#include "host/HtmlHelpLoader.h"

#include <vector>

CHtmlHelpLoader::CHtmlHelpLoader(HKEY root, const WCHAR* keyPath, const WCHAR* fallbackName)
    : m_root(root), m_keyPath(keyPath), m_fallbackName(fallbackName) {}

CHtmlHelpLoader::~CHtmlHelpLoader() {
    if (m_module) FreeLibrary(m_module);
}

CHtmlHelpLoader& CHtmlHelpLoader::Platform() {
    static CHtmlHelpLoader loader(HKEY_CLASSES_ROOT,
                                  L"CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32",
                                  L"hhctrl.ocx");
    return loader;
}

CString CHtmlHelpLoader::ControlPath() const {
    HKEY key = nullptr;
    if (RegOpenKeyExW(m_root, m_keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return m_fallbackName;
    CString path;
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key, nullptr, nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ) && bytes >= sizeof(WCHAR)) {
        std::vector<WCHAR> value(bytes / sizeof(WCHAR) + 1, 0);
        if (RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &bytes) ==
            ERROR_SUCCESS) {
            path = value.data();
            if (type == REG_EXPAND_SZ) {
                DWORD needed = ExpandEnvironmentStringsW(value.data(), nullptr, 0);
                std::vector<WCHAR> expanded(needed + 1, 0);
                if (needed && ExpandEnvironmentStringsW(value.data(), expanded.data(), needed + 1)) {
                    path = expanded.data();
                }
            }
        }
    }
    RegCloseKey(key);
    return path.IsEmpty() ? m_fallbackName : path;
}

void CHtmlHelpLoader::Load() {
    m_tried = true;
    ++m_loadAttempts;
    m_module = LoadLibraryW(ControlPath());
    if (m_module) m_proc = reinterpret_cast<HtmlHelpProc>(reinterpret_cast<void*>(GetProcAddress(m_module, MAKEINTRESOURCEA(15))));
}

HWND CHtmlHelpLoader::Call(HWND hwndCaller, LPCWSTR file, UINT command, DWORD_PTR data) {
    if (!m_tried) Load();
    return m_proc ? m_proc(hwndCaller, file, command, data) : nullptr;
}
