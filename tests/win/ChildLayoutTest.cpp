// The child layout on real windows: captured children follow the page.
#include <gtest/gtest.h>

#include "WinTestSupport.h"
#include "widgets/win/ChildLayout.h"

namespace {

RECT ClientRectOf(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void SetPageSize(HWND page, int width, int height) {
    SetWindowPos(page, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
}

}  // namespace

TEST(ChildLayoutWindows, ChildrenFollowTheirAnchorsAndComeBackAtTheCapturedSize) {
    HostWindow page(L"页", WS_POPUP);
    SetPageSize(page.GetSafeHwnd(), 400, 300);
    HWND list = page.Add(L"Static", L"list");
    HWND button = page.Add(L"Button", L"b");
    HWND label = page.Add(L"Static", L"l");
    MoveWindow(list, 10, 10, 300, 200, FALSE);
    MoveWindow(button, 320, 250, 70, 25, FALSE);
    MoveWindow(label, 100, 220, 50, 20, FALSE);

    CChildLayout layout;
    layout.Capture(page.GetSafeHwnd());
    ASSERT_TRUE(layout.SetFlags(list, 6, 6));
    ASSERT_TRUE(layout.SetFlags(button, 5, 5));
    EXPECT_FALSE(layout.SetFlags(GetDesktopWindow(), 3, 3)) << "not a captured child";
    HWND late = page.Add(L"Static", L"late");
    MoveWindow(late, 1, 2, 3, 4, FALSE);

    SetPageSize(page.GetSafeHwnd(), 600, 400);
    layout.Resize();
    const RECT grownList = ClientRectOf(list), grownButton = ClientRectOf(button), grownLabel = ClientRectOf(label);
    EXPECT_EQ(grownList.right - grownList.left, 500);
    EXPECT_EQ(grownList.bottom, 310);
    EXPECT_EQ(grownButton.left, 520);
    EXPECT_EQ(grownButton.right - grownButton.left, 70);
    EXPECT_EQ(grownButton.top, 350);
    EXPECT_EQ(grownLabel.left, 150) << "no flags: in proportion, 100 × 600 / 400";
    EXPECT_EQ(ClientRectOf(late).left, 1) << "created after the capture: left alone";

    SetPageSize(page.GetSafeHwnd(), 400, 300);
    layout.Resize();
    const RECT backList = ClientRectOf(list), backLabel = ClientRectOf(label);
    EXPECT_EQ(backList.left, 10);
    EXPECT_EQ(backList.right, 310);
    EXPECT_EQ(backList.bottom, 210);
    EXPECT_EQ(backLabel.left, 100);
    EXPECT_EQ(backLabel.top, 220);
}
