// How the window pool hands the language font to the window tree, and that
// switching languages does not leak font objects.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <set>

#include "WinTestSupport.h"
#include "base/win/UniqueHandle.h"
#include "translate/WndResourcePool.h"

namespace {

DWORD Handle32(HWND window) { return DWORD(reinterpret_cast<std::uintptr_t>(window)); }

LOGFONTW LanguageFont(const CQorLanguageDict* language) {
    LOGFONTW font;
    language->GetFont(font);
    return font;
}

class WndPoolFont : public ::testing::Test {
protected:
    WndPoolFont() : mine(CreateFontIndirectW(&myFont)) {
        child = host.Add(nullptr, L"面板");
        panel = host.Last();
        grandchild = host.Add(L"Button", L"确定", 0, panel);
        SendMessageW(grandchild, WM_SETFONT, WPARAM(mine.get()), FALSE);
        english = LanguageFont(dict.English());
    }
    bool HasEnglishFont(HWND window) { return SameFont(LogFontOf(window), english); }

    TestDictionary dict;
    HostWindow host;
    LOGFONTW myFont = MakeFont(L"Courier New", -20);
    UniqueFont mine;
    HWND child = nullptr;
    CWnd* panel = nullptr;
    HWND grandchild = nullptr;
    LOGFONTW english;
    CWndResourcePool pool;
};

TEST_F(WndPoolFont, RootWithAnotherFontPassesItToTheWholeTree) {
    pool.InitialResourcePool(host.GetSafeHwnd(), &dict.manager, 1);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
    EXPECT_TRUE(HasEnglishFont(host.GetSafeHwnd()));
    EXPECT_TRUE(HasEnglishFont(child));
    EXPECT_TRUE(HasEnglishFont(grandchild));

    // Holding the very object handed out counts as having the font.
    SendMessageW(grandchild, WM_SETFONT, WPARAM(mine.get()), FALSE);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
    EXPECT_EQ(FontOf(grandchild), mine.get()) << "a second switch walked the tree again";
}

TEST_F(WndPoolFont, RootWithTheLanguageFontStopsTheWalk) {
    UniqueFont same(CreateFontIndirectW(&english));
    SendMessageW(host.GetSafeHwnd(), WM_SETFONT, WPARAM(same.get()), FALSE);
    SendMessageW(child, WM_SETFONT, WPARAM(same.get()), FALSE);
    pool.InitialResourcePool(host.GetSafeHwnd(), &dict.manager, 1);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
    EXPECT_EQ(FontOf(grandchild), mine.get()) << "below a child that already had the font";

    // A captured child with another font gets it, with everything below it.
    SendMessageW(child, WM_SETFONT, 0, FALSE);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
    EXPECT_TRUE(HasEnglishFont(child));
    EXPECT_TRUE(HasEnglishFont(grandchild));
    EXPECT_EQ(FontOf(host.GetSafeHwnd()), same.get());
}

TEST_F(WndPoolFont, ExceptionFontHandlesProtectOnlyWindowsReachedByAWalk) {
    HWND captured = host.Add(L"Button", L"取消");
    SendMessageW(captured, WM_SETFONT, WPARAM(mine.get()), FALSE);
    CDWordArray keep;
    keep.Add(Handle32(grandchild));
    keep.Add(Handle32(captured));
    pool.SetExceptionFontWndHandle(keep);
    pool.InitialResourcePool(host.GetSafeHwnd(), &dict.manager, 1);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
    EXPECT_EQ(FontOf(grandchild), mine.get());
    EXPECT_TRUE(HasEnglishFont(captured)) << "a captured child gets the font on itself";
    EXPECT_TRUE(HasEnglishFont(child));
}

TEST_F(WndPoolFont, DisabledDictionaryStillSetsFontsButSkipsDescendants) {
    dict.manager.SetEnable(0);
    pool.InitialResourcePool(host.GetSafeHwnd(), &dict.manager, 1);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
    EXPECT_TRUE(HasEnglishFont(host.GetSafeHwnd()));
    EXPECT_TRUE(HasEnglishFont(child));
    EXPECT_EQ(FontOf(grandchild), mine.get());
    EXPECT_EQ(TextOf(child), CString(L"面板"));
}

TEST_F(WndPoolFont, FontSwitchingOffTouchesNoFont) {
    dict.manager.SetEnableFont(0);
    pool.InitialResourcePool(host.GetSafeHwnd(), &dict.manager, 1);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
    EXPECT_EQ(FontOf(host.GetSafeHwnd()), nullptr);
    EXPECT_EQ(FontOf(child), nullptr);
    EXPECT_EQ(FontOf(grandchild), mine.get());
}

TEST_F(WndPoolFont, ThousandSwitchesLeaveOneLiveFontPerLanguage) {
    HWND combo = host.Add(L"ComboBox", nullptr, CBS_DROPDOWN);
    pool.InitialResourcePool(host.GetSafeHwnd(), &dict.manager, 1);
    // A second pool on the same window, as a host may well have.
    CWndResourcePool second;
    second.InitialResourcePool(host.GetSafeHwnd(), &dict.manager, 1);
    const HWND windows[] = {host.GetSafeHwnd(), child, grandchild, combo, GetWindow(combo, GW_CHILD)};
    std::set<HFONT> given;
    for (int i = 0; i < 1000; ++i) {
        dict.UseLanguage(i % 2 ? kEnglish : kGerman);
        (i % 3 ? pool : second).ChangeLanguage(DICTMODE_SYSTEM);
        for (HWND window : windows) {
            const HFONT font = FontOf(window);
            ASSERT_EQ(GetObjectType(font), DWORD(OBJ_FONT)) << "switch " << i << ": a window holds a dead font";
            given.insert(font);
        }
    }
    given.erase(mine.get());
    int live = 0;
    for (HFONT font : given) live += GetObjectType(font) == OBJ_FONT;
    EXPECT_EQ(live, 2) << "one font object per language font in use";
    EXPECT_EQ(given.size(), 2u);
}

}  // namespace
