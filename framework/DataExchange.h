#pragma once

#include "base/CString.h"
#include "framework/Wnd.h"

// One UpdateData pass between a dialog's members and its controls. A
// refused value marks the pass failed: the field gets the focus (an edit
// with its text selected) and the DDX_ helpers after it do nothing.
class QOR_API CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) noexcept
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id);
    void Fail();
    bool Failed() const { return m_failed; }

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

private:
    HWND m_lastControl = nullptr;
    bool m_lastIsEdit = false;
    bool m_failed = false;
};

// Binds control id of the dialog to a wrapper (once; later passes keep it).
QOR_API void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
QOR_API void DDX_Text(CDataExchange* pDX, int id, CString& value);
QOR_API void DDX_Text(CDataExchange* pDX, int id, int& value);
QOR_API void DDX_Text(CDataExchange* pDX, int id, DWORD& value);
// 0 unchecked, 1 checked, 2 indeterminate.
QOR_API void DDX_Check(CDataExchange* pDX, int id, int& value);
// The selected entry of a combo box; -1 for none.
QOR_API void DDX_CBIndex(CDataExchange* pDX, int id, int& index);
