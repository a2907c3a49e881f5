// The word pages inside the editor, driven as a translator uses them: the
// add, delete and find buttons, edits typed into the grid's cells, and the
// host's configuration file deciding on the function-diagram button.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>

#include "ModalAnswerer.h"
#include "ModalDriver.h"
#include "WordPageDriver.h"
#include "TestSupport.h"
#include "WinTestSupport.h"
#include "editor/QorDictManager.h"
#include "host/QorUtility.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryWord.h"
#include "pages/WordPageRules.h"
#include "pages/win/VirtualGridCtrl.h"
#include "resources/Resource.h"

namespace {

CString S(const char* utf8) { return CString::FromUtf8(utf8); }

class WordPageTest : public ::testing::Test, protected WordPageDriver {
protected:
    void SetUp() override {
        for (const char* word : {"Motor", "Drive", "Speed", "Brake", "Gear"}) AddWord(word);
        dict.Word(dict.German(), S("Motor"), S("Motor (de)"));
        ASSERT_TRUE(dict.manager.Save(scratch.Path("words.dict")));
        facade.SetDictionaryManager(&dict.manager);
    }
    void AddWord(const char* original) {
        auto* entry = new CQorDictWordElement;
        entry->SetOriginalCharacter(S(original));
        EXPECT_TRUE(Master()->AddWord(entry));
    }
    CQorDictionaryWord* Master() { return dict.manager.GetSysDictWord(); }
    CString Original(int row) { return WordAtRow(*Master(), row)->GetOriginalCharacter(); }

    // Types into a cell as a user does: F2, the text, Enter.
    void TypeIntoCell(int row, int column, const wchar_t* text) {
        grid->SetCurSel(row, column);
        ASSERT_TRUE(grid->EditItem(row, column));
        HWND edit = GetFocus();
        SetWindowTextW(edit, text);
        SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
        SendMessageW(edit, WM_CHAR, VK_RETURN, 0);
        EXPECT_FALSE(grid->IsEditing());
    }
    int Run(std::vector<ModalDriver::Step> steps) {
        ModalDriver driver(std::move(steps));
        const int result = facade.ShowDictionaryDialog(modified, 1);
        EXPECT_TRUE(driver.AllStepsRan());
        return result;
    }

    TestDictionary dict;  // English (the system language) and German, both enabled
    ScratchDir scratch;
    CQorDictManager facade;
    int modified = 0;
};

TEST_F(WordPageTest, TheGridShowsOneColumnPerEnabledLanguageAndItsCellsFromTheModel) {
    Run({OpenSystemPage(), [&] {
             EXPECT_EQ(grid->GetTotalRowCount(), 5);
             EXPECT_EQ(grid->GetColumnCount(), 4);
             EXPECT_EQ(grid->GetFrozenColumnCount(), 2);
             EXPECT_EQ(grid->GetColumnName(3), S("Deutsch"));
             EXPECT_EQ(grid->GetCellText(0, 1), S("Motor"));
             EXPECT_EQ(grid->GetCellText(0, 3), S("Motor (de)"));
             EXPECT_EQ(grid->GetCellText(1, 3), S(""));
             Click(GetDlgItem(editor, IDCANCEL));
             return true;
         }});
}

TEST_F(WordPageTest, AddAsksForTheNameSelectsTheNewRowAndSaves) {
    MessageBoxAnswerer answerer;
    Run({OpenSystemPage(), Press(IDC_ADD),
         [&] {
             HWND dialog = FindTopLevelWithControl(IDC_ORIGINAL_STRING);
             if (!dialog) return false;
             SetDlgItemTextW(dialog, IDC_ORIGINAL_STRING, L"Clutch");
             PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
             return true;
         },
         [&] {
             if (grid->GetTotalRowCount() != 6) return false;
             EXPECT_TRUE(grid->IsRowSelected(5));
             EXPECT_EQ(grid->GetCellText(5, 1), S("Clutch"));
             Click(GetDlgItem(editor, IDCANCEL));
             return true;
         }});
    EXPECT_TRUE(answerer.boxes.empty());
    CQorDictionaryManager saved;
    ASSERT_TRUE(saved.Load(scratch.Path("words.dict")));
    EXPECT_NE(saved.GetSysDictWord()->FindWord(S("clutch")), nullptr) << "saved at once";
    EXPECT_EQ(modified, 0) << "Cancel leaves the argument, the file is written all the same";
}

TEST_F(WordPageTest, DeleteAsksOnceAndRemovesExactlyTheSelectedRows) {
    MessageBoxAnswerer no(IDNO);
    Run({OpenSystemPage(), [&] {
             grid->SelectRow(3);
             grid->SelectRow(0, TRUE);
             grid->SelectRow(2, TRUE);
             Click(GetDlgItem(page, IDC_DELETE));
             EXPECT_EQ(grid->GetTotalRowCount(), 5) << "No keeps the words";
             no.answer = IDYES;
             Click(GetDlgItem(page, IDC_DELETE));
             Click(GetDlgItem(editor, IDOK));
             return true;
         }});
    ASSERT_EQ(no.boxes.size(), 2u);
    EXPECT_EQ(no.boxes[0].text, S("确认要删除3个对象吗 ?"));
    EXPECT_EQ(no.boxes[0].style, UINT(MB_YESNO | MB_ICONEXCLAMATION));
    ASSERT_EQ(Master()->GetDictionaryList()->GetCount(), 2);
    EXPECT_EQ(Original(0), S("Drive"));
    EXPECT_EQ(Original(1), S("Gear"));
    EXPECT_EQ(modified, 1);
}

TEST_F(WordPageTest, TypingIntoCellsRenamesAndTranslatesOnlyWhatChanged) {
    Run({OpenSystemPage(), [&] {
             TypeIntoCell(1, 1, L"DRIVE");
             TypeIntoCell(0, 1, L"Main motor");
             TypeIntoCell(2, 3, L"Geschwindigkeit");
             Click(GetDlgItem(editor, IDOK));
             return true;
         }});
    EXPECT_EQ(Original(1), S("Drive")) << "a change of letter case only is none";
    EXPECT_EQ(Original(0), S("Main motor"));
    ASSERT_NE(dict.German()->FindWord(DICTMODE_SYSTEM, S("Main motor")), nullptr) << "the translation follows";
    ASSERT_NE(dict.German()->FindWord(DICTMODE_SYSTEM, S("Speed")), nullptr);
    EXPECT_EQ(dict.German()->FindWord(DICTMODE_SYSTEM, S("Speed"))->GetDisplayCharacter(), S("Geschwindigkeit"));
    EXPECT_EQ(modified, 1);

    // The same text again changes nothing.
    modified = 0;
    Run({OpenSystemPage(), [&] {
             TypeIntoCell(2, 3, L"Geschwindigkeit");
             Click(GetDlgItem(editor, IDOK));
             return true;
         }});
    EXPECT_EQ(modified, 0);
}

TEST_F(WordPageTest, FindStartsAfterTheLastMatchOrThePickedRowAndDoesNotWrap) {
    // Rows: Motor, Drive, Speed, Brake, Gear.
    Run({OpenSystemPage(), [&] {
             const DWORD next = kFindNext | kFindDown;
             EXPECT_TRUE(grid->Find(S("r"), next));
             EXPECT_EQ(grid->GetCurSel().row, 0);
             EXPECT_TRUE(grid->Find(S("r"), next));
             EXPECT_EQ(grid->GetCurSel().row, 1);
             grid->SetCurSel(3, 1);  // the user picks Brake
             EXPECT_TRUE(grid->Find(S("R"), next));
             EXPECT_EQ(grid->GetCurSel().row, 3);
             EXPECT_TRUE(grid->Find(S("r"), next));
             EXPECT_EQ(grid->GetCurSel().row, 4);
             EXPECT_FALSE(grid->Find(S("r"), next)) << "no wrap";
             EXPECT_TRUE(grid->Find(S("drive"), kFindNext | kFindWholeWord)) << "backward, whole string";
             EXPECT_EQ(grid->GetCurSel().row, 1);
             EXPECT_FALSE(grid->Find(S("motor"), kFindNext | kFindMatchCase | kFindWholeWord | kFindDown));
             // The find button opens the platform's dialog, translated.
             Click(GetDlgItem(page, IDC_FIND_WORD));
             EXPECT_TRUE(IsWindow(grid->GetFindReplaceDlg()));
             Click(GetDlgItem(editor, IDCANCEL));
             return true;
         }});
}

// The host's configuration file beside a module folder of its own, so that
// the build tree's configuration (the demo's) plays no part.
class DiagramConfig {
public:
    explicit DiagramConfig(const ScratchDir& scratch) : m_folder(scratch.Path("Config")) {
        CQorUtility::SetModulePath(scratch.Path("modules"));
    }
    ~DiagramConfig() { CQorUtility::SetModulePath(CString()); }
    void Write(const char* text) {
        CreateDirectoryW(m_folder, nullptr);
        std::ofstream(File().ToUtf8(), std::ios::binary) << text;
    }
    CString File() const { return m_folder + L"\\QorFunctionDiagramConfig.ini"; }

private:
    CString m_folder;
};

TEST_F(WordPageTest, TheFunctionDiagramButtonIsShownOnlyWhereTheConfigurationAllowsIt) {
    DiagramConfig config(scratch);
    auto visible = [&] {
        bool shown = true;
        Run({OpenSystemPage(), [&] {
                 shown = IsWindowVisible(GetDlgItem(page, IDC_FUNCTION_DIAGRAM)) != FALSE;
                 Click(GetDlgItem(editor, IDCANCEL));
                 return true;
             }});
        return shown;
    };
    EXPECT_FALSE(visible()) << "no file";
    config.Write("[FunctionDiagramExportDictory]\r\nVisible=0\r\n");
    EXPECT_FALSE(visible());
    config.Write("[FunctionDiagramExportDictory]\r\nOther=1\r\n");
    EXPECT_TRUE(visible()) << "a file without the key";
    config.Write("[FunctionDiagramExportDictory]\r\nVisible=1\r\n");
    EXPECT_TRUE(visible());
}

TEST_F(WordPageTest, TranslationsFailingTheChecksAreTintedAndTellWhyUntilTheyAreFixed) {
    AddWord("&Open");
    dict.Word(dict.German(), S("&Open"), S("Öffnen"));  // the accelerator is lost: an error
    dict.Word(dict.German(), S("Gear"), S("Gear"));      // unchanged: a warning
    const COLORREF errorBack = RGB(255, 205, 205), warningBack = RGB(255, 240, 190);
    const int open = 5, gear = 4, motor = 0, german = 3;
    HWND tip = nullptr;
    // What the screen shows inside a cell, right of its text.
    auto pixelIn = [&](int row, int column) {
        RECT client;
        GetClientRect(grid->GetSafeHwnd(), &client);
        WindowDc screen(nullptr);
        UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
        UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
        SelectedObject selected(memory.get(), bitmap.get());
        SendMessageW(grid->GetSafeHwnd(), WM_PRINTCLIENT, WPARAM(memory.get()), PRF_CLIENT);
        const RECT cell = grid->GetCellRect(row, column);
        return GetPixel(memory.get(), cell.right - 4, cell.top + 3);
    };
    Run({OpenSystemPage(), [&] {
             grid->SetColumnWidth(german, 160);
             grid->SetCurSel(1, 1);  // the rows looked at are not selected
             EXPECT_EQ(grid->GetCellLook(open, german).back, errorBack);
             EXPECT_TRUE(grid->GetCellLook(open, german).own);
             EXPECT_EQ(grid->GetCellTip(open, german), S("accelerator count differs"));
             EXPECT_EQ(pixelIn(open, german), errorBack);
             EXPECT_EQ(grid->GetCellLook(gear, german).back, warningBack);
             EXPECT_EQ(pixelIn(gear, german), warningBack);
             EXPECT_FALSE(grid->GetCellLook(motor, german).own);
             EXPECT_FALSE(grid->GetCellLook(open, 1).own) << "originals are not checked";
             EXPECT_EQ(pixelIn(motor, german), grid->GetColorTheme().background);

             // The mouse over the cell shows the findings as its tooltip.
             tip = grid->GetToolTip();
             EXPECT_NE(tip, nullptr);
             const RECT cell = grid->GetCellRect(open, german);
             POINT at{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
             ClientToScreen(grid->GetSafeHwnd(), &at);
             SetCursorPos(at.x, at.y);
             ScreenToClient(grid->GetSafeHwnd(), &at);
             SendMessageW(grid->GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
             SendMessageW(tip, TTM_POPUP, 0, 0);
             return true;
         },
         [&] {
             WCHAR shown[128] = {};
             GetWindowTextW(tip, shown, 128);
             if (!IsWindowVisible(tip) || !shown[0]) return false;
             EXPECT_EQ(CString(shown), S("accelerator count differs"));

             // Fixed in the cell: the mark goes at once.
             TypeIntoCell(open, german, L"Ö&ffnen");
             EXPECT_FALSE(grid->GetCellLook(open, german).own);
             grid->SetCurSel(1, 1);
             EXPECT_EQ(pixelIn(open, german), grid->GetColorTheme().background);
             Click(GetDlgItem(editor, IDCANCEL));
             return true;
         }});
}

}  // namespace
