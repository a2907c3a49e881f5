#pragma once

#include "framework/Wnd.h"

class CDataExchange;

// A dialog made from a template: modeless with Create, or modal with DoModal,
// whose own message loop disables the owner, offers every message to
// PreTranslateMessage (so keyboard navigation works in nested dialogs) and
// ends with EndDialog. Templates come from the current resource module
// unless one is given in memory.
class QOR_API CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr) noexcept;
    // An in-memory template; it must outlive the dialog window.
    explicit CDialog(const DLGTEMPLATE* dialogTemplate, CWnd* parent = nullptr) noexcept;

    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    BOOL Create();
    // IDOK, IDCANCEL or what EndDialog was given; -1 when the dialog could
    // not be made.
    INT_PTR DoModal();
    void EndDialog(int result);
    BOOL IsModal() const { return m_modal; }

    // Controls into members (TRUE) or members into controls (FALSE); FALSE
    // when a value was refused (the user has been told, the field has focus).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    BOOL PreTranslateMessage(MSG* message) override;

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX) {}

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnClose() override;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL CreateFrom(HWND parent);
    const DLGTEMPLATE* FindTemplate() const;
    HWND OwnerForModal() const;

    UINT m_templateId = 0;
    const DLGTEMPLATE* m_template = nullptr;
    CWnd* m_parent = nullptr;
    bool m_modal = false;
    bool m_ended = false;
    INT_PTR m_result = -1;
};
