// The toolbar pool relabels button tooltips, and nothing else.
#include <gtest/gtest.h>

#include <windows.h>

#include "WinTestSupport.h"
#include "framework/ToolBar.h"
#include "framework/ToolTipCtrl.h"
#include "translate/ToolBarResourcePool.h"

namespace {

class ToolBarPool : public ::testing::Test {
protected:
    ToolBarPool() {
        dict.Word(dict.English(), L"打开", L"Open");
        dict.Word(dict.English(), L"保存", L"Save");
        dict.Word(dict.German(), L"打开", L"Öffnen");
        EXPECT_TRUE(toolBar.Create(&host));
        const UINT ids[] = {1001, ID_SEPARATOR, 1002, 1003, 1002};
        EXPECT_TRUE(toolBar.SetButtons(ids, 5));
        tips.Attach(toolBar.GetToolTips());
        EXPECT_NE(tips.GetSafeHwnd(), nullptr);
        tips.UpdateTipText(L"打开", &toolBar, 1001);
        tips.UpdateTipText(L"保存", &toolBar, 1002);
        // 1003 keeps asking its owner for a text and has none of its own.
    }
    CString Tip(UINT id) {
        CString text;
        tips.GetText(text, &toolBar, id);
        return text;
    }
    TestDictionary dict;
    HostWindow host;
    CToolBar toolBar;
    CToolTipCtrl tips;
    CToolBarResourcePool pool;
};

TEST_F(ToolBarPool, RelabelsTooltipsAndSwitchesBack) {
    pool.InitialResourcePool(&toolBar, &dict.manager);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
    EXPECT_EQ(Tip(1001), CString(L"Open"));
    EXPECT_EQ(Tip(1002), CString(L"Save"));
    EXPECT_EQ(Tip(1003), CString());

    dict.UseLanguage(kGerman);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
    EXPECT_EQ(Tip(1001), CString(L"Öffnen"));
    EXPECT_EQ(Tip(1002), CString(L"保存"));
}

TEST_F(ToolBarPool, SeparatorsAndButtonsWithoutTipsAreNotCaptured) {
    // Give the separator's and the silent button's tools a text after the
    // capture: a relabel must not write to them.
    pool.InitialResourcePool(&toolBar, &dict.manager);
    tips.UpdateTipText(L"打开", &toolBar, 1003);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
    EXPECT_EQ(Tip(1003), CString(L"打开"));
}

TEST_F(ToolBarPool, FontAndButtonsAreLeftAlone) {
    const HFONT toolBarFont = FontOf(toolBar.GetSafeHwnd());
    const HFONT tipFont = FontOf(tips.GetSafeHwnd());
    pool.InitialResourcePool(&toolBar, &dict.manager);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
    EXPECT_EQ(FontOf(toolBar.GetSafeHwnd()), toolBarFont);
    EXPECT_EQ(FontOf(tips.GetSafeHwnd()), tipFont);
    EXPECT_EQ(toolBar.GetCount(), 5);
}

TEST_F(ToolBarPool, NothingChangesWhenTheDictionaryIsOffOrTheLanguageMissing) {
    pool.InitialResourcePool(&toolBar, &dict.manager);
    dict.manager.SetEnable(0);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
    EXPECT_EQ(Tip(1001), CString(L"打开"));
    dict.manager.SetEnable(1);
    pool.ChangeLanguage(DICTMODE(3));
    dict.UseLanguage(0x0411);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
    EXPECT_EQ(Tip(1001), CString(L"打开"));
}

TEST_F(ToolBarPool, NullToolBarDropsTheRecords) {
    pool.InitialResourcePool(&toolBar, &dict.manager);
    pool.InitialResourcePool(nullptr, &dict.manager);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
    EXPECT_EQ(Tip(1001), CString(L"打开"));
}

}  // namespace
