// Export and import from a word page, as a user does them: the button, the
// platform's file dialog answered with a path, the progress window with its
// stop button, the closing message answered by a hook.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>

#include "ModalAnswerer.h"
#include "ModalDriver.h"
#include "TestSupport.h"
#include "WinTestSupport.h"
#include "editor/QorDictManager.h"
#include "host/PlanTaskWndExPort.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryWord.h"
#include "resources/Resource.h"
#include "sheets/WorkbookFile.h"

namespace {

CString S(const char* utf8) { return CString::FromUtf8(utf8); }

constexpr int kFileNameCombo = 1148;  // the explorer-style dialog's name box
constexpr int kFileNameEdit = 1152;   // the older dialog's

// The step that answers the platform's file dialog with a path.
ModalDriver::Step AnswerFileDialog(const CString& path) {
    return [path] {
        HWND dialog = FindTopLevelWithControl(kFileNameCombo);
        int box = kFileNameCombo;
        if (!dialog) {
            dialog = FindTopLevelWithControl(kFileNameEdit);
            box = kFileNameEdit;
        }
        if (!dialog) return false;
        SetDlgItemTextW(dialog, box, path);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(GetDlgItem(dialog, IDOK)));
        return true;
    };
}

class WordSheetExchangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* word : {"Motor", "Drive", "Speed"}) AddWord(word);
        dict.Word(dict.German(), S("Motor"), S("Motor (de)"));
        ASSERT_TRUE(dict.manager.Save(scratch.Path("words.dict")));
        facade.SetDictionaryManager(&dict.manager);
    }
    void AddWord(const char* original) {
        auto* entry = new CQorDictWordElement;
        entry->SetOriginalCharacter(S(original));
        EXPECT_TRUE(dict.manager.GetSysDictWord()->AddWord(entry));
    }
    long Words() { return long(dict.manager.GetSysDictWord()->GetDictionaryList()->GetCount()); }

    // Opens the editor on the system words and presses a page button; the
    // press is posted, so the steps after it run inside what it opens.
    std::vector<ModalDriver::Step> OpenAndPress(int button) {
        return {[&] { return (editor = FindTopLevelWithControl(IDC_DICT_TREE)) != nullptr; },
                [&, button] {
                    ShowEditorCard(editor, 1);
                    page = GetParent(FindDescendant(editor, IDC_FUNCTION_DIAGRAM));
                    EXPECT_TRUE(IsWindowVisible(page));
                    PostMessageW(GetDlgItem(page, button), BM_CLICK, 0, 0);
                    return true;
                }};
    }
    ModalDriver::Step Close(int button) {
        return [this, button] {
            // The exchange has ended when the page's buttons are back.
            if (!IsWindowEnabled(GetDlgItem(page, IDC_ADD))) return false;
            Click(GetDlgItem(editor, button));
            return true;
        };
    }
    int Run(std::vector<ModalDriver::Step> steps, int& modified) {
        ModalDriver driver(std::move(steps), 60000);
        const int result = facade.ShowDictionaryDialog(modified, 1);
        EXPECT_TRUE(driver.AllStepsRan());
        return result;
    }
    static std::vector<ModalDriver::Step> Join(std::vector<ModalDriver::Step> a, std::vector<ModalDriver::Step> b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }

    TestDictionary dict;
    ScratchDir scratch;
    CQorDictManager facade;
    MessageBoxAnswerer answerer;
    HWND editor = nullptr;
    HWND page = nullptr;
};

TEST_F(WordSheetExchangeTest, ExportWritesTheGridsWordsToTheChosenFile) {
    const CString path = scratch.Path("export.csv");
    int modified = 0;
    Run(Join(OpenAndPress(IDC_EXPORT_EXCEL), {AnswerFileDialog(path), Close(IDOK)}), modified);
    EXPECT_EQ(modified, 0) << "an export changes nothing";
    ASSERT_EQ(answerer.boxes.size(), 1u);
    EXPECT_EQ(answerer.boxes[0].text, S("导出完成。"));
    CWorkbookData workbook;
    CString error;
    ASSERT_TRUE(QorReadWorkbookFile(path, workbook, error)) << error.ToUtf8();
    ASSERT_EQ(workbook.sheets.size(), 1u);
    const CSheetData& sheet = workbook.sheets[0];
    ASSERT_EQ(sheet.GetUsedRowCount(), 4) << "headings and three words";
    EXPECT_EQ(sheet.GetText(1, 1), S("Motor"));
    EXPECT_EQ(sheet.GetText(1, 3), S("Motor (de)")) << "columns: time, original, English, German";
}

TEST_F(WordSheetExchangeTest, ImportMergesAndSavesAndAFileThatCannotBeReadIsTold) {
    const CString path = scratch.Path("import.csv");
    {
        std::ofstream out(path.ToUtf8(), std::ios::binary);
        out << "\xEF\xBB\xBF" "time,original,English,Deutsch\r\n"
            << ",Motor,engine,Motor (de)\r\n,Brake,brake,Bremse***\r\n";
    }
    const CString broken = scratch.Path("broken.xlsx");
    { std::ofstream(broken.ToUtf8(), std::ios::binary) << "PK not a workbook"; }

    int modified = 0;
    Run(Join(OpenAndPress(IDC_IMPORT_EXCEL),
             {AnswerFileDialog(path),
              [&] {
                  if (!IsWindowEnabled(GetDlgItem(page, IDC_ADD))) return false;
                  PostMessageW(GetDlgItem(page, IDC_IMPORT_EXCEL), BM_CLICK, 0, 0);
                  return true;
              },
              AnswerFileDialog(broken), Close(IDOK)}),
        modified);
    EXPECT_EQ(modified, 1);
    EXPECT_EQ(Words(), 4);
    ASSERT_NE(dict.German()->FindWord(DICTMODE_SYSTEM, S("Brake")), nullptr);
    EXPECT_EQ(dict.German()->FindWord(DICTMODE_SYSTEM, S("Brake"))->GetDisplayCharacter(), S("Bremse"));
    CQorDictionaryManager saved;
    ASSERT_TRUE(saved.Load(scratch.Path("words.dict")));
    EXPECT_NE(saved.GetSysDictWord()->FindWord(S("Brake")), nullptr) << "the import saved at once";
    ASSERT_EQ(answerer.boxes.size(), 2u);
    EXPECT_EQ(answerer.boxes[0].text, S("导入完成。"));
    EXPECT_NE(answerer.boxes[1].text.Find(L"broken.xlsx"), -1) << answerer.boxes[1].text.ToUtf8();
    EXPECT_EQ(answerer.boxes[1].caption, S("错误"));
}

TEST_F(WordSheetExchangeTest, StopInTheMiddleOfALongImportKeepsWhatWasMerged) {
    const CString path = scratch.Path("long.csv");
    {
        std::ofstream out(path.ToUtf8(), std::ios::binary);
        out << "time,original\r\n";
        for (int i = 0; i < 100000; ++i) out << ",word " << i << "\r\n";
    }
    int modified = 0;
    HWND progress = nullptr;
    Run(Join(OpenAndPress(IDC_IMPORT_EXCEL),
             {AnswerFileDialog(path),
              [&] {
                  progress = FindTopLevelWithControl(CPlanTaskWndExPort::kProgressId);
                  if (!progress) return false;
                  // Some rows first, so the stop lands in the middle.
                  if (SendMessageW(GetDlgItem(progress, CPlanTaskWndExPort::kProgressId), PBM_GETPOS, 0, 0) < 100)
                      return false;
                  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_IMPORT_EXCEL))) << "no second import meanwhile";
                  Click(GetDlgItem(progress, CPlanTaskWndExPort::kStopButtonId));
                  return true;
              },
              Close(IDCANCEL)}),
        modified);
    const long words = Words();
    EXPECT_GE(words, 3 + 99) << "the stop came after 100 rows, the heading row among them";
    EXPECT_LT(words, 3 + 100000);
    ASSERT_EQ(answerer.boxes.size(), 1u);
    EXPECT_EQ(answerer.boxes[0].text, S("导入已停止。已导入的行已保存。"));
    CQorDictionaryManager saved;
    ASSERT_TRUE(saved.Load(scratch.Path("words.dict")));
    EXPECT_EQ(long(saved.GetSysDictWord()->GetDictionaryList()->GetCount()), words);
}

}  // namespace
