#include "framework/DataExchange.h"

#include <cerrno>
#include <climits>
#include <cwchar>
#include <string>

#include "framework/ModuleState.h"
#include "resources/Resource.h"

namespace {

CString WindowText(HWND window) {
    CString text;
    const int length = GetWindowTextLengthW(window);
    if (length > 0) {
        const int read = GetWindowTextW(window, text.GetBuffer(length + 1), length + 1);
        text.ReleaseBuffer(read > 0 ? read : 0);
    }
    return text;
}

// Tells the user why the field was refused, in the dialog's own words.
void Refuse(CDataExchange* pDX, UINT messageId) {
    WCHAR message[260] = {};
    LoadStringW(AfxGetModuleState()->m_hCurrentResourceHandle, messageId, message, 260);
    CString caption = pDX->m_pDlgWnd->GetWindowText();
    MessageBoxW(pDX->m_pDlgWnd->GetSafeHwnd(), message, caption, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

// A whole number with optional blanks around it; false for anything else.
bool ParseNumber(const CString& text, bool allowSign, long long& value) {
    const WCHAR* start = text.GetString();
    while (*start == L' ' || *start == L'\t') ++start;
    if (*start == 0 || (!allowSign && *start == L'-')) return false;
    WCHAR* end = nullptr;
    errno = 0;
    value = std::wcstoll(start, &end, 10);
    if (end == start || errno == ERANGE) return false;
    while (*end == L' ' || *end == L'\t') ++end;
    return *end == 0;
}

}  // namespace

HWND CDataExchange::PrepareCtrl(int id) {
    m_lastControl = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), id);
    m_lastIsEdit = false;
    return m_lastControl;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
    PrepareCtrl(id);
    m_lastIsEdit = true;
    return m_lastControl;
}

void CDataExchange::Fail() {
    m_failed = true;
    if (!m_bSaveAndValidate || !m_lastControl) return;
    SetFocus(m_lastControl);
    if (m_lastIsEdit) SendMessageW(m_lastControl, EM_SETSEL, 0, -1);
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (pDX->Failed() || control.GetSafeHwnd()) return;
    if (!control.SubclassWindow(pDX->PrepareCtrl(id))) pDX->Fail();
}

void DDX_Text(CDataExchange* pDX, int id, CString& value) {
    if (pDX->Failed()) return;
    HWND control = pDX->PrepareEditCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = WindowText(control);
    else
        SetWindowTextW(control, value);
}

namespace {

// A number field: shown in decimal, read back only when it is a whole
// number within [least, most].
template <class Number>
void ExchangeNumber(CDataExchange* pDX, int id, Number& value, long long least, long long most, UINT refusal) {
    if (pDX->Failed()) return;
    HWND control = pDX->PrepareEditCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        SetWindowTextW(control, std::to_wstring(value).c_str());
        return;
    }
    long long number = 0;
    if (!ParseNumber(WindowText(control), least < 0, number) || number < least || number > most)
        return Refuse(pDX, refusal);
    value = Number(number);
}

}  // namespace

void DDX_Text(CDataExchange* pDX, int id, int& value) {
    ExchangeNumber(pDX, id, value, INT_MIN, INT_MAX, IDS_PARSE_INT);
}

void DDX_Text(CDataExchange* pDX, int id, DWORD& value) {
    ExchangeNumber(pDX, id, value, 0, 0xFFFFFFFFLL, IDS_PARSE_UINT);
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
    if (pDX->Failed()) return;
    HWND control = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = int(SendMessageW(control, BM_GETCHECK, 0, 0));
    else
        SendMessageW(control, BM_SETCHECK, WPARAM(value), 0);
}

void DDX_CBIndex(CDataExchange* pDX, int id, int& index) {
    if (pDX->Failed()) return;
    HWND control = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        index = int(SendMessageW(control, CB_GETCURSEL, 0, 0));
    else
        SendMessageW(control, CB_SETCURSEL, WPARAM(index), 0);
}
