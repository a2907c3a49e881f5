// The window layer: binding at creation, typed dispatch, reflected
// notifications, exception containment and handle ownership.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "WinTestSupport.h"
#include "framework/ListCtrl.h"
#include "base/win/UniqueHandle.h"

namespace {

class RecordingWnd : public CWnd {
public:
    std::vector<CString> calls;
    bool boundInCreate = false;
    bool throwOnSize = false;
    bool handleCommands = true;

protected:
    int OnCreate(CREATESTRUCTW*) override {
        boundInCreate = FromHandlePermanent(GetSafeHwnd()) == this;
        calls.push_back(L"create");
        return 0;
    }
    void OnSize(UINT, int cx, int) override {
        if (throwOnSize) throw std::runtime_error("handler failure");
        CString call;
        call.Format(L"size %d", cx);
        calls.push_back(call);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM) override {
        CString call;
        call.Format(L"command %d", int(LOWORD(wParam)));
        calls.push_back(call);
        return handleCommands;
    }
    BOOL OnNotify(WPARAM, LPARAM, LRESULT*) override {
        calls.push_back(L"notify");
        return TRUE;
    }
    void PostNcDestroy() override { calls.push_back(L"gone"); }
};

class ReflectingButton : public CWnd {
public:
    std::vector<UINT> codes;
    BOOL take = TRUE;

protected:
    BOOL OnCommandReflect(UINT code) override {
        codes.push_back(code);
        return take;
    }
};

class ReflectingList : public CListCtrl {
public:
    std::vector<UINT> codes;

protected:
    BOOL OnNotifyReflect(NMHDR* header, LRESULT* result) override {
        codes.push_back(header->code);
        *result = 0;
        return TRUE;
    }
};

const RECT kRect{0, 0, 200, 100};

TEST(Framework, OwnClassWindowIsBoundBeforeCreateAndDispatchesTypedHandlers) {
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"w", WS_OVERLAPPEDWINDOW, kRect, nullptr, 0));
    EXPECT_TRUE(wnd.boundInCreate);
    SetWindowPos(wnd.GetSafeHwnd(), nullptr, 0, 0, 321, 100, SWP_NOZORDER | SWP_NOMOVE);
    ASSERT_GE(wnd.calls.size(), 2u);
    EXPECT_EQ(wnd.calls.front(), CString(L"create"));
    EXPECT_EQ(wnd.calls.back().Left(4), CString(L"size"));
}

TEST(Framework, NotificationsReachTheControlsOwnObjectFirst) {
    RecordingWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"p", WS_OVERLAPPEDWINDOW, kRect, nullptr, 0));
    ReflectingButton button;
    ASSERT_TRUE(button.Create(L"Button", L"b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, kRect, &parent, 42));
    ReflectingList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, kRect, &parent, 43));
    parent.calls.clear();

    SendMessageW(parent.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(42, BN_CLICKED), LPARAM(button.GetSafeHwnd()));
    EXPECT_EQ(button.codes, std::vector<UINT>{BN_CLICKED});
    EXPECT_TRUE(parent.calls.empty()) << "handled by the button, not passed on";

    button.take = FALSE;
    SendMessageW(parent.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(42, BN_SETFOCUS), LPARAM(button.GetSafeHwnd()));
    ASSERT_EQ(parent.calls.size(), 1u);
    EXPECT_EQ(parent.calls[0], CString(L"command 42"));

    // A real notification sent by the control itself.
    list.InsertColumn(0, L"c");
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.pszText = const_cast<LPWSTR>(L"row");
    SendMessageW(list.GetSafeHwnd(), LVM_INSERTITEMW, 0, LPARAM(&item));
    EXPECT_NE(std::find(list.codes.begin(), list.codes.end(), UINT(LVN_INSERTITEM)), list.codes.end());
}

TEST(Framework, ThrowingHandlerGetsDefaultProcessingAndTheWindowLivesOn) {
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"w", WS_OVERLAPPEDWINDOW, kRect, nullptr, 0));
    const long caughtBefore = CWnd::GetCaughtExceptionCount();
    wnd.throwOnSize = true;
    SetWindowPos(wnd.GetSafeHwnd(), nullptr, 0, 0, 300, 100, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_EQ(CWnd::GetCaughtExceptionCount(), caughtBefore + 1);
    wnd.throwOnSize = false;
    SetWindowPos(wnd.GetSafeHwnd(), nullptr, 0, 0, 310, 100, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_TRUE(IsWindow(wnd.GetSafeHwnd()));
    EXPECT_EQ(wnd.calls.back().Left(4), CString(L"size"));
}

TEST(Framework, OwnedWindowsGoWithTheirObjectBorrowedOnesStay) {
    HWND owned;
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"w", WS_OVERLAPPEDWINDOW, kRect, nullptr, 0));
        owned = wnd.GetSafeHwnd();
    }
    EXPECT_FALSE(IsWindow(owned));

    HostWindow host;
    {
        CWnd borrowed;
        borrowed.Attach(host.GetSafeHwnd());
        EXPECT_EQ(CWnd::FromHandlePermanent(host.GetSafeHwnd()), &host);
    }
    EXPECT_TRUE(IsWindow(host.GetSafeHwnd()));
}

TEST(Framework, ObjectsOfWindowsDestroyedElsewhereAreUnbound) {
    RecordingWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"p", WS_OVERLAPPEDWINDOW, kRect, nullptr, 0));
    RecordingWnd child;
    ASSERT_TRUE(child.CreateEx(0, nullptr, L"c", WS_CHILD, kRect, &parent, 1));
    ReflectingButton control;
    ASSERT_TRUE(control.Create(L"Button", L"b", WS_CHILD, kRect, &parent, 2));
    const HWND controlWindow = control.GetSafeHwnd();

    DestroyWindow(parent.GetSafeHwnd());
    EXPECT_EQ(parent.GetSafeHwnd(), nullptr);
    EXPECT_EQ(child.GetSafeHwnd(), nullptr);
    EXPECT_EQ(control.GetSafeHwnd(), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(controlWindow), nullptr);
    EXPECT_EQ(child.calls.back(), CString(L"gone"));
    EXPECT_FALSE(child.DestroyWindow());
}

// Another user of the comctl32 subclass chain, counting what passes.
LRESULT CALLBACK CountingSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR count) {
    if (message == WM_SETTEXT) ++*reinterpret_cast<int*>(count);
    return DefSubclassProc(window, message, wParam, lParam);
}

class TextWatcher : public CWnd {
public:
    int texts = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SETTEXT) ++texts;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(Framework, SubclassingSharesTheChainAndDetachRemovesOnlyOurOwnLink) {
    HostWindow host;
    // A control no object of ours is bound to yet.
    HWND edit = CreateWindowExW(0, L"Edit", L"a", WS_CHILD, 0, 0, 50, 20, host.GetSafeHwnd(), HMENU(UINT_PTR(77)),
                                nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    EXPECT_FALSE(TextWatcher().SubclassWindow(host.GetSafeHwnd())) << "bound to its own object already";
    int foreignCount = 0;
    TextWatcher watcher;
    ASSERT_TRUE(watcher.SubclassWindow(edit));
    EXPECT_EQ(CWnd::FromHandlePermanent(edit), &watcher);
    EXPECT_FALSE(TextWatcher().SubclassWindow(edit)) << "one object per window";
    ASSERT_TRUE(SetWindowSubclass(edit, CountingSubclass, 7, DWORD_PTR(&foreignCount)));

    SetWindowTextW(edit, L"b");
    EXPECT_EQ(watcher.texts, 1);
    EXPECT_EQ(foreignCount, 1);
    EXPECT_EQ(TextOf(edit), CString(L"b")) << "the control's own procedure still runs";

    EXPECT_EQ(watcher.Detach(), edit);
    EXPECT_EQ(CWnd::FromHandlePermanent(edit), nullptr);
    SetWindowTextW(edit, L"c");
    EXPECT_EQ(watcher.texts, 1);
    EXPECT_EQ(foreignCount, 2) << "the other subclass stays in the chain";
    EXPECT_EQ(TextOf(edit), CString(L"c"));
    EXPECT_TRUE(IsWindow(edit)) << "a subclassed window is not owned";

    // A dialog item is found by its identifier.
    TextWatcher byId;
    ASSERT_TRUE(byId.SubclassDlgItem(77, &host));
    SetWindowTextW(edit, L"d");
    EXPECT_EQ(byId.texts, 1);
    RemoveWindowSubclass(edit, CountingSubclass, 7);
}

TEST(Framework, UniqueHandlesMoveAndClose) {
    LOGFONTW record = MakeFont(L"Arial", -12);
    UniqueFont font(CreateFontIndirectW(&record));
    const HFONT handle = font.get();
    ASSERT_EQ(GetObjectType(handle), DWORD(OBJ_FONT));
    UniqueFont moved(std::move(font));
    EXPECT_FALSE(font);
    EXPECT_EQ(moved.get(), handle);
    moved = UniqueFont();
    EXPECT_EQ(GetObjectType(handle), 0u);

    // A bitmap selected for a scope is put back out of the device context,
    // so that its owner can delete it.
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    UniqueBitmap bitmap(CreateBitmap(4, 4, 1, 1, nullptr));
    const HGDIOBJ stock = GetCurrentObject(dc.get(), OBJ_BITMAP);
    {
        SelectedObject selected(dc.get(), bitmap.get());
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), bitmap.get());
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), stock);
    const HBITMAP bitmapHandle = bitmap.get();
    bitmap.reset();
    EXPECT_EQ(GetObjectType(bitmapHandle), 0u) << "deleted, because it was no longer selected";

    UniqueMenu menu(CreatePopupMenu());
    const HMENU menuHandle = menu.get();
    menu.reset();
    EXPECT_FALSE(IsMenu(menuHandle));
}

}  // namespace
