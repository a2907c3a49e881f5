#include "editor/win/NewWordDialog.h"

#include <cstdint>

#include "base/CList.h"
#include "base/COleDateTime.h"
#include "editor/MessageText.h"
#include "editor/NewWordRules.h"
#include "framework/DataExchange.h"
#include "model/QorDictWordElement.h"
#include "resources/DictionaryApp.h"
#include "resources/Resource.h"
#include "translate/DLLLocalResource.h"
#include "translate/TextHelpers.h"

CNewWordDialog::CNewWordDialog(CWnd* parent) noexcept
    : CVarnPDialog(UINT(IDD_NEW_WORD_DIALOG), parent), m_strOriginal(L"New string") {}

INT_PTR CNewWordDialog::DoModal() {
    CDLLLocalResource local;
    return CVarnPDialog::DoModal();
}

void CNewWordDialog::DoDataExchange(CDataExchange* pDX) { DDX_Text(pDX, IDC_ORIGINAL_STRING, m_strOriginal); }

BOOL CNewWordDialog::OnInitDialog() {
    CVarnPDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, FALSE, nullptr);
    if (m_pEntry) m_strOriginal = m_pEntry->GetOriginalCharacter();
    UpdateData(FALSE);
    // The edit holds the user's text, not an interface text.
    CDWordArray userText;
    userText.Add(DWORD(reinterpret_cast<std::uintptr_t>(GetDlgItem(GetSafeHwnd(), IDC_ORIGINAL_STRING))));
    TranslateDialog(GetSafeHwnd(), m_pManager, &userText, nullptr);
    return TRUE;
}

void CNewWordDialog::OnOK() {
    UpdateData(TRUE);
    switch (CheckNewWord(m_strOriginal, m_pWordList)) {
    case NewWordCheck::kEmpty:
        Refuse(LoadDictString(m_pManager, QorGetModuleResourceHandle(), IDS_OBJECT_EMPTY));
        return;
    case NewWordCheck::kAlreadyKnown:
        Refuse(InsertIntoMessage(LoadDictString(m_pManager, QorGetModuleResourceHandle(), IDS_OBJECT_EXISTS),
                              m_strOriginal));
        return;
    case NewWordCheck::kAccepted:
        break;
    }
    if (m_pWordList && m_pEntry) {
        m_pEntry->SetOriginalCharacter(m_strOriginal);
        m_pEntry->SetUpdateDateTime(COleDateTime::GetCurrentTime());
    }
    CVarnPDialog::OnOK();
}

void CNewWordDialog::Refuse(const CString& message) {
    const CString caption = LoadDictString(m_pManager, QorGetModuleResourceHandle(), IDS_WARNING);
    MessageBoxW(GetSafeHwnd(), message, caption, MB_ICONEXCLAMATION);
    const HWND edit = GetDlgItem(GetSafeHwnd(), IDC_ORIGINAL_STRING);
    SetFocus(edit);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    ::SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}
