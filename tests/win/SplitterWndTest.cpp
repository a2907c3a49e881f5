// The splitter bar dragged with real mouse messages: they are posted before
// the button goes down, so the drag's own loop is what reads them.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>

#include "WinTestSupport.h"
#include "resources/DictionaryApp.h"
#include "widgets/win/XSplitterWnd.h"

namespace {

enum { kLeftPane = 100, kLowerLeftPane = 101, kBar = 200, kRightPane = 300 };
const int kGrabX = 2, kGrabY = 50;

// A parent at the screen origin, so that its client, window and screen
// coordinates agree. It counts the keys that reach it and, asked by WM_APP,
// takes the mouse capture away from whoever holds it.
class Parent : public HostWindow {
public:
    explicit Parent(int width = 400) : HostWindow(L"分隔", WS_POPUP) {
        SetWindowPos(GetSafeHwnd(), nullptr, 0, 0, width, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    HWND Child(UINT id, const wchar_t* className, int left, int top, int right, int bottom) {
        // Plain windows, not wrapped: the bar must be free for the splitter to take.
        return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE, left, top, right - left, bottom - top,
                               GetSafeHwnd(), reinterpret_cast<HMENU>(UINT_PTR(id)), nullptr, nullptr);
    }
    int keys = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_KEYDOWN) ++keys;
        if (message == WM_APP) {
            SetCapture(GetSafeHwnd());
            return 0;
        }
        if (message == WM_APP + 1) {
            ::SendMessageW(HWND(wParam), WM_CANCELMODE, 0, 0);
            return 0;
        }
        return HostWindow::WindowProc(message, wParam, lParam);
    }
};

RECT RectIn(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

LPARAM At(int x, int y = kGrabY) { return MAKELPARAM(x, y); }
void Post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    PostMessageW(window, message, wParam, lParam);
}
void MoveBy(HWND bar, int dx) { Post(bar, WM_MOUSEMOVE, MK_LBUTTON, At(kGrabX + dx)); }
void PressBar(HWND bar) { SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(kGrabX)); }

// Takes the splitter's report off the parent's queue; false when there is none.
bool TakeReport(HWND parent, MSG& report) {
    return PeekMessageW(&report, parent, WM_SPLITTER_MOVED, WM_SPLITTER_MOVED, PM_REMOVE) != FALSE;
}

// Removes what a test left queued, so the next drag reads only its own messages.
int Drain() {
    int count = 0;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ++count;
    return count;
}

// Left pane [10,149), bar [150,154), right pane [155,390); the right pane
// starts lower and is shorter, so keeping top and height shows.
struct Layout {
    explicit Layout(int parentWidth = 400) : parent(parentWidth) {
        left = parent.Child(kLeftPane, L"Static", 10, 10, 149, 200);
        bar = parent.Child(kBar, L"Static", 150, 10, 154, 200);
        right = parent.Child(kRightPane, L"Static", 155, 30, 390, 130);
        EXPECT_TRUE(splitter.BindWithControl(&parent, kBar));
        splitter.AttachAsLeftPane(kLeftPane);
        splitter.AttachAsRightPane(kRightPane);
        Drain();
    }
    ~Layout() { Drain(); }
    Parent parent;
    HWND left, bar, right;
    CxSplitterWnd splitter;
};

}  // namespace

TEST(SplitterWnd, BindingTakesTheControlNotifiesClicksAndLetsGoWithTheObject) {
    Parent parent;
    HWND bar = parent.Child(kBar, L"Static", 150, 10, 154, 200);
    {
        CxSplitterWnd splitter;
        EXPECT_FALSE(splitter.BindWithControl(&parent, 999)) << "no such control";
        CxSplitterWnd other;
        ASSERT_TRUE(other.BindWithControl(&parent, kBar));
        EXPECT_EQ(CWnd::FromHandlePermanent(bar), &other);
        EXPECT_TRUE(GetWindowLongW(bar, GWL_STYLE) & SS_NOTIFY);
        EXPECT_FALSE(splitter.BindWithControl(&parent, kBar)) << "already taken";

        EXPECT_EQ(SendMessageW(bar, WM_SETCURSOR, WPARAM(bar), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), TRUE);
        const HCURSOR expected = LoadCursorW(QorGetModuleResourceHandle(), MAKEINTRESOURCEW(30980));
        ASSERT_NE(expected, nullptr) << "the library carries the splitter cursor";
        EXPECT_EQ(GetCursor(), expected);
    }
    EXPECT_TRUE(IsWindow(bar));
    EXPECT_EQ(CWnd::FromHandlePermanent(bar), nullptr) << "no subclass left pointing at a gone object";
}

TEST(SplitterWnd, DragMovesBarAndPanesAndReportsTheSignedDistance) {
    Layout l;
    MSG report;
    MoveBy(l.bar, 25);
    MoveBy(l.bar, 0);
    Post(l.bar, WM_LBUTTONUP);
    PressBar(l.bar);
    EXPECT_EQ(RectIn(l.bar).left, 150) << "released where it started";
    EXPECT_EQ(RectIn(l.right).left, 155);
    EXPECT_FALSE(TakeReport(l.parent.GetSafeHwnd(), report));

    MoveBy(l.bar, 12);
    MoveBy(l.bar, 30);
    Post(l.bar, WM_LBUTTONUP, 0, At(kGrabX + 30));
    PressBar(l.bar);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(RectIn(l.bar).left, 180);
    EXPECT_EQ(RectIn(l.bar).right, 184);
    EXPECT_EQ(RectIn(l.left).left, 10);
    EXPECT_EQ(RectIn(l.left).right, 179);
    EXPECT_EQ(RectIn(l.left).bottom, 200);
    EXPECT_EQ(RectIn(l.right).left, 185);
    EXPECT_EQ(RectIn(l.right).right, 390);
    EXPECT_EQ(RectIn(l.right).top, 30);
    EXPECT_EQ(RectIn(l.right).bottom, 130);
    ASSERT_TRUE(TakeReport(l.parent.GetSafeHwnd(), report));
    EXPECT_EQ(int(report.wParam), 30) << "the last move counts";
    EXPECT_EQ(report.lParam, kBar);
    EXPECT_FALSE(TakeReport(l.parent.GetSafeHwnd(), report)) << "one report per drag";

    MoveBy(l.bar, -45);
    Post(l.bar, WM_LBUTTONUP);
    PressBar(l.bar);
    EXPECT_EQ(RectIn(l.bar).left, 135);
    EXPECT_EQ(RectIn(l.left).right, 134);
    EXPECT_EQ(RectIn(l.right).left, 140);
    ASSERT_TRUE(TakeReport(l.parent.GetSafeHwnd(), report));
    EXPECT_EQ(int(report.wParam), -45);
}

TEST(SplitterWnd, TheBarStaysWithinTheMinimumWidthsOfParentAndPanes) {
    Layout l;
    // A second left pane further right raises the left limit: 40 + 50.
    l.parent.Child(kLowerLeftPane, L"Static", 40, 210, 149, 290);
    l.splitter.AttachAsLeftPane(kLowerLeftPane);
    l.splitter.SetMinWidth(50, 60);

    MoveBy(l.bar, -1000);
    Post(l.bar, WM_LBUTTONUP);
    PressBar(l.bar);
    EXPECT_EQ(RectIn(l.bar).left, 90);
    MSG report;
    ASSERT_TRUE(TakeReport(l.parent.GetSafeHwnd(), report));
    EXPECT_EQ(int(report.wParam), -60);

    // The right limit is the right pane's: 390 − 60, the bar's right edge at most there.
    MoveBy(l.bar, 1000);
    Post(l.bar, WM_LBUTTONUP);
    PressBar(l.bar);
    EXPECT_EQ(RectIn(l.bar).right, 330);
    EXPECT_EQ(RectIn(l.right).left, 331);
    EXPECT_EQ(RectIn(l.left).right, 325);
    EXPECT_EQ(RectIn(GetDlgItem(l.parent.GetSafeHwnd(), kLowerLeftPane)).right, 325);
    ASSERT_TRUE(TakeReport(l.parent.GetSafeHwnd(), report));
    EXPECT_EQ(int(report.wParam), 236);
}

TEST(SplitterWnd, NoDragStartsWithoutRoomOrWhileTheMouseIsCaptured) {
    // 120 + 120 does not fit in a parent 230 wide.
    Layout narrow(230);
    narrow.splitter.SetMinWidth(120, 120);
    MoveBy(narrow.bar, 20);
    Post(narrow.bar, WM_LBUTTONUP);
    PressBar(narrow.bar);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(RectIn(narrow.bar).left, 150);
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, narrow.bar, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_NOREMOVE))
        << "no loop ran to read the move";
    EXPECT_FALSE(TakeReport(narrow.parent.GetSafeHwnd(), msg));
    Drain();

    Layout l;
    SetCapture(l.parent.GetSafeHwnd());
    MoveBy(l.bar, 20);
    Post(l.bar, WM_LBUTTONUP);
    PressBar(l.bar);
    EXPECT_EQ(GetCapture(), l.parent.GetSafeHwnd()) << "the holder keeps the capture";
    EXPECT_EQ(RectIn(l.bar).left, 150);
    EXPECT_TRUE(PeekMessageW(&msg, l.bar, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_NOREMOVE));
    ReleaseCapture();
}

TEST(SplitterWnd, OtherKeysAreDroppedAndEscapeOrTheRightButtonEndWhereTheBarWasDrawn) {
    Layout l;
    MoveBy(l.bar, 20);
    Post(l.parent.GetSafeHwnd(), WM_KEYDOWN, 'A', 1);
    Post(l.bar, WM_KEYDOWN, VK_SPACE, 1);
    Post(l.bar, WM_KEYDOWN, VK_ESCAPE, 1);
    MoveBy(l.bar, 70);  // after the end: not read by the drag
    PressBar(l.bar);
    EXPECT_EQ(l.parent.keys, 0);
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE)) << "dropped, not left queued";
    EXPECT_EQ(RectIn(l.bar).left, 170) << "Escape keeps the place, it does not undo";
    ASSERT_TRUE(TakeReport(l.parent.GetSafeHwnd(), msg));
    EXPECT_EQ(int(msg.wParam), 20);
    Drain();

    MoveBy(l.bar, -10);
    Post(l.bar, WM_RBUTTONDOWN);
    PressBar(l.bar);
    EXPECT_EQ(RectIn(l.bar).left, 160);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(TakeReport(l.parent.GetSafeHwnd(), msg));
}

TEST(SplitterWnd, ADragEndsAtOnceWhenTheCaptureIsTakenOrTheModeCancelled) {
    Layout l;
    const HWND parent = l.parent.GetSafeHwnd();
    MoveBy(l.bar, 15);
    Post(parent, WM_APP);  // dispatched by the drag's loop: the parent takes the capture
    MoveBy(l.bar, 60);
    Post(l.bar, WM_LBUTTONUP);
    PressBar(l.bar);
    EXPECT_EQ(GetCapture(), parent) << "the bar does not take back or release another's capture";
    EXPECT_EQ(RectIn(l.bar).left, 165);
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, l.bar, WM_LBUTTONUP, WM_LBUTTONUP, PM_NOREMOVE)) << "the loop had ended";
    ReleaseCapture();
    Drain();

    MoveBy(l.bar, -5);
    Post(parent, WM_APP + 1, WPARAM(l.bar));  // a WM_CANCELMODE sent to the bar mid-drag
    Post(l.bar, WM_LBUTTONUP);
    PressBar(l.bar);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(RectIn(l.bar).left, 160);
    EXPECT_TRUE(PeekMessageW(&msg, l.bar, WM_LBUTTONUP, WM_LBUTTONUP, PM_NOREMOVE));
    Drain();

    // The capture taken while the loop waits with an empty queue: a message
    // sent from another thread runs inside the loop's GetMessageW.
    std::atomic<bool> unblocked{false};
    HANDLE dragDone = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(dragDone, nullptr);
    const HWND bar = l.bar;
    std::thread other([&] {
        SendMessageW(parent, WM_APP, 0, 0);
        if (WaitForSingleObject(dragDone, 5000) == WAIT_TIMEOUT) {
            unblocked = true;
            PostMessageW(bar, WM_LBUTTONUP, 0, 0);
        }
    });
    PressBar(l.bar);
    SetEvent(dragDone);
    other.join();
    CloseHandle(dragDone);
    EXPECT_FALSE(unblocked) << "the loop kept waiting after the capture was gone";
    EXPECT_EQ(GetCapture(), parent);
    ReleaseCapture();
}
