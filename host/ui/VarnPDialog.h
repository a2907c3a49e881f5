#pragma once

#include "framework/Dialog.h"

// The control library's dialog: a framework dialog that paints itself in the
// library's visual style once asked to, and opens its help topic on F1.
class QOR_API CVarnPDialog : public CDialog {
public:
    using CDialog::CDialog;

    // nonClient and the exception list are the library's; this style paints
    // the client area and the labels and check boxes on it.
    void EnableVisualManagerStyle(BOOL enable, BOOL nonClient = FALSE, const void* exceptions = nullptr);
    BOOL IsVisualManagerStyle() const { return m_visualStyle; }

protected:
    // The help key of this window ("[Dictionary] CDictionaryDialog::OnHelpInfo");
    // null leaves F1 to the parent.
    virtual const wchar_t* GetHelpKey() const { return nullptr; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    BOOL m_visualStyle = FALSE;
};
