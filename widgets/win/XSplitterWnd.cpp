#include "widgets/win/XSplitterWnd.h"

#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "base/win/UniqueHandle.h"
#include "framework/ModuleState.h"
#include "resources/DictionaryApp.h"
#include "widgets/SplitterGeometry.h"

namespace {

// The framework's horizontal-splitter cursor, kept among the library's resources.
const WORD kHSplitBarCursor = 30980;

PixelRect ToPixel(const RECT& r) { return PixelRect{r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const PixelRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

RECT ScreenRectOf(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

RECT RectInParent(HWND window, HWND parent) {
    RECT r = ScreenRectOf(window);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::vector<PixelRect> ScreenRectsOf(HWND parent, const CDWordArray& ids) {
    std::vector<PixelRect> rects;
    for (std::ptrdiff_t i = 0; i < ids.GetSize(); ++i)
        if (HWND pane = GetDlgItem(parent, int(ids[i]))) rects.push_back(ToPixel(ScreenRectOf(pane)));
    return rects;
}

void MoveTo(HWND window, const RECT& r) {
    MoveWindow(window, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
}

HCURSOR SplitterCursor() {
    // The current resource module first, as the framework searches, then the library.
    for (HINSTANCE module : {AfxGetModuleState()->m_hCurrentResourceHandle, QorGetModuleResourceHandle()})
        if (module)
            if (HCURSOR cursor = LoadCursorW(module, MAKEINTRESOURCEW(kHSplitBarCursor))) return cursor;
    return LoadCursorW(nullptr, IDC_SIZEWE);
}

// A device context of the parent that is not clipped by its children: the
// drag frame must show over the bar and the panes too.
class UnclippedDc {
public:
    explicit UnclippedDc(HWND window) noexcept
        : m_window(window), m_dc(GetDCEx(window, nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE)) {}
    ~UnclippedDc() {
        if (m_dc) ReleaseDC(m_window, m_dc);
    }
    UnclippedDc(const UnclippedDc&) = delete;
    UnclippedDc& operator=(const UnclippedDc&) = delete;
    HDC get() const noexcept { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

// A frame drawn by inverting through a halftone brush, so that drawing the
// same frame again erases it.
class DragFrame {
public:
    DragFrame(HDC dc, SIZE thickness) noexcept : m_dc(dc), m_thickness(thickness) {
        static const WORD kHalftone[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
        m_pattern.reset(CreateBitmap(8, 8, 1, 1, kHalftone));
        if (m_pattern) m_brush.reset(CreatePatternBrush(m_pattern.get()));
    }
    ~DragFrame() { Hide(); }
    DragFrame(const DragFrame&) = delete;
    DragFrame& operator=(const DragFrame&) = delete;

    void Show(const RECT& r) {
        if (m_shown && EqualRect(&r, &m_rect)) return;
        Hide();
        m_rect = r;
        Invert(m_rect);
        m_shown = true;
    }
    void Hide() {
        if (!m_shown) return;
        Invert(m_rect);
        m_shown = false;
    }
    // The window drawn on is gone: nothing to erase.
    void Forget() { m_shown = false; }

private:
    void Invert(const RECT& r) {
        if (!m_dc || !m_brush) return;
        SelectedObject brush(m_dc, m_brush.get());
        const int w = r.right - r.left, h = r.bottom - r.top;
        const int tx = m_thickness.cx, ty = m_thickness.cy;
        if (w <= 0 || h <= 0) return;
        // Strips must not overlap, or the overlap would be inverted twice.
        if (2 * tx >= w || 2 * ty >= h) {
            PatBlt(m_dc, r.left, r.top, w, h, PATINVERT);
            return;
        }
        PatBlt(m_dc, r.left, r.top, w, ty, PATINVERT);
        PatBlt(m_dc, r.left, r.bottom - ty, w, ty, PATINVERT);
        PatBlt(m_dc, r.left, r.top + ty, tx, h - 2 * ty, PATINVERT);
        PatBlt(m_dc, r.right - tx, r.top + ty, tx, h - 2 * ty, PATINVERT);
    }

    HDC m_dc;
    SIZE m_thickness;
    UniqueBitmap m_pattern;
    UniqueBrush m_brush;
    RECT m_rect = {};
    bool m_shown = false;
};

// The cursor confined and the mouse captured for one drag.
class DragCapture {
public:
    DragCapture(HWND bar, const RECT& clip) noexcept : m_bar(bar) {
        ClipCursor(&clip);
        SetCapture(bar);
    }
    ~DragCapture() {
        if (GetCapture() == m_bar) ReleaseCapture();
        ClipCursor(nullptr);
    }
    DragCapture(const DragCapture&) = delete;
    DragCapture& operator=(const DragCapture&) = delete;

private:
    HWND m_bar;
};

}  // namespace

CxSplitterWnd::~CxSplitterWnd() {
    // The control outlives this object in its dialog: take the subclass out.
    if (GetSafeHwnd()) UnsubclassWindow();
}

BOOL CxSplitterWnd::BindWithControl(CWnd* parent, UINT id) {
    m_parent = parent;
    m_minLeftWidth = 10;
    m_minRightWidth = 10;
    if (!SubclassDlgItem(id, parent)) return FALSE;
    // A static control lets clicks through to its parent unless it notifies.
    SetWindowLongW(GetSafeHwnd(), GWL_STYLE, GetWindowLongW(GetSafeHwnd(), GWL_STYLE) | SS_NOTIFY);
    return TRUE;
}

void CxSplitterWnd::RecalcLayout() {
    if (!m_parent || !GetSafeHwnd()) return;
    const HWND parent = m_parent->GetSafeHwnd();
    const PixelRect bar = ToPixel(RectInParent(GetSafeHwnd(), parent));
    for (std::ptrdiff_t i = 0; i < m_leftPanes.GetSize(); ++i)
        if (HWND pane = GetDlgItem(parent, int(m_leftPanes[i])))
            MoveTo(pane, ToRect(LeftPaneBesideBar(ToPixel(RectInParent(pane, parent)), bar)));
    for (std::ptrdiff_t i = 0; i < m_rightPanes.GetSize(); ++i)
        if (HWND pane = GetDlgItem(parent, int(m_rightPanes[i])))
            MoveTo(pane, ToRect(RightPaneBesideBar(ToPixel(RectInParent(pane, parent)), bar)));
    InvalidateRect(parent, nullptr, TRUE);
}

LRESULT CxSplitterWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(SplitterCursor());
        return TRUE;
    case WM_LBUTTONDOWN:
        Drag(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_CANCELMODE:
        // Ends the drag whatever the control's own procedure does with it.
        if (m_tracking) ReleaseCapture();
        break;
    case WM_CAPTURECHANGED:
        // The loop may be waiting in GetMessageW: wake it so that it ends now.
        if (m_tracking) {
            m_tracking = false;
            PostMessageW(GetSafeHwnd(), WM_NULL, 0, 0);
        }
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CxSplitterWnd::Drag(POINT grab) {
    if (GetCapture() || m_tracking || !m_parent || !m_parent->GetSafeHwnd()) return;
    const HWND parent = m_parent->GetSafeHwnd();
    const RECT bar = ScreenRectOf(GetSafeHwnd());
    RECT area = {};
    GetClientRect(parent, &area);
    MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&area), 2);
    const SplitterDragRange range =
        SplitterDragLimits(ToPixel(area), ScreenRectsOf(parent, m_leftPanes), ScreenRectsOf(parent, m_rightPanes),
                           m_minLeftWidth, m_minRightWidth);
    if (!range.HasRoom()) {
        OutputDebugStringW(L"No room to drag the x-splitter bar\n");
        return;
    }
    const int width = int(bar.right - bar.left);
    // The same bounds as the cursor clip, for mouse messages that come from
    // elsewhere than the confined cursor.
    const int minDx = range.minX - int(bar.left);
    const int maxDx = std::max(minDx, range.maxX - width - int(bar.left));
    const RECT start = RectInParent(GetSafeHwnd(), parent);
    int dx = 0;
    {
        DragCapture capture(GetSafeHwnd(), ToRect(SplitterCursorClip(range, ToPixel(bar), grab.x)));
        UnclippedDc dc(parent);
        DragFrame frame(dc.get(), SIZE{width, bar.bottom - bar.top});
        frame.Show(start);
        m_tracking = GetCapture() == GetSafeHwnd();
        while (m_tracking && GetSafeHwnd() && GetCapture() == GetSafeHwnd()) {
            MSG msg;
            const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
            if (got <= 0) {
                // A quit request belongs to the outer loop.
                if (got == 0) PostQuitMessage(int(msg.wParam));
                break;
            }
            if (msg.message == WM_MOUSEMOVE) {
                POINT at{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
                if (msg.hwnd != GetSafeHwnd()) MapWindowPoints(msg.hwnd, GetSafeHwnd(), &at, 1);
                dx = std::min(std::max(int(at.x) - int(grab.x), minDx), maxDx);
                RECT moved = start;
                OffsetRect(&moved, dx, 0);
                frame.Show(moved);
            } else if ((msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) || msg.message == WM_LBUTTONUP ||
                       msg.message == WM_RBUTTONDOWN) {
                break;
            } else if (msg.message != WM_KEYDOWN) {
                DispatchMessageW(&msg);
            }
        }
        m_tracking = false;
        if (!IsWindow(parent)) frame.Forget();
    }
    if (dx == 0 || !GetSafeHwnd() || !IsWindow(parent)) return;
    RECT moved = start;
    OffsetRect(&moved, dx, 0);
    MoveTo(GetSafeHwnd(), moved);
    RecalcLayout();
    PostMessageW(parent, WM_SPLITTER_MOVED, WPARAM(dx), LPARAM(GetDlgCtrlID()));
}
