#include "MainWindow.h"

#include <commctrl.h>

#include "DemoResource.h"
#include "SettingsDialog.h"
#include "base/CString.h"
#include "model/QorDictionaryManager.h"
#include "model/QorLanguageDict.h"
#include "translate/TextHelpers.h"

namespace {

const wchar_t kClassName[] = L"QorDemoMainWindow";

struct ToolButton {
    int image;  // index in the common control's standard small bitmaps
    UINT command;
    const wchar_t* tip;
};

const ToolButton kButtons[] = {
    {STD_FILENEW, ID_FILE_NEW, L"新建"},   {STD_FILEOPEN, ID_FILE_OPEN, L"打开"}, {STD_FILESAVE, ID_FILE_SAVE, L"保存"},
    {-1, 0, nullptr},
    {STD_CUT, ID_EDIT_CUT, L"剪切"},       {STD_COPY, ID_EDIT_COPY, L"复制"},     {STD_PASTE, ID_EDIT_PASTE, L"粘贴"},
    {-1, 0, nullptr},
    {STD_PROPERTIES, ID_TOOLS_SETTINGS, L"设置"},
};

}  // namespace

CMainWindow::CMainWindow(CQorDictionaryManager* manager) : m_manager(manager) {}

CMainWindow::~CMainWindow() {
    m_settings.reset();
    if (m_hWnd) DestroyWindow(m_hWnd);
}

bool CMainWindow::Create(int showCommand) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
    HMENU menu = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAINMENU));
    m_hWnd = CreateWindowExW(0, kClassName, L"驱动器配置工具 - 演示", WS_OVERLAPPEDWINDOW, 20, 20, 640, 400,
                             nullptr, menu, instance, this);
    if (!m_hWnd) return false;
    ShowWindow(m_hWnd, showCommand);
    UpdateWindow(m_hWnd);
    return true;
}

void CMainWindow::OnCreate() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    CreateToolBar();
    m_statusBar = CreateWindowExW(0, STATUSCLASSNAMEW, L"就绪", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                  m_hWnd, reinterpret_cast<HMENU>(IDC_STATUSBAR), instance, nullptr);
    CreateWindowExW(0, L"STATIC", L"欢迎使用驱动器配置工具。", WS_CHILD | WS_VISIBLE, 24, 60, 560, 24, m_hWnd,
                    reinterpret_cast<HMENU>(IDC_WELCOME), instance, nullptr);
    CreateWindowExW(0, L"STATIC", L"请从“语言”菜单选择界面语言。", WS_CHILD | WS_VISIBLE, 24, 90, 560, 24, m_hWnd,
                    reinterpret_cast<HMENU>(IDC_HINT), instance, nullptr);
    CreateWindowExW(0, L"BUTTON", L"打开设置...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 24, 130, 180, 30, m_hWnd,
                    reinterpret_cast<HMENU>(IDC_OPEN_SETTINGS), instance, nullptr);
    FillLanguageMenu();

    // Capture every text once, in the language the program is written in.
    // The toolbar has no text of its own: its class is left out of the
    // window pool, its tooltips have a pool of their own.
    CStringArray exceptClasses;
    exceptClasses.Add(CString(TOOLBARCLASSNAMEW));
    m_windowPool.SetExceptionWndClassName(exceptClasses);
    m_windowPool.InitialResourcePool(m_hWnd, m_manager, 1);
    m_menuPool.InitialResourcePool(instance, ::GetMenu(m_hWnd), m_manager);
    m_toolBarPool.InitialResourcePool(&m_toolBar, m_manager);
    SetLanguage(m_manager->GetSysDefaultLanguageLCID());
}

void CMainWindow::CreateToolBar() {
    HWND toolBar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                                   WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP, 0, 0, 0, 0,
                                   m_hWnd, reinterpret_cast<HMENU>(IDC_TOOLBAR), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(toolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(toolBar, TB_LOADIMAGES, IDB_STD_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL));
    for (const ToolButton& button : kButtons) {
        TBBUTTON entry = {};
        entry.iBitmap = button.command ? button.image : 0;
        entry.idCommand = int(button.command);
        entry.fsState = TBSTATE_ENABLED;
        entry.fsStyle = button.command ? BTNS_BUTTON : BTNS_SEP;
        SendMessageW(toolBar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&entry));
    }
    // The toolbar registers one tool per button in its tooltip control; give
    // each its text there, where the toolbar pool reads and rewrites it.
    HWND tips = reinterpret_cast<HWND>(SendMessageW(toolBar, TB_GETTOOLTIPS, 0, 0));
    for (const ToolButton& button : kButtons) {
        if (!button.command || !tips) continue;
        TTTOOLINFOW tool = {};
        tool.cbSize = sizeof tool;
        tool.hwnd = toolBar;
        tool.uId = button.command;
        tool.lpszText = const_cast<wchar_t*>(button.tip);
        SendMessageW(tips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    SendMessageW(toolBar, TB_AUTOSIZE, 0, 0);
    m_toolBar.Attach(toolBar);
}

void CMainWindow::FillLanguageMenu() {
    // Under "语言(&L)": one item per enabled language of the dictionary, named
    // in the language itself ("Deutsch (de-DE)"); these names are not in the
    // dictionary, so relabelling leaves them as they are.
    HMENU languageMenu = nullptr;
    HMENU bar = ::GetMenu(m_hWnd);
    for (int i = 0, n = GetMenuItemCount(bar); i < n; ++i) {
        if (GetMenuItemID(bar, i) == UINT(-1)) {
            MENUITEMINFOW info = {};
            info.cbSize = sizeof info;
            info.fMask = MIIM_ID | MIIM_SUBMENU;
            if (GetMenuItemInfoW(bar, UINT(i), TRUE, &info) && info.wID == ID_MENU_LANGUAGE) languageMenu = info.hSubMenu;
        }
    }
    if (!languageMenu) return;
    DeleteMenu(languageMenu, 0, MF_BYPOSITION);  // the template's placeholder
    CList<CQorLanguageDict*, CQorLanguageDict*>* languages = m_manager->GetLanguageDictList();
    for (POSITION pos = languages->GetHeadPosition(); pos;) {
        CQorLanguageDict* language = languages->GetNext(pos);
        if (!language->IsEnable() || m_languages.size() > ID_LANGUAGE_LAST - ID_LANGUAGE_FIRST) continue;
        DWORD lcid = language->GetLanguageID();
        CString name = GetLCIDNativeName(lcid) + L" (" + GetLCIDLocaleName(lcid) + L")";
        AppendMenuW(languageMenu, MF_STRING, ID_LANGUAGE_FIRST + m_languages.size(), name);
        m_languages.push_back(lcid);
    }
}

void CMainWindow::SetLanguage(DWORD lcid) {
    m_manager->SetSysDefaultLanguageLCID(lcid);
    m_windowPool.ChangeLanguage(DICTMODE_SYSTEM);
    m_menuPool.ChangeLanguage(DICTMODE_SYSTEM);
    m_toolBarPool.ChangeLanguage(DICTMODE_SYSTEM);
    if (m_settings && m_settings->GetHwnd()) m_settings->ChangeLanguage();
    HMENU bar = ::GetMenu(m_hWnd);
    for (std::size_t i = 0; i < m_languages.size(); ++i) {
        CheckMenuItem(bar, UINT(ID_LANGUAGE_FIRST + i), MF_BYCOMMAND | (m_languages[i] == lcid ? MF_CHECKED : MF_UNCHECKED));
    }
    DrawMenuBar(m_hWnd);
    Layout();
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

CSettingsDialog* CMainWindow::OpenSettingsModeless() {
    m_settings.reset(new CSettingsDialog(m_manager));
    HWND dialog = m_settings->Create(m_hWnd);
    if (!dialog) {
        m_settings.reset();
        return nullptr;
    }
    ShowWindow(dialog, SW_SHOW);
    return m_settings.get();
}

void CMainWindow::CloseSettings() { m_settings.reset(); }

void CMainWindow::Layout() {
    if (!m_toolBar.GetSafeHwnd() || !m_statusBar) return;
    SendMessageW(m_toolBar.GetSafeHwnd(), TB_AUTOSIZE, 0, 0);
    SendMessageW(m_statusBar, WM_SIZE, 0, 0);
}

void CMainWindow::OnCommand(UINT id) {
    if (id >= ID_LANGUAGE_FIRST && id < ID_LANGUAGE_FIRST + m_languages.size()) {
        SetLanguage(m_languages[id - ID_LANGUAGE_FIRST]);
        return;
    }
    switch (id) {
    case ID_TOOLS_SETTINGS:
    case IDC_OPEN_SETTINGS: {
        CSettingsDialog dialog(m_manager);
        dialog.DoModal(m_hWnd);
        break;
    }
    case ID_HELP_ABOUT: {
        // A message that is not part of any window: translated on its own.
        CString text = m_manager->GetDisplayCharacter(DICTMODE_SYSTEM, CString(L"驱动器配置工具演示程序，版本 1.0"));
        CString caption = m_manager->GetDisplayCharacter(DICTMODE_SYSTEM, CString(L"关于"));
        MessageBoxW(m_hWnd, text, caption, MB_OK | MB_ICONINFORMATION);
        break;
    }
    case ID_FILE_EXIT:
        DestroyWindow(m_hWnd);
        break;
    default:
        break;
    }
}

LRESULT CMainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_SIZE:
        Layout();
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_DESTROY:
        m_hWnd = nullptr;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CMainWindow::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<CMainWindow*>(create->lpCreateParams)->m_hWnd = hWnd;
    }
    auto* self = reinterpret_cast<CMainWindow*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hWnd, message, wParam, lParam);
    try {
        return self->OnMessage(message, wParam, lParam);
    } catch (...) {
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }
}
