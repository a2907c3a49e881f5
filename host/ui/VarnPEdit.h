#pragma once

#include "framework/Edit.h"

// The control library's edit box with an optional browse button at its right
// end: a push button inside the box (the text stops short of it) that calls
// OnBrowse when clicked. Alt+Down and F4 in the box browse as well.
class QOR_API CVarnPEdit : public CEdit {
public:
    // The control ID of the button below the box.
    enum : int { kBrowseButtonId = 1 };

    CVarnPEdit() noexcept = default;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // Shows (TRUE) or removes the button. Before the box has a window the
    // choice is kept for Create; a box bound to a dialog's control is given
    // its button once bound.
    void EnableBrowseButton(BOOL enable = TRUE, LPCWSTR text = L"...");
    BOOL IsBrowseButtonEnabled() const { return m_browse; }
    // The button's window (borrowed), or null.
    HWND GetBrowseButton() const { return m_button.get(); }

protected:
    // The user asked to browse.
    virtual void OnBrowse() {}

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void UpdateButton();
    int ButtonWidth() const;

    BOOL m_browse = FALSE;
    CString m_buttonText = L"...";
    UniqueWindow m_button;
};
