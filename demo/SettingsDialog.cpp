#include "SettingsDialog.h"

#include <commctrl.h>

#include "DemoResource.h"
#include "model/DictMode.h"

CSettingsDialog::~CSettingsDialog() {
    if (m_modeless && m_hWnd) DestroyWindow(m_hWnd);
}

INT_PTR CSettingsDialog::DoModal(HWND parent) {
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SETTINGS), parent, DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

HWND CSettingsDialog::Create(HWND parent) {
    m_modeless = true;
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SETTINGS), parent, DialogProc,
                              reinterpret_cast<LPARAM>(this));
}

void CSettingsDialog::ChangeLanguage() { m_pool.ChangeLanguage(DICTMODE_SYSTEM); }

void CSettingsDialog::OnInitDialog() {
    // The controls are filled with their Chinese texts first; the pool then
    // captures them as the keys under which the dictionary translates them.
    HWND tabs = GetDlgItem(m_hWnd, IDC_TABS);
    const wchar_t* tabTexts[] = {L"常规", L"驱动器", L"高级"};
    for (int i = 0; i < 3; ++i) {
        TCITEMW tab = {};
        tab.mask = TCIF_TEXT;
        tab.pszText = const_cast<wchar_t*>(tabTexts[i]);
        SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&tab));
    }
    SendMessageW(tabs, TCM_SETCURSEL, 1, 0);

    HWND units = GetDlgItem(m_hWnd, IDC_UNITS);
    SendMessageW(units, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"公制"));
    SendMessageW(units, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"英制"));
    SendMessageW(units, CB_SETCURSEL, 0, 0);

    HWND drives = GetDlgItem(m_hWnd, IDC_DRIVES);
    SendMessageW(drives, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
                 LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    const wchar_t* columns[] = {L"名称", L"型号", L"功率 (kW)", L"状态"};
    const int widths[] = {110, 110, 110, 90};
    for (int i = 0; i < 4; ++i) {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(columns[i]);
        column.cx = widths[i];
        SendMessageW(drives, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    // Rows are data, not interface text: the pool leaves list items alone.
    const wchar_t* rows[][4] = {{L"DRV-01", L"G120C", L"7.5", L"OK"},
                                {L"DRV-02", L"G120C", L"11.0", L"OK"},
                                {L"DRV-03", L"S210", L"0.4", L"--"}};
    for (int r = 0; r < 3; ++r) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = const_cast<wchar_t*>(rows[r][0]);
        SendMessageW(drives, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        for (int c = 1; c < 4; ++c) {
            item.iSubItem = c;
            item.pszText = const_cast<wchar_t*>(rows[r][c]);
            SendMessageW(drives, LVM_SETITEMTEXTW, r, reinterpret_cast<LPARAM>(&item));
        }
    }
    CheckDlgButton(m_hWnd, IDC_AUTOCONNECT, BST_CHECKED);

    m_pool.InitialResourcePool(m_hWnd, m_manager, 1);
    m_pool.ChangeLanguage(DICTMODE_SYSTEM);
}

INT_PTR CALLBACK CSettingsDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CSettingsDialog*>(GetWindowLongPtrW(hWnd, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        self = reinterpret_cast<CSettingsDialog*>(lParam);
        SetWindowLongPtrW(hWnd, DWLP_USER, lParam);
        self->m_hWnd = hWnd;
        try {
            self->OnInitDialog();
        } catch (...) {
            // The dialog opens untranslated rather than not at all.
        }
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            if (self->m_modeless) {
                DestroyWindow(hWnd);
            } else {
                EndDialog(hWnd, LOWORD(wParam));
            }
            return TRUE;
        }
        break;
    case WM_DESTROY:
        if (self) self->m_hWnd = nullptr;
        break;
    }
    return FALSE;
}
