#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "framework/ToolBar.h"
#include "translate/MenuResourcePool.h"
#include "translate/ToolBarResourcePool.h"
#include "translate/WndResourcePool.h"

class CQorDictionaryManager;
class CSettingsDialog;

// The demo host's main window: a menu, a toolbar with tooltips, a status bar
// and a few labels, each relabelled by its own pool: a window pool for the
// caption and the child controls, a menu pool for the menu bar and a toolbar
// pool for the tooltips.
class CMainWindow {
public:
    explicit CMainWindow(CQorDictionaryManager* manager);
    ~CMainWindow();
    CMainWindow(const CMainWindow&) = delete;
    CMainWindow& operator=(const CMainWindow&) = delete;

    bool Create(int showCommand);
    HWND GetHwnd() const { return m_hWnd; }
    HMENU GetMenu() const { return ::GetMenu(m_hWnd); }
    HWND GetToolBar() const { return m_toolBar.GetSafeHwnd(); }

    // The enabled languages of the dictionary, as the Language menu lists them.
    const std::vector<DWORD>& GetLanguages() const { return m_languages; }
    // Makes lcid the system default language and relabels every pool.
    void SetLanguage(DWORD lcid);
    // The settings dialog without a modal loop (screenshots); null when it
    // could not be opened. CloseSettings closes it.
    CSettingsDialog* OpenSettingsModeless();
    void CloseSettings();

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCreate();
    void OnCommand(UINT id);
    void CreateToolBar();
    void FillLanguageMenu();
    void Layout();

    CQorDictionaryManager* m_manager;
    HWND m_hWnd = nullptr;
    CToolBar m_toolBar;
    HWND m_statusBar = nullptr;
    std::vector<DWORD> m_languages;
    CWndResourcePool m_windowPool;
    CMenuResourcePool m_menuPool;
    CToolBarResourcePool m_toolBarPool;
    std::unique_ptr<CSettingsDialog> m_settings;
};
