// The settings page inside the editor, driven as a user does it: check boxes
// clicked in the language list, the add, edit and delete buttons with the
// language dialog and the questions answered, the keys of the list.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "ModalAnswerer.h"
#include "ModalDriver.h"
#include "TestSupport.h"
#include "WinTestSupport.h"
#include "editor/QorDictManager.h"
#include "model/QorLanguageDict.h"
#include "resources/Resource.h"

namespace {

CString S(const char* utf8) { return CString::FromUtf8(utf8); }

class SettingsPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dict.manager.Save(scratch.Path("settings.dict")));
        facade.SetDictionaryManager(&dict.manager);
    }

    ModalDriver::Step Open() {
        return [this] {
            editor = FindTopLevelWithControl(IDC_DICT_TREE);
            if (!editor) return false;
            list = FindDescendant(editor, IDC_LANGUAGE_LIST);
            page = GetParent(list);
            return true;
        };
    }
    int Rows() const { return int(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }
    int ComboEntries() const { return int(SendMessageW(GetDlgItem(page, IDC_SYS_DEFAULT_LANG), CB_GETCOUNT, 0, 0)); }
    // A click where the list reports the given part of the row, found by
    // walking across the row.
    bool ClickRowPart(int row, UINT part) {
        RECT bounds = {};
        bounds.left = LVIR_BOUNDS;
        SendMessageW(list, LVM_GETITEMRECT, WPARAM(row), LPARAM(&bounds));
        for (int x = bounds.left; x < bounds.right; ++x) {
            LVHITTESTINFO hit = {};
            hit.pt = POINT{x, (bounds.top + bounds.bottom) / 2};
            if (SendMessageW(list, LVM_HITTEST, 0, LPARAM(&hit)) != row || hit.flags != part) continue;
            POINT screen = hit.pt;
            ClientToScreen(list, &screen);
            SetCursorPos(screen.x, screen.y);
            const LPARAM where = MAKELPARAM(hit.pt.x, hit.pt.y);
            PostMessageW(list, WM_LBUTTONUP, 0, where);
            SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, where);
            return true;
        }
        return false;
    }
    // Keys typed on the keyboard, with the list focused.
    void KeyInList(UINT key, bool control = false) {
        SetFocus(list);
        std::vector<INPUT> keys;
        auto press = [&](WORD code, bool up) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = code;
            input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            keys.push_back(input);
        };
        if (control) press(VK_CONTROL, false);
        press(WORD(key), false);
        press(WORD(key), true);
        if (control) press(VK_CONTROL, true);
        SendInput(UINT(keys.size()), keys.data(), sizeof(INPUT));
    }
    int Run(std::vector<ModalDriver::Step> steps) {
        ModalDriver driver(std::move(steps));
        const int result = facade.ShowDictionaryDialog(modified, 1);
        EXPECT_TRUE(driver.AllStepsRan());
        return result;
    }

    TestDictionary dict;  // English and German, both enabled
    ScratchDir scratch;
    CQorDictManager facade;
    HWND editor = nullptr, list = nullptr, page = nullptr;
    int modified = 0;
};

TEST_F(SettingsPageTest, AnEmptyDictionaryIsSeededAndSavedOnFirstDisplay) {
    CQorDictionaryManager empty;
    const CString path = scratch.Path("seeded.dict");
    ASSERT_TRUE(empty.Save(path));
    facade.SetDictionaryManager(&empty);
    int rows = 0, entries = 0;
    Run({Open(), [&] {
             rows = Rows();
             entries = ComboEntries();
             Click(GetDlgItem(editor, IDCANCEL));
             return true;
         }});
    EXPECT_EQ(rows, 61);
    EXPECT_EQ(entries, 2) << "only en-GB and zh-CN are enabled";
    CQorDictionaryManager saved;
    ASSERT_TRUE(saved.Load(path));
    EXPECT_EQ(saved.GetLanguageDictList()->GetCount(), 61);
    EXPECT_EQ(modified, 0);
}

TEST_F(SettingsPageTest, TheCheckBoxNotTheTextTogglesALanguage) {
    int entriesAfter = -1;
    Run({Open(), [&] {
             EXPECT_EQ(Rows(), 2);
             EXPECT_TRUE(ClickRowPart(1, LVHT_ONITEMLABEL));
             EXPECT_EQ(dict.German()->IsEnable(), 1) << "a click on the text toggles nothing";
             EXPECT_TRUE(ClickRowPart(1, LVHT_ONITEMSTATEICON));
             EXPECT_EQ(dict.German()->IsEnable(), 0);
             entriesAfter = ComboEntries();
             Click(GetDlgItem(editor, IDOK));
             return true;
         }});
    EXPECT_EQ(entriesAfter, 1) << "the combos follow";
    EXPECT_EQ(modified, 1);
}

TEST_F(SettingsPageTest, AddAndEditGoThroughTheLanguageDialog) {
    Run({Open(), [&] {
             PostMessageW(GetDlgItem(page, IDC_ADD), BM_CLICK, 0, 0);
             return true;
         },
         [&] {
             HWND dialog = FindTopLevelWithControl(IDC_LANG_HEX_ID);
             if (!dialog) return false;
             SetDlgItemTextW(dialog, IDC_LANG_ID, L"1036");
             PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
             return true;
         },
         [&] {
             if (Rows() != 3) return false;
             EXPECT_EQ(dict.manager.Find(1036)->IsEnable(), 0) << "a new language starts disabled";
             Click(GetDlgItem(editor, IDOK));
             return true;
         }});
    EXPECT_EQ(modified, 1);
}

TEST_F(SettingsPageTest, SelectAllAndDeleteKeepsEnabledLanguagesEachWithItsMessage) {
    dict.German()->SetEnable(0);
    auto* french = new CQorLanguageDict;
    french->SetLanguageID(1036);
    ASSERT_TRUE(dict.manager.Add(french));
    MessageBoxAnswerer answerer(IDYES);
    Run({Open(),
         [&] {
             KeyInList('A', true);
             return true;
         },
         [&] {
             if (SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0) != 3) return false;
             KeyInList(VK_DELETE);
             return true;
         },
         [&] {
             if (Rows() != 1) return false;
             // Enter and Escape on the page close nothing.
             KeyInList(VK_RETURN);
             KeyInList(VK_ESCAPE);
             return true;
         },
         [&] {
             EXPECT_TRUE(IsWindowVisible(editor));
             Click(GetDlgItem(editor, IDCANCEL));
             return true;
         }});
    ASSERT_EQ(answerer.boxes.size(), 2u);
    EXPECT_EQ(answerer.boxes[0].text, S("确认要删除3个对象吗 ?"));
    EXPECT_EQ(answerer.boxes[0].style, UINT(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_NE(answerer.boxes[1].text.Find(L"'"), -1);
    EXPECT_EQ(answerer.boxes[1].style, UINT(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_NE(dict.English(), nullptr);
    EXPECT_EQ(dict.manager.Find(kGerman), nullptr);
    EXPECT_EQ(dict.manager.Find(1036), nullptr);
}

}  // namespace
