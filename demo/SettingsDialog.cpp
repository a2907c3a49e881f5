#include "SettingsDialog.h"

#include <commctrl.h>

#include "DemoResource.h"
#include "framework/DataExchange.h"
#include "model/DictMode.h"

CSettingsDialog::CSettingsDialog(CQorDictionaryManager* manager, CWnd* parent)
    : CDialog(IDD_SETTINGS, parent), m_manager(manager) {}

// The window goes before the pool that captured it.
CSettingsDialog::~CSettingsDialog() { DestroyWindow(); }

void CSettingsDialog::ChangeLanguage() {
    if (GetSafeHwnd()) m_pool.ChangeLanguage(DICTMODE_SYSTEM);
}

void CSettingsDialog::DoDataExchange(CDataExchange* pDX) {
    DDX_CBIndex(pDX, IDC_UNITS, m_units);
    DDX_Check(pDX, IDC_AUTOCONNECT, m_autoConnect);
}

BOOL CSettingsDialog::OnInitDialog() {
    // The controls are filled with their Chinese texts first; the pool then
    // captures them as the keys under which the dictionary translates them.
    HWND self = GetSafeHwnd();
    HWND tabs = GetDlgItem(self, IDC_TABS);
    const wchar_t* tabTexts[] = {L"常规", L"驱动器", L"高级"};
    for (int i = 0; i < 3; ++i) {
        TCITEMW tab = {};
        tab.mask = TCIF_TEXT;
        tab.pszText = const_cast<wchar_t*>(tabTexts[i]);
        ::SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&tab));
    }
    ::SendMessageW(tabs, TCM_SETCURSEL, 1, 0);

    HWND units = GetDlgItem(self, IDC_UNITS);
    ::SendMessageW(units, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"公制"));
    ::SendMessageW(units, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"英制"));

    HWND drives = GetDlgItem(self, IDC_DRIVES);
    ::SendMessageW(drives, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
                 LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    const wchar_t* columns[] = {L"名称", L"型号", L"功率 (kW)", L"状态"};
    const int widths[] = {110, 110, 110, 90};
    for (int i = 0; i < 4; ++i) {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(columns[i]);
        column.cx = widths[i];
        ::SendMessageW(drives, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
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
        ::SendMessageW(drives, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        for (int c = 1; c < 4; ++c) {
            item.iSubItem = c;
            item.pszText = const_cast<wchar_t*>(rows[r][c]);
            ::SendMessageW(drives, LVM_SETITEMTEXTW, r, reinterpret_cast<LPARAM>(&item));
        }
    }

    CDialog::OnInitDialog();  // the unit system and the check box from the members
    m_pool.InitialResourcePool(self, m_manager, 1);
    m_pool.ChangeLanguage(DICTMODE_SYSTEM);
    return TRUE;
}
