// The menu pool: accelerator texts, items without identifiers, duplicate
// identifiers and GetString.
#include <gtest/gtest.h>

#include <windows.h>

#include "WinTestSupport.h"
#include "base/win/UniqueHandle.h"
#include "translate/MenuResourcePool.h"

namespace {

CString ItemText(HMENU menu, UINT position) {
    WCHAR buffer[256];
    const int length = GetMenuStringW(menu, position, buffer, 256, MF_BYPOSITION);
    return CString(buffer, length > 0 ? length : 0);
}

void AppendSubmenu(HMENU menu, HMENU submenu, const wchar_t* text, UINT id) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.wID = id;
    info.hSubMenu = submenu;
    info.dwTypeData = const_cast<LPWSTR>(text);
    InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &info);
}

class MenuPool : public ::testing::Test {
protected:
    MenuPool() : bar(CreateMenu()) {
        dict.Word(dict.English(), L"文件", L"File");
        dict.Word(dict.English(), L"打开", L"Open");
        dict.Word(dict.English(), L"保存", L"Save");
        dict.Word(dict.English(), L"\t前导", L"Leading tab");
        dict.Word(dict.English(), L"隐藏", L"Hidden");
        dict.Word(dict.German(), L"打开", L"Öffnen");
    }
    TestDictionary dict;
    UniqueMenu bar;
    CMenuResourcePool pool;
};

TEST_F(MenuPool, RelabelsItemsAndKeepsAcceleratorTexts) {
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 101, L"打开\tCtrl+O");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, 102, L"\t前导");
    AppendMenuW(file, MF_STRING, 103, L"未译");
    AppendSubmenu(bar.get(), file, L"文件", 100);

    pool.InitialResourcePool(nullptr, bar.get(), &dict.manager);
    pool.ChangeLanguage(DICTMODE_SYSTEM);

    EXPECT_EQ(ItemText(bar.get(), 0), CString(L"File"));
    ASSERT_EQ(GetSubMenu(bar.get(), 0), file) << "the submenu stays attached";
    EXPECT_EQ(ItemText(file, 0), CString(L"Open\tCtrl+O"));
    EXPECT_EQ(GetMenuItemID(file, 0), 101u);
    EXPECT_EQ(ItemText(file, 2), CString(L"Leading tab")) << "a tab at position 0 is part of the text";
    EXPECT_EQ(ItemText(file, 3), CString(L"未译"));

    dict.UseLanguage(kGerman);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
    EXPECT_EQ(ItemText(file, 0), CString(L"Öffnen\tCtrl+O"));
    EXPECT_EQ(ItemText(bar.get(), 0), CString(L"文件"));
}

TEST_F(MenuPool, SubmenuWithoutIdentifierIsSkippedWithEverythingBelowIt) {
    HMENU hidden = CreatePopupMenu();
    AppendMenuW(hidden, MF_STRING, 201, L"打开");
    AppendSubmenu(bar.get(), hidden, L"隐藏", 0);
    AppendMenuW(bar.get(), MF_STRING, 202, L"保存");

    pool.InitialResourcePool(nullptr, bar.get(), &dict.manager);
    pool.ChangeLanguage(DICTMODE_SYSTEM);

    EXPECT_EQ(ItemText(bar.get(), 0), CString(L"隐藏"));
    EXPECT_EQ(ItemText(hidden, 0), CString(L"打开"));
    EXPECT_EQ(ItemText(bar.get(), 1), CString(L"Save"));
    EXPECT_EQ(pool.GetString(201, DICTMODE_SYSTEM), CString());
}

TEST_F(MenuPool, DuplicateIdentifiersReadTheFirstItemsText) {
    AppendMenuW(bar.get(), MF_STRING, 301, L"打开\tF3");
    AppendMenuW(bar.get(), MF_STRING, 301, L"保存");
    pool.InitialResourcePool(nullptr, bar.get(), &dict.manager);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
    EXPECT_EQ(ItemText(bar.get(), 0), CString(L"Open\tF3"));
    EXPECT_EQ(ItemText(bar.get(), 1), CString(L"Open\tF3"));
    EXPECT_EQ(pool.GetString(301, DICTMODE_SYSTEM), CString(L"Open\tF3"));
}

TEST_F(MenuPool, GetStringAnswersWithoutTouchingTheMenu) {
    AppendMenuW(bar.get(), MF_STRING, 401, L"打开\tCtrl+O");
    pool.InitialResourcePool(nullptr, bar.get(), &dict.manager);
    dict.manager.SetEnable(0);  // GetString ignores the switch
    dict.manager.SetProjectDefaultLanguageLCID(kGerman);
    EXPECT_EQ(pool.GetString(401, DICTMODE_SYSTEM), CString(L"Open\tCtrl+O"));
    EXPECT_EQ(pool.GetString(401, DICTMODE_PROJECT), CString(L"打开\tCtrl+O"));
    EXPECT_EQ(pool.GetString(401, DICTMODE(9)), CString());
    EXPECT_EQ(pool.GetString(999, DICTMODE_SYSTEM), CString());
    EXPECT_EQ(ItemText(bar.get(), 0), CString(L"打开\tCtrl+O"));

    pool.ChangeLanguage(DICTMODE_SYSTEM);  // disabled dictionary: no change
    EXPECT_EQ(ItemText(bar.get(), 0), CString(L"打开\tCtrl+O"));
}

TEST_F(MenuPool, RecaptureAndNullMenuDiscardTheOldItems) {
    AppendMenuW(bar.get(), MF_STRING, 501, L"打开");
    pool.InitialResourcePool(nullptr, bar.get(), &dict.manager);
    pool.InitialResourcePool(nullptr, nullptr, &dict.manager);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
    EXPECT_EQ(ItemText(bar.get(), 0), CString(L"打开"));
    EXPECT_EQ(pool.GetString(501, DICTMODE_SYSTEM), CString());
}

}  // namespace
