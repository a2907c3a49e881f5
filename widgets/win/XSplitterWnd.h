#pragma once

#include "base/CList.h"
#include "framework/Wnd.h"

// Posted to the parent after a drag moved the bar: wParam the horizontal
// distance in pixels (signed), lParam the bar's control ID.
constexpr UINT WM_SPLITTER_MOVED = 0x07E8;

// A vertical bar (an existing static control of a dialog) that the user drags
// sideways to share the width between the panes on its left and right.
class QOR_API CxSplitterWnd : public CWnd {
public:
    CxSplitterWnd() noexcept = default;
    ~CxSplitterWnd() override;

    // Takes over control id of parent; both minimum widths become 10.
    BOOL BindWithControl(CWnd* parent, UINT id);
    void SetMinWidth(int left, int right) {
        m_minLeftWidth = left;
        m_minRightWidth = right;
    }
    void AttachAsLeftPane(UINT id) { m_leftPanes.Add(DWORD(id)); }
    void AttachAsRightPane(UINT id) { m_rightPanes.Add(DWORD(id)); }
    // Fits the panes to the bar's present place.
    void RecalcLayout();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Drag(POINT grab);

    CWnd* m_parent = nullptr;
    CDWordArray m_leftPanes;
    CDWordArray m_rightPanes;
    int m_minLeftWidth = 0;
    int m_minRightWidth = 0;
    bool m_tracking = false;  // the drag's loop runs
};
