#include "host/ui/VarnPDialog.h"

#include "host/QorHelper.h"
#include "host/ui/VarnPVisualManager.h"

void CVarnPDialog::EnableVisualManagerStyle(BOOL enable, BOOL, const void*) {
    m_visualStyle = enable;
    if (GetSafeHwnd()) InvalidateRect(GetSafeHwnd(), nullptr, TRUE);
}

LRESULT CVarnPDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_HELP:
        if (const wchar_t* key = GetHelpKey()) return QorShowHelpTopic(CString(key));
        break;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        // A wrapped control colours itself through reflection.
        CWnd* control = CWnd::FromHandlePermanent(reinterpret_cast<HWND>(lParam));
        if (!m_visualStyle || (control && control != this)) break;
        CVarnPVisualManager* style = CVarnPVisualManager::GetInstance();
        SetBkColor(reinterpret_cast<HDC>(wParam), style->GetDialogBackColor());
        return reinterpret_cast<LRESULT>(style->GetDialogBackBrush());
    }
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
