// What the window pool captures: the root caption and the texts of direct
// children, steered by the three exception lists.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "WinTestSupport.h"
#include "translate/WndResourcePool.h"

namespace {

DWORD Handle32(HWND window) { return DWORD(reinterpret_cast<std::uintptr_t>(window)); }

class WndPoolCapture : public ::testing::Test {
protected:
    WndPoolCapture() {
        dict.Word(dict.English(), L"主窗口", L"Main window");
        dict.Word(dict.English(), L"确定", L"OK");
        dict.Word(dict.English(), L"取消", L"Cancel");
        dict.Word(dict.English(), L"名称", L"Name");
        dict.Word(dict.English(), L"面板", L"Panel");
    }
    TestDictionary dict;
    HostWindow host;
    CWndResourcePool pool;
};

TEST_F(WndPoolCapture, RelabelsCaptionAndDirectChildrenOnly) {
    HWND ok = host.Add(L"Button", L"确定");
    HWND panel = host.Add(nullptr, L"面板");
    HWND inner = host.Add(L"Button", L"取消", 0, host.Last());
    HWND combo = host.Add(L"ComboBox", nullptr, CBS_DROPDOWN);
    HWND comboEdit = GetWindow(combo, GW_CHILD);
    ASSERT_NE(comboEdit, nullptr);
    SetWindowTextW(comboEdit, L"确定");

    pool.InitialResourcePool(host.GetSafeHwnd(), &dict.manager, 1);
    pool.ChangeLanguage(DICTMODE_SYSTEM);

    EXPECT_EQ(TextOf(host.GetSafeHwnd()), CString(L"Main window"));
    EXPECT_EQ(TextOf(ok), CString(L"OK"));
    EXPECT_EQ(TextOf(panel), CString(L"Panel"));
    EXPECT_EQ(TextOf(inner), CString(L"取消")) << "grandchildren are never captured";
    EXPECT_NE(TextOf(comboEdit), CString(L"OK")) << "the edit inside a combo box is a grandchild";
}

TEST_F(WndPoolCapture, CaptionKeptWhenNotAskedFor) {
    HWND ok = host.Add(L"Button", L"确定");
    pool.InitialResourcePool(host.GetSafeHwnd(), &dict.manager, 0);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
    EXPECT_EQ(TextOf(host.GetSafeHwnd()), CString(L"主窗口"));
    EXPECT_EQ(TextOf(ok), CString(L"OK"));
}

TEST_F(WndPoolCapture, ExceptionHandlesAreNotCaptured) {
    HWND data = host.Add(L"Edit", L"名称");
    HWND label = host.Add(L"Static", L"名称");
    CDWordArray except;
    except.Add(Handle32(data));
    pool.SetExceptionWndHandle(except);
    pool.InitialResourcePool(host.GetSafeHwnd(), &dict.manager, 1);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
    EXPECT_EQ(TextOf(data), CString(L"名称"));
    EXPECT_EQ(TextOf(label), CString(L"Name"));
}

TEST_F(WndPoolCapture, ExceptionClassesMatchExactlyAndHonourTheirOwnHandleList) {
    HWND plain = host.Add(L"Button", L"确定");
    HWND rescued = host.Add(L"Button", L"取消");
    HWND label = host.Add(L"Static", L"名称");
    CStringArray classes;
    classes.Add(CString(L"Button"));
    classes.Add(CString(L"static"));  // letter case differs from the real "Static"
    CDWordArray rescue;
    rescue.Add(Handle32(rescued));
    // The plain exception handles are not consulted for an exception class.
    pool.SetExceptionWndClassName(classes);
    pool.SetExceptionWndClassExceptionHandle(rescue);
    pool.SetExceptionWndHandle(rescue);

    pool.InitialResourcePool(host.GetSafeHwnd(), &dict.manager, 1);
    pool.ChangeLanguage(DICTMODE_SYSTEM);

    EXPECT_EQ(TextOf(plain), CString(L"确定"));
    EXPECT_EQ(TextOf(rescued), CString(L"Cancel"));
    EXPECT_EQ(TextOf(label), CString(L"Name"));
}

TEST_F(WndPoolCapture, ExceptionListsApplyAtTheNextCapture) {
    HWND ok = host.Add(L"Button", L"确定");
    pool.InitialResourcePool(host.GetSafeHwnd(), &dict.manager, 1);
    CDWordArray except;
    except.Add(Handle32(ok));
    pool.SetExceptionWndHandle(except);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
    EXPECT_EQ(TextOf(ok), CString(L"OK"));

    SetWindowTextW(ok, L"确定");
    pool.InitialResourcePool(host.GetSafeHwnd(), &dict.manager, 1);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
    EXPECT_EQ(TextOf(ok), CString(L"确定"));
}

TEST_F(WndPoolCapture, RecaptureTakesTheTextsShownAsNewKeys) {
    HWND ok = host.Add(L"Button", L"确定");
    dict.Word(dict.German(), L"确定", L"Gut");
    pool.InitialResourcePool(host.GetSafeHwnd(), &dict.manager, 1);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
    ASSERT_EQ(TextOf(ok), CString(L"OK"));

    pool.InitialResourcePool(host.GetSafeHwnd(), &dict.manager, 1);  // now keyed by "OK"
    dict.UseLanguage(kGerman);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
    EXPECT_EQ(TextOf(ok), CString(L"OK"));
}

TEST_F(WndPoolCapture, NullWindowDiscardsTheCapture) {
    HWND ok = host.Add(L"Button", L"确定");
    pool.InitialResourcePool(host.GetSafeHwnd(), &dict.manager, 1);
    pool.InitialResourcePool(nullptr, &dict.manager, 1);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
    EXPECT_EQ(TextOf(ok), CString(L"确定"));
    EXPECT_EQ(TextOf(host.GetSafeHwnd()), CString(L"主窗口"));
}

TEST_F(WndPoolCapture, LongTextsAreCutAtTheReadBuffers) {
    const CString longText(WCHAR('A'), 300);
    HWND button = host.Add(L"Button", longText);
    HWND tab = host.Add(WC_TABCONTROLW, nullptr);
    TCITEMW tci = {};
    tci.mask = TCIF_TEXT;
    tci.pszText = const_cast<LPWSTR>(longText.GetString());
    SendMessageW(tab, TCM_INSERTITEMW, 0, LPARAM(&tci));
    HWND list = host.Add(WC_LISTVIEWW, nullptr, LVS_REPORT);
    LVCOLUMNW lvc = {};
    lvc.mask = LVCF_TEXT;
    lvc.pszText = const_cast<LPWSTR>(longText.GetString());
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, LPARAM(&lvc));

    // A key of exactly the captured length proves where each text was cut.
    dict.Word(dict.English(), CString(WCHAR('A'), 255), L"window text");
    dict.Word(dict.English(), CString(WCHAR('A'), 259), L"label");
    pool.InitialResourcePool(host.GetSafeHwnd(), &dict.manager, 1);
    pool.ChangeLanguage(DICTMODE_SYSTEM);

    EXPECT_EQ(TextOf(button), CString(L"window text"));
    WCHAR buffer[400] = {};
    tci.pszText = buffer;
    tci.cchTextMax = 400;
    SendMessageW(tab, TCM_GETITEMW, 0, LPARAM(&tci));
    EXPECT_EQ(CString(buffer), CString(L"label"));
    HWND header = HWND(SendMessageW(list, LVM_GETHEADER, 0, 0));
    HDITEMW hdi = {};
    hdi.mask = HDI_TEXT;
    hdi.pszText = buffer;
    hdi.cchTextMax = 400;
    SendMessageW(header, HDM_GETITEMW, 0, LPARAM(&hdi));
    EXPECT_EQ(CString(buffer), CString(L"label"));
}

}  // namespace
