#include "MainWindow.h"

#include <commctrl.h>

#include <iterator>

#include "DemoResource.h"
#include "LanguageNames.h"
#include "SettingsDialog.h"
#include "base/CString.h"
#include "base/win/UniqueHandle.h"
#include "model/QorDictionaryManager.h"
#include "model/QorLanguageDict.h"
#include "translate/TextHelpers.h"

namespace {

struct ToolButton {
    int image;  // index in the common control's standard small bitmaps
    UINT command;
    const wchar_t* tip;
};

const ToolButton kButtons[] = {
    {STD_FILENEW, ID_FILE_NEW, L"新建"},   {STD_FILEOPEN, ID_FILE_OPEN, L"打开"}, {STD_FILESAVE, ID_FILE_SAVE, L"保存"},
    {-1, ID_SEPARATOR, nullptr},
    {STD_CUT, ID_EDIT_CUT, L"剪切"},       {STD_COPY, ID_EDIT_COPY, L"复制"},     {STD_PASTE, ID_EDIT_PASTE, L"粘贴"},
    {-1, ID_SEPARATOR, nullptr},
    {STD_PROPERTIES, ID_TOOLS_SETTINGS, L"设置"},
};

void CreateChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, const RECT& rect, UINT id) {
    CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(UINT_PTR(id)), GetModuleHandleW(nullptr),
                    nullptr);
}

// Under "语言(&L)": one item per enabled language of the dictionary, named
// in the language itself ("Deutsch (de-DE)"); these names are not in the
// dictionary, so relabelling leaves them as they are.
std::vector<DWORD> FillLanguageMenu(HMENU bar, CQorDictionaryManager* manager) {
    std::vector<DWORD> listed;
    HMENU languageMenu = nullptr;
    for (int i = 0, n = GetMenuItemCount(bar); i < n; ++i) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_SUBMENU;
        if (GetMenuItemInfoW(bar, UINT(i), TRUE, &info) && info.hSubMenu && info.wID == ID_MENU_LANGUAGE)
            languageMenu = info.hSubMenu;
    }
    if (!languageMenu) return listed;
    DeleteMenu(languageMenu, 0, MF_BYPOSITION);  // the template's placeholder
    CList<CQorLanguageDict*, CQorLanguageDict*>* languages = manager->GetLanguageDictList();
    for (POSITION pos = languages ? languages->GetHeadPosition() : nullptr; pos;) {
        CQorLanguageDict* language = languages->GetNext(pos);
        if (!language->IsEnable() || listed.size() > ID_LANGUAGE_LAST - ID_LANGUAGE_FIRST) continue;
        DWORD lcid = language->GetLanguageID();
        CString name = LanguageNativeName(lcid) + L" (" + LanguageLocale(lcid) + L")";
        AppendMenuW(languageMenu, MF_STRING, ID_LANGUAGE_FIRST + listed.size(), name);
        listed.push_back(lcid);
    }
    return listed;
}

}  // namespace

CMainWindow::CMainWindow(CQorDictionaryManager* manager) : m_manager(manager) {
    m_editor.SetDictionaryManager(manager);
}

CMainWindow::~CMainWindow() {
    m_settings.reset();
    // Here, while OnDestroy still reaches this class, and before the pools go.
    DestroyWindow();
}

bool CMainWindow::Create(int showCommand) {
    const RECT frame = {20, 20, 660, 420};
    if (!CreateEx(0, nullptr, L"驱动器配置工具 - 演示", WS_OVERLAPPEDWINDOW, frame, nullptr, 0)) return false;
    ShowWindow(GetSafeHwnd(), showCommand);
    UpdateWindow(GetSafeHwnd());
    return true;
}

int CMainWindow::OnCreate(CREATESTRUCTW*) {
    HWND self = GetSafeHwnd();
    CreateMenuBar();
    CreateToolBar();
    m_statusBar.CreateEx(0, STATUSCLASSNAMEW, L"就绪", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, RECT{}, this,
                         IDC_STATUSBAR);
    CreateChild(self, L"STATIC", L"欢迎使用驱动器配置工具。", 0, RECT{24, 60, 584, 84}, IDC_WELCOME);
    CreateChild(self, L"STATIC", L"请从“语言”菜单选择界面语言。", 0, RECT{24, 90, 584, 114}, IDC_HINT);
    CreateChild(self, L"BUTTON", L"打开设置...", BS_PUSHBUTTON, RECT{24, 130, 204, 160}, IDC_OPEN_SETTINGS);

    // Capture every text once, in the language the program is written in.
    // The toolbar has no text of its own: its class is left out of the
    // window pool, its tooltips have a pool of their own.
    CStringArray exceptClasses;
    exceptClasses.Add(CString(TOOLBARCLASSNAMEW));
    m_windowPool.SetExceptionWndClassName(exceptClasses);
    m_windowPool.InitialResourcePool(self, m_manager, 1);
    m_toolBarPool.InitialResourcePool(&m_toolBar, m_manager);
    SetLanguage(m_manager->GetSysDefaultLanguageLCID());
    return 0;
}

void CMainWindow::CreateToolBar() {
    if (!m_toolBar.Create(this, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP, IDC_TOOLBAR)) return;
    m_toolBar.SendMessage(TB_LOADIMAGES, IDB_STD_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL));
    UINT ids[std::size(kButtons)];
    for (std::size_t i = 0; i < std::size(kButtons); ++i) ids[i] = kButtons[i].command;
    m_toolBar.SetButtons(ids, int(std::size(kButtons)));
    // The toolbar registers one tool per button in its tooltip control; give
    // each its text there, where the toolbar pool reads and rewrites it.
    HWND tips = m_toolBar.GetToolTips();
    for (const ToolButton& button : kButtons) {
        if (button.command == ID_SEPARATOR) continue;
        m_toolBar.SendMessage(TB_CHANGEBITMAP, button.command, MAKELPARAM(button.image, 0));
        if (!tips) continue;
        TTTOOLINFOW tool = {};
        tool.cbSize = sizeof tool;
        tool.hwnd = m_toolBar.GetSafeHwnd();
        tool.uId = button.command;
        tool.lpszText = const_cast<wchar_t*>(button.tip);
        ::SendMessageW(tips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    m_toolBar.SendMessage(TB_AUTOSIZE);
}

void CMainWindow::CreateMenuBar() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    UniqueMenu menu(LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAINMENU)));
    if (!menu) return;
    std::vector<DWORD> languages = FillLanguageMenu(menu.get(), m_manager);
    HMENU previous = ::GetMenu(GetSafeHwnd());
    if (!SetMenu(GetSafeHwnd(), menu.get())) return;
    UniqueMenu replaced(previous);
    m_languages = std::move(languages);
    // A fresh menu holds the texts as written: the keys the pool looks up.
    m_menuPool.InitialResourcePool(instance, menu.release(), m_manager);
}

void CMainWindow::SetLanguage(DWORD lcid) {
    HWND self = GetSafeHwnd();
    m_manager->SetSysDefaultLanguageLCID(lcid);
    m_windowPool.ChangeLanguage(DICTMODE_SYSTEM);
    m_menuPool.ChangeLanguage(DICTMODE_SYSTEM);
    m_toolBarPool.ChangeLanguage(DICTMODE_SYSTEM);
    if (m_settings && m_settings->GetSafeHwnd()) m_settings->ChangeLanguage();
    HMENU bar = GetMenu();
    for (std::size_t i = 0; i < m_languages.size(); ++i) {
        CheckMenuItem(bar, UINT(ID_LANGUAGE_FIRST + i), MF_BYCOMMAND | (m_languages[i] == lcid ? MF_CHECKED : MF_UNCHECKED));
    }
    DrawMenuBar(self);
    Layout();
    RedrawWindow(self, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

CSettingsDialog* CMainWindow::OpenSettingsModeless() {
    m_settings.reset(new CSettingsDialog(m_manager, this));
    if (!m_settings->Create()) {
        m_settings.reset();
        return nullptr;
    }
    ShowWindow(m_settings->GetSafeHwnd(), SW_SHOW);
    return m_settings.get();
}

void CMainWindow::CloseSettings() { m_settings.reset(); }

int CMainWindow::OpenEditor() {
    int modified = 0;
    const int result = m_editor.ShowDictionaryDialog(modified, 1);
    if (result == IDOK && modified == 1) ReloadDictionary();
    return result;
}

void CMainWindow::ReloadDictionary() {
    // The editor has saved the file. Loading it drops the old languages, so
    // the language menu is made again from what the file now holds.
    if (!m_manager->Load(m_manager->GetFile())) {
        MessageBoxW(GetSafeHwnd(), m_manager->GetLastFileError(), L"QorDemo", MB_OK | MB_ICONERROR);
        return;
    }
    CreateMenuBar();
    SetLanguage(m_manager->GetSysDefaultLanguageLCID());
}

void CMainWindow::Layout() {
    if (!m_toolBar.GetSafeHwnd() || !m_statusBar.GetSafeHwnd()) return;
    m_toolBar.SendMessage(TB_AUTOSIZE);
    m_statusBar.SendMessage(WM_SIZE);
}

void CMainWindow::OnSize(UINT, int, int) { Layout(); }

BOOL CMainWindow::OnCommand(WPARAM wParam, LPARAM) {
    const UINT id = LOWORD(wParam);
    if (id >= ID_LANGUAGE_FIRST && id < ID_LANGUAGE_FIRST + m_languages.size()) {
        SetLanguage(m_languages[id - ID_LANGUAGE_FIRST]);
        return TRUE;
    }
    switch (id) {
    case ID_TOOLS_SETTINGS:
    case IDC_OPEN_SETTINGS: {
        CSettingsDialog dialog(m_manager, this);
        dialog.DoModal();
        return TRUE;
    }
    case ID_TOOLS_DICTIONARY:
        OpenEditor();
        return TRUE;
    case ID_HELP_ABOUT: {
        // A message that is not part of any window: translated on its own.
        CString text = m_manager->GetDisplayCharacter(DICTMODE_SYSTEM, CString(L"驱动器配置工具演示程序，版本 1.0"));
        CString caption = m_manager->GetDisplayCharacter(DICTMODE_SYSTEM, CString(L"关于"));
        MessageBoxW(GetSafeHwnd(), text, caption, MB_OK | MB_ICONINFORMATION);
        return TRUE;
    }
    case ID_FILE_EXIT:
        DestroyWindow();
        return TRUE;
    default:
        return FALSE;
    }
}

void CMainWindow::OnDestroy() { PostQuitMessage(0); }
