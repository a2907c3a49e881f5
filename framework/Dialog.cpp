#include "framework/Dialog.h"

#include "framework/DataExchange.h"
#include "framework/ModuleState.h"

CDialog::CDialog(UINT templateId, CWnd* parent) noexcept : m_templateId(templateId), m_parent(parent) {}

CDialog::CDialog(const DLGTEMPLATE* dialogTemplate, CWnd* parent) noexcept
    : m_template(dialogTemplate), m_parent(parent) {}

const DLGTEMPLATE* CDialog::FindTemplate() const {
    if (m_template) return m_template;
    HINSTANCE module = AfxGetModuleState()->m_hCurrentResourceHandle;
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(m_templateId), MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    return loaded ? static_cast<const DLGTEMPLATE*>(LockResource(loaded)) : nullptr;
}

BOOL CDialog::CreateFrom(HWND parent) {
    const DLGTEMPLATE* dialogTemplate = FindTemplate();
    if (GetSafeHwnd() || !dialogTemplate) return FALSE;
    m_ended = false;
    HWND window = CreateDialogIndirectParamW(AfxGetModuleState()->m_hCurrentResourceHandle, dialogTemplate, parent,
                                             DialogProc, reinterpret_cast<LPARAM>(this));
    return window != nullptr && GetSafeHwnd() == window;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    m_templateId = templateId;
    m_template = nullptr;
    m_parent = parent;
    return Create();
}

BOOL CDialog::Create() {
    m_modal = false;
    return CreateFrom(m_parent ? m_parent->GetSafeHwnd() : nullptr);
}

HWND CDialog::OwnerForModal() const {
    HWND owner = m_parent ? m_parent->GetSafeHwnd() : GetActiveWindow();
    // A modal dialog is owned by a top-level window, never by a child.
    return owner ? GetAncestor(owner, GA_ROOT) : nullptr;
}

INT_PTR CDialog::DoModal() {
    HWND owner = OwnerForModal();
    const bool disableOwner = owner && IsWindowEnabled(owner);
    m_modal = true;
    m_result = -1;
    if (!CreateFrom(owner)) {
        m_modal = false;
        return -1;
    }
    if (disableOwner) EnableWindow(owner, FALSE);
    if (!m_ended) ShowWindow(GetSafeHwnd(), SW_SHOW);

    MSG message;
    while (!m_ended && GetSafeHwnd()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            // Someone asked the program to quit: end here, let the outer loop see it.
            if (got == 0) PostQuitMessage(int(message.wParam));
            break;
        }
        if (!WalkPreTranslateTree(GetSafeHwnd(), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    // The owner comes back before the dialog goes, so that activation returns to it.
    if (disableOwner) EnableWindow(owner, TRUE);
    if (GetSafeHwnd() && owner && GetActiveWindow() == GetSafeHwnd()) SetActiveWindow(owner);
    DestroyWindow();
    m_modal = false;
    return m_result;
}

void CDialog::EndDialog(int result) {
    m_result = result;
    m_ended = true;
    if (!m_modal && GetSafeHwnd()) ShowWindow(GetSafeHwnd(), SW_HIDE);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    if (!GetSafeHwnd()) return FALSE;
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return !exchange.Failed();
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT code = HIWORD(wParam);
    if (code != BN_CLICKED) return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    }
    return FALSE;
}

void CDialog::OnClose() { OnCancel(); }

BOOL CDialog::PreTranslateMessage(MSG* message) {
    if (message->message < WM_KEYFIRST || message->message > WM_KEYLAST) return FALSE;
    // A nested dialog that is part of its parent's navigation leaves the keys
    // to the top-level dialog; any other dialog navigates itself.
    const LONG style = GetWindowLongW(GetSafeHwnd(), GWL_STYLE);
    if ((style & WS_CHILD) && (style & DS_CONTROL)) return FALSE;
    return IsDialogMessageW(GetSafeHwnd(), message);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_INITDIALOG) return FALSE;
    // From here on the dialog's messages pass through its object first; the
    // dialog manager's own processing is what they fall back to.
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    if (!dialog || !dialog->BindCreated(window)) return TRUE;
    try {
        return dialog->OnInitDialog();
    } catch (...) {
        CountCaughtException();
        return TRUE;
    }
}
