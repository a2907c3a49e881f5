// What each kind of control gets back from a relabel, and how the dictionary
// and language switches narrow it.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "WinTestSupport.h"
#include "framework/ComboBox.h"
#include "translate/WndResourcePool.h"

namespace {

struct Entry {
    CString text;
    DWORD_PTR data;
    bool operator==(const Entry& other) const { return text == other.text && data == other.data; }
};

void PrintTo(const Entry& entry, std::ostream* out) { *out << entry.text.ToUtf8() << "/" << entry.data; }

std::vector<Entry> Entries(HWND combo) {
    CComboBox box;
    box.Attach(combo);
    std::vector<Entry> entries;
    for (int i = 0; i < box.GetCount(); ++i) {
        Entry entry{CString(), box.GetItemData(i)};
        box.GetLBText(i, entry.text);
        entries.push_back(entry);
    }
    return entries;
}

void AddEntry(HWND combo, const wchar_t* text, DWORD_PTR data) {
    const LRESULT index = SendMessageW(combo, CB_ADDSTRING, 0, LPARAM(text));
    SendMessageW(combo, CB_SETITEMDATA, WPARAM(index), LPARAM(data));
}

CString TabText(HWND tab, int index) {
    WCHAR buffer[260] = {};
    TCITEMW tci = {};
    tci.mask = TCIF_TEXT;
    tci.pszText = buffer;
    tci.cchTextMax = 260;
    SendMessageW(tab, TCM_GETITEMW, WPARAM(index), LPARAM(&tci));
    return CString(buffer);
}

CString ColumnText(HWND list, int index) {
    WCHAR buffer[260] = {};
    LVCOLUMNW lvc = {};
    lvc.mask = LVCF_TEXT;
    lvc.pszText = buffer;
    lvc.cchTextMax = 260;
    SendMessageW(list, LVM_GETCOLUMNW, WPARAM(index), LPARAM(&lvc));
    return CString(buffer);
}

// A 64-bit item value whose high half must survive the relabel.
const DWORD_PTR kWide = (DWORD_PTR(0x12345678) << 32) | 0x9ABCDEF0;

class WndPoolControls : public ::testing::Test {
protected:
    WndPoolControls() {
        const wchar_t* words[][3] = {{L"红", L"Red", L"Rot"},
                                     {L"绿", L"Green", L"Grün"},
                                     {L"蓝", L"Blue", L"Blau"},
                                     {L"确定", L"OK", L"Gut"}};
        for (auto& w : words) {
            dict.Word(dict.English(), w[0], w[1]);
            dict.Word(dict.German(), w[0], w[2]);
        }
    }
    void Relabel(DWORD language, DICTMODE mode = DICTMODE_SYSTEM) {
        dict.UseLanguage(language);
        pool.ChangeLanguage(mode);
    }
    TestDictionary dict;
    HostWindow host;
    CWndResourcePool pool;
};

TEST_F(WndPoolControls, ComboBoxGetsBackItsCapturedEntriesWithTheirData) {
    HWND combo = host.Add(L"ComboBox", nullptr, CBS_DROPDOWNLIST);
    AddEntry(combo, L"红", 1);
    AddEntry(combo, L"绿", kWide);
    AddEntry(combo, L"紫", 3);  // untranslated
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    pool.InitialResourcePool(host.GetSafeHwnd(), &dict.manager, 1);

    // Entries changed after the capture are replaced; the current selection index stays.
    SendMessageW(combo, CB_DELETESTRING, 0, 0);
    AddEntry(combo, L"新", 9);
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    Relabel(kEnglish);
    EXPECT_EQ(Entries(combo), (std::vector<Entry>{{L"Red", 1}, {L"Green", kWide}, {L"紫", 3}}));
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);

    Relabel(kGerman);
    EXPECT_EQ(Entries(combo), (std::vector<Entry>{{L"Rot", 1}, {L"Grün", kWide}, {L"紫", 3}}));
}

TEST_F(WndPoolControls, SpecialClassesAreRecognisedInAnyLetterCase) {
    // A combo box under a class name of its own spelling.
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    ASSERT_TRUE(GetClassInfoExW(nullptr, L"ComboBox", &wc));
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"COMBOBOX";
    ASSERT_TRUE(RegisterClassExW(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS);
    HWND combo = CreateWindowExW(0, L"COMBOBOX", nullptr, WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 100, 100, host.GetSafeHwnd(),
                                 nullptr, wc.hInstance, nullptr);
    WCHAR name[32] = {};
    GetClassNameW(combo, name, 32);
    ASSERT_EQ(CString(name), CString(L"COMBOBOX"));
    AddEntry(combo, L"红", 5);
    pool.InitialResourcePool(host.GetSafeHwnd(), &dict.manager, 1);
    Relabel(kEnglish);
    EXPECT_EQ(Entries(combo), (std::vector<Entry>{{L"Red", 5}}));
}

TEST_F(WndPoolControls, SortedComboBoxResortsByTheNewTextsAndSelectsByPosition) {
    HWND combo = host.Add(L"ComboBox", nullptr, CBS_DROPDOWNLIST | CBS_SORT);
    AddEntry(combo, L"Zebra", 26);
    AddEntry(combo, L"红", 1);  // sorts after the Latin letters
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    pool.InitialResourcePool(host.GetSafeHwnd(), &dict.manager, 1);
    Relabel(kEnglish);
    EXPECT_EQ(Entries(combo), (std::vector<Entry>{{L"Red", 1}, {L"Zebra", 26}}));
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);  // now "Red", not "Zebra"
}

TEST_F(WndPoolControls, ListViewHeadersAreRelabelled) {
    HWND list = host.Add(WC_LISTVIEWW, nullptr, LVS_REPORT);
    const wchar_t* columns[] = {L"红", L"紫", L"蓝"};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNW lvc = {};
        lvc.mask = LVCF_TEXT | LVCF_WIDTH;
        lvc.cx = 60;
        lvc.pszText = const_cast<LPWSTR>(columns[i]);
        SendMessageW(list, LVM_INSERTCOLUMNW, WPARAM(i), LPARAM(&lvc));
    }
    pool.InitialResourcePool(host.GetSafeHwnd(), &dict.manager, 1);
    Relabel(kGerman);
    EXPECT_EQ(ColumnText(list, 0), CString(L"Rot"));
    EXPECT_EQ(ColumnText(list, 1), CString(L"紫"));
    EXPECT_EQ(ColumnText(list, 2), CString(L"Blau"));
}

TEST_F(WndPoolControls, TabControlReturnsToTheTabSelectedAtCapture) {
    HWND tab = host.Add(WC_TABCONTROLW, nullptr);
    const wchar_t* tabs[] = {L"红", L"绿", L"蓝"};
    for (int i = 0; i < 3; ++i) {
        TCITEMW tci = {};
        tci.mask = TCIF_TEXT;
        tci.pszText = const_cast<LPWSTR>(tabs[i]);
        SendMessageW(tab, TCM_INSERTITEMW, WPARAM(i), LPARAM(&tci));
    }
    SendMessageW(tab, TCM_SETCURSEL, 1, 0);
    pool.InitialResourcePool(host.GetSafeHwnd(), &dict.manager, 1);
    SendMessageW(tab, TCM_SETCURSEL, 2, 0);
    Relabel(kEnglish);
    EXPECT_EQ(TabText(tab, 0), CString(L"Red"));
    EXPECT_EQ(TabText(tab, 1), CString(L"Green"));
    EXPECT_EQ(TabText(tab, 2), CString(L"Blue"));
    EXPECT_EQ(SendMessageW(tab, TCM_GETCURSEL, 0, 0), 1);
}

TEST_F(WndPoolControls, SwitchingBackAndForthWorksFromTheCapturedTexts) {
    HWND ok = host.Add(L"Button", L"确定");
    HWND other = host.Add(L"Static", L"紫");
    pool.InitialResourcePool(host.GetSafeHwnd(), &dict.manager, 1);
    for (int round = 0; round < 3; ++round) {
        Relabel(kGerman);
        EXPECT_EQ(TextOf(ok), CString(L"Gut"));
        Relabel(kEnglish);
        EXPECT_EQ(TextOf(ok), CString(L"OK"));
    }
    EXPECT_EQ(TextOf(other), CString(L"紫"));
    // Project mode follows the project default language.
    dict.manager.SetProjectDefaultLanguageLCID(kGerman);
    pool.ChangeLanguage(DICTMODE_PROJECT);
    EXPECT_EQ(TextOf(ok), CString(L"确定")) << "the German project word list is empty";
    dict.Word(dict.German(), L"确定", L"Projekt-OK", DICTMODE_PROJECT);
    pool.ChangeLanguage(DICTMODE_PROJECT);
    EXPECT_EQ(TextOf(ok), CString(L"Projekt-OK"));
}

TEST_F(WndPoolControls, DisabledDictionaryChangesNoText) {
    HWND ok = host.Add(L"Button", L"确定");
    pool.InitialResourcePool(host.GetSafeHwnd(), &dict.manager, 1);
    Relabel(kEnglish);
    dict.manager.SetEnable(0);
    Relabel(kGerman);
    EXPECT_EQ(TextOf(ok), CString(L"OK")) << "texts are left as they are, not put back";
}

TEST_F(WndPoolControls, DisabledLanguageWritesTheCapturedTextsBack) {
    HWND ok = host.Add(L"Button", L"确定");
    pool.InitialResourcePool(host.GetSafeHwnd(), &dict.manager, 1);
    Relabel(kEnglish);
    dict.German()->SetEnable(0);
    Relabel(kGerman);
    EXPECT_EQ(TextOf(ok), CString(L"确定"));
    EXPECT_EQ(TextOf(host.GetSafeHwnd()), CString(L"主窗口"));
}

TEST_F(WndPoolControls, NothingChangesWithoutManagerModeOrLanguage) {
    HWND ok = host.Add(L"Button", L"确定");
    pool.InitialResourcePool(host.GetSafeHwnd(), nullptr, 1);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
    EXPECT_EQ(TextOf(ok), CString(L"确定"));
    pool.SetDictManager(&dict.manager);
    pool.ChangeLanguage(DICTMODE(7));
    EXPECT_EQ(TextOf(ok), CString(L"确定"));
    Relabel(0x0411);  // no such language
    EXPECT_EQ(TextOf(ok), CString(L"确定"));
    EXPECT_EQ(FontOf(ok), nullptr) << "not even the font changes";
    Relabel(kEnglish);
    EXPECT_EQ(TextOf(ok), CString(L"OK"));
}

TEST_F(WndPoolControls, SystemMenuIsRelabelledInSystemModeWhateverTheModeAsked) {
    HMENU menu = GetSystemMenu(host.GetSafeHwnd(), FALSE);
    ASSERT_NE(menu, nullptr);
    const UINT id = GetMenuItemID(menu, GetMenuItemCount(menu) - 1);  // "Close"
    WCHAR buffer[256];
    ASSERT_GT(GetMenuStringW(menu, id, buffer, 256, MF_BYCOMMAND), 0);
    CString close(buffer);
    const int tab = close.Find(WCHAR('\t'));
    const CString label = tab > 0 ? close.Left(tab) : close;
    dict.Word(dict.English(), label, L"Schließen!");
    dict.manager.SetProjectDefaultLanguageLCID(kGerman);

    pool.InitialResourcePool(host.GetSafeHwnd(), &dict.manager, 1);
    pool.ChangeLanguage(DICTMODE_PROJECT);

    GetMenuStringW(GetSystemMenu(host.GetSafeHwnd(), FALSE), id, buffer, 256, MF_BYCOMMAND);
    const CString expected = tab > 0 ? CString(L"Schließen!\t") + close.Mid(tab + 1) : CString(L"Schließen!");
    EXPECT_EQ(CString(buffer), expected);
}

}  // namespace
