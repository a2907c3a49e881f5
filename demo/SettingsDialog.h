#pragma once

#include <windows.h>

#include "translate/WndResourcePool.h"

class CQorDictionaryManager;

// The settings dialog: tab control, combo box, list view with column headers
// and buttons. It relabels itself with its own window pool when it opens and
// whenever the language changes while it is open.
class CSettingsDialog {
public:
    explicit CSettingsDialog(CQorDictionaryManager* manager) : m_manager(manager) {}
    CSettingsDialog(const CSettingsDialog&) = delete;
    CSettingsDialog& operator=(const CSettingsDialog&) = delete;
    ~CSettingsDialog();

    INT_PTR DoModal(HWND parent);
    // Opens the dialog without a modal loop (for screenshots).
    HWND Create(HWND parent);
    void ChangeLanguage();
    HWND GetHwnd() const { return m_hWnd; }

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();

    CQorDictionaryManager* m_manager;
    CWndResourcePool m_pool;
    HWND m_hWnd = nullptr;
    bool m_modeless = false;
};
