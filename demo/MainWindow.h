#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "editor/QorDictManager.h"
#include "framework/ToolBar.h"
#include "framework/Wnd.h"
#include "translate/MenuResourcePool.h"
#include "translate/ToolBarResourcePool.h"
#include "translate/WndResourcePool.h"

class CQorDictionaryManager;
class CSettingsDialog;

// The demo host's main window: a menu, a toolbar with tooltips, a status bar
// and a few labels, each relabelled by its own pool: a window pool for the
// caption and the child controls, a menu pool for the menu bar and a toolbar
// pool for the tooltips. The Tools menu opens the library's dictionary editor.
class CMainWindow : public CWnd {
public:
    explicit CMainWindow(CQorDictionaryManager* manager);
    ~CMainWindow() override;

    bool Create(int showCommand);
    HMENU GetMenu() const { return ::GetMenu(GetSafeHwnd()); }
    HWND GetToolBar() const { return m_toolBar.GetSafeHwnd(); }

    // The enabled languages of the dictionary, as the Language menu lists them.
    const std::vector<DWORD>& GetLanguages() const { return m_languages; }
    // Makes lcid the system default language and relabels every pool.
    void SetLanguage(DWORD lcid);
    // The settings dialog without a modal loop (screenshots); null when it
    // could not be opened. CloseSettings closes it.
    CSettingsDialog* OpenSettingsModeless();
    void CloseSettings();
    // Runs the dictionary editor modally and returns its result. After OK
    // with a change the dictionary is read back from its file and every
    // pool relabels from it.
    int OpenEditor();

protected:
    int OnCreate(CREATESTRUCTW* create) override;
    void OnSize(UINT type, int cx, int cy) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    void CreateToolBar();
    // Loads the Chinese menu, lists the languages in it and lets the menu
    // pool capture it; the previous menu goes.
    void CreateMenuBar();
    void ReloadDictionary();
    void Layout();

    CQorDictionaryManager* m_manager;
    CToolBar m_toolBar;
    CWnd m_statusBar;
    std::vector<DWORD> m_languages;
    CWndResourcePool m_windowPool;
    CMenuResourcePool m_menuPool;
    CToolBarResourcePool m_toolBarPool;
    CQorDictManager m_editor;
    std::unique_ptr<CSettingsDialog> m_settings;
};
