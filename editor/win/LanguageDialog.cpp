#include "editor/win/LanguageDialog.h"

#include <cstdint>

#include "editor/BuiltInLanguageTable.h"
#include "editor/MessageText.h"
#include "framework/DataExchange.h"
#include "model/QorDictionaryManager.h"
#include "model/QorLanguageDict.h"
#include "pages/LanguageSettingsRules.h"
#include "resources/DictionaryApp.h"
#include "resources/Resource.h"
#include "translate/DLLLocalResource.h"
#include "translate/TextHelpers.h"

namespace {
constexpr DWORD kDefaultLanguageId = 2052;

DWORD HandleEntry(HWND window) { return DWORD(reinterpret_cast<std::uintptr_t>(window)); }
}  // namespace

CLanguageDialog::CLanguageDialog(CWnd* parent) noexcept
    : CVarnPDialog(UINT(IDD_LANGUAGE_DIALOG), parent) {
    ShowNames();
}

INT_PTR CLanguageDialog::DoModal() {
    CDLLLocalResource local;
    return CVarnPDialog::DoModal();
}

void CLanguageDialog::ShowNames() {
    m_hexId = HexLanguageId(m_languageId);
    m_languageName = GetLCIDLocaleName(m_languageId);
    m_nativeName = GetLCIDNativeName(m_languageId);
}

void CLanguageDialog::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_LANG_FONT, m_fontEdit);
    DDX_Text(pDX, IDC_LANG_NAME, m_languageName);
    DDX_Text(pDX, IDC_LANG_NATIVE_NAME, m_nativeName);
    DDX_Text(pDX, IDC_LANG_ID, m_languageId);
    DDX_Text(pDX, IDC_LANG_HEX_ID, m_hexId);
}

BOOL CLanguageDialog::OnInitDialog() {
    CVarnPDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, FALSE, nullptr);
    if (m_pLanguage) {
        m_languageId = m_pLanguage->GetLanguageID() ? m_pLanguage->GetLanguageID() : kDefaultLanguageId;
        ShowNames();
        if (BuiltInLanguageTable::Contains(m_languageId))
            ::SendMessageW(GetDlgItem(GetSafeHwnd(), IDC_LANG_ID), EM_SETREADONLY, TRUE, 0);
        UpdateData(FALSE);
        RememberFont();
        m_fontEdit.SetLanguage(m_pLanguage);
        m_fontEdit.SetTextFont(&m_savedFont);
        m_fontEdit.SetTextColor(m_savedColor);
        m_fontEdit.SetWindowText(m_savedFont.lfFaceName);
        m_fontEdit.SetManager(m_pManager);
        m_fontEdit.EnableBrowseButton(TRUE, L"...");
    }
    UpdateData(FALSE);

    // The ID, its hexadecimal form, the locale name and the font are data.
    CDWordArray data;
    for (int id : {IDC_LANG_ID, IDC_LANG_HEX_ID, IDC_LANG_NAME, IDC_LANG_FONT})
        data.Add(HandleEntry(GetDlgItem(GetSafeHwnd(), id)));
    CDWordArray ownFont;
    ownFont.Add(HandleEntry(GetDlgItem(GetSafeHwnd(), IDC_LANG_FONT)));
    TranslateDialog(GetSafeHwnd(), m_pManager, &data, &ownFont);
    return TRUE;
}

void CLanguageDialog::RememberFont() {
    m_pLanguage->GetFont(m_savedFont);
    m_savedPointSize = m_pLanguage->GetFontPointSize();
    m_savedColor = m_pLanguage->GetFontColor();
}

BOOL CLanguageDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT code = HIWORD(wParam);
    if (LOWORD(wParam) != IDC_LANG_ID || (code != EN_CHANGE && code != EN_KILLFOCUS))
        return CVarnPDialog::OnCommand(wParam, lParam);
    // The hexadecimal form follows every keystroke and the names follow when
    // the field is left. The field being typed into is never rewritten, and a
    // text that is no number yet is left alone until OK tells the user.
    DWORD id = 0;
    if (!ParseLanguageId(GetDlgItemText(IDC_LANG_ID), id)) return TRUE;
    m_languageId = id;
    ShowNames();
    SetDlgItemTextW(GetSafeHwnd(), IDC_LANG_HEX_ID, m_hexId);
    if (code == EN_KILLFOCUS) {
        SetDlgItemTextW(GetSafeHwnd(), IDC_LANG_NAME, m_languageName);
        SetDlgItemTextW(GetSafeHwnd(), IDC_LANG_NATIVE_NAME, m_nativeName);
    }
    return TRUE;
}

void CLanguageDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (m_pLanguage && m_pManager && LanguageIdTaken(*m_pManager, m_pLanguage, m_languageId)) {
        CString number;
        number.Format(L"%u", unsigned(m_languageId));
        const CString message =
            InsertIntoMessage(LoadDictString(m_pManager, QorGetModuleResourceHandle(), IDS_LANGUAGE_ID_EXISTS), number);
        const CString caption = LoadDictString(m_pManager, QorGetModuleResourceHandle(), IDS_WARNING);
        MessageBoxW(GetSafeHwnd(), message, caption, MB_ICONEXCLAMATION);
        const HWND edit = GetDlgItem(GetSafeHwnd(), IDC_LANG_ID);
        SetFocus(edit);
        ::SendMessageW(edit, EM_SETSEL, 0, -1);
        ::SendMessageW(edit, EM_SCROLLCARET, 0, 0);
        return;
    }
    if (m_pLanguage) m_pLanguage->SetLanguageID(m_languageId);
    CVarnPDialog::OnOK();
}

void CLanguageDialog::OnCancel() {
    // Cancel undoes a font chosen meanwhile, as it does everything else.
    if (m_pLanguage) {
        m_pLanguage->SetFont(m_savedFont);
        m_pLanguage->SetFontPointSize(m_savedPointSize);
        m_pLanguage->SetFontColor(m_savedColor);
    }
    CVarnPDialog::OnCancel();
}
