// The resource enumerator against the platform's own reading of the same
// modules: the loader finds the resources of a language, the menu and
// dialog functions build them, and their texts must be the enumerator's.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "WinTestSupport.h"
#include "base/win/UniqueHandle.h"
#include "host/resmodule/QorResModuleManager.h"

namespace {

void Collect(std::wstring text, std::vector<CString>& texts) {
    const std::size_t tab = text.find(L'\t');
    if (tab != std::wstring::npos) text.resize(tab);
    if (!text.empty()) texts.push_back(CString(text.c_str()));
}

void MenuTexts(HMENU menu, std::vector<CString>& texts) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t buffer[256] = {};
        MENUITEMINFOW item = {};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_STRING | MIIM_SUBMENU;
        item.dwTypeData = buffer;
        item.cch = 256;
        ASSERT_TRUE(GetMenuItemInfoW(menu, UINT(i), TRUE, &item));
        Collect(buffer, texts);
        if (item.hSubMenu) MenuTexts(item.hSubMenu, texts);
    }
}

INT_PTR CALLBACK Quiet(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

void DialogTexts(HMODULE module, const DLGTEMPLATE* dialog, std::vector<CString>& texts) {
    UniqueWindow window(CreateDialogIndirectParamW(module, dialog, nullptr, Quiet, 0));
    ASSERT_TRUE(window);
    Collect(TextOf(window.get()).GetString(), texts);
    for (HWND child = GetWindow(window.get(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[32] = {};
        GetClassNameW(child, className, 32);
        // An icon's text is its resource ordinal, not a text.
        if (lstrcmpiW(className, L"Static") == 0 && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            continue;
        Collect(TextOf(child).GetString(), texts);
    }
}

struct Search {
    WORD language;
    std::vector<CString> texts;
};

BOOL CALLBACK EachName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param) {
    auto* search = reinterpret_cast<Search*>(param);
    HRSRC found = FindResourceExW(module, type, name, search->language);
    if (!found) return TRUE;
    const void* data = LockResource(LoadResource(module, found));
    const DWORD size = SizeofResource(module, found);
    if (type == RT_MENU) {
        UniqueMenu menu(LoadMenuIndirectW(data));
        EXPECT_TRUE(menu);
        MenuTexts(menu.get(), search->texts);
    } else if (type == RT_DIALOG) {
        DialogTexts(module, static_cast<const DLGTEMPLATE*>(data), search->texts);
    } else {
        // A string block: sixteen counted strings.
        const auto* units = static_cast<const WCHAR*>(data);
        const WCHAR* end = units + size / 2;
        for (int i = 0; i < 16 && units < end; ++i) {
            const WCHAR length = *units++;
            search->texts.push_back(CString(units, length));
            if (length == 0) search->texts.pop_back();
            units += length;
        }
    }
    return TRUE;
}

TEST(ResModuleWinTest, ThePlatformReadsTheSameTextsFromEveryModuleAndLanguage) {
    for (const char* name : {"strings.dll", "menus.dll", "dialogs.dll", "program.exe"}) {
        const CString path = S((std::string(QOR_TEST_PE_DIR) + "/" + name).c_str());
        HMODULE module = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_TRUE(module) << name;
        for (WORD language : {WORD(0x0804), WORD(0x0407), WORD(0x0409)}) {
            SCOPED_TRACE(std::string(name) + " " + std::to_string(language));
            Search search{language, {}};
            // The enumerator's order: menus, dialogs, string tables.
            for (LPCWSTR type : {RT_MENU, RT_DIALOG, RT_STRING})
                EnumResourceNamesW(module, type, EachName, LONG_PTR(&search));
            std::vector<CString> ours;
            EXPECT_TRUE(CQorResModuleManager::ReadModule(path, language, ours).skipReason.IsEmpty());
            EXPECT_EQ(ours, search.texts);
        }
        FreeLibrary(module);
    }
}

}  // namespace
