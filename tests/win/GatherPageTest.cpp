// Gathering words on the system word page: the resource texts of the module
// folder read by the worker, and the function-diagram plug-in, driven
// through the editor's buttons with every message box answered and read.
#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

#include <fstream>
#include <set>
#include <string>

#include "ModalAnswerer.h"
#include "ModalDriver.h"
#include "WordPageDriver.h"
#include "TestSupport.h"
#include "WinTestSupport.h"
#include "base/CStringList.h"
#include "editor/QorDictManager.h"
#include "host/QorUtility.h"
#include "host/resmodule/QorResModuleManager.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryWord.h"
#include "pages/win/VirtualGridCtrl.h"
#include "resources/Resource.h"

namespace {

int ThreadsOfThisProcess() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId();
    CloseHandle(snapshot);
    return count;
}

void CopyInto(const CString& from, const CString& to) { ASSERT_TRUE(CopyFileW(from, to, FALSE)) << to.ToUtf8(); }

class GatherPageTest : public ::testing::Test, protected WordPageDriver {
protected:
    void SetUp() override {
        for (const char* word : {"Motor", "Drive"}) {
            auto* entry = new CQorDictWordElement;
            entry->SetOriginalCharacter(S(word));
            ASSERT_TRUE(Master()->AddWord(entry));
        }
        ASSERT_TRUE(dict.manager.Save(File()));
        facade.SetDictionaryManager(&dict.manager);
        CreateDirectoryW(scratch.Path("modules"), nullptr);
        CQorUtility::SetModulePath(scratch.Path("modules"));
    }
    void TearDown() override { CQorUtility::SetModulePath(CString()); }

    CQorDictionaryWord* Master() { return dict.manager.GetSysDictWord(); }
    long Words(CQorDictionaryManager& manager) { return long(manager.GetSysDictWord()->GetDictionaryList()->GetCount()); }
    CString File() { return scratch.Path("words.dict"); }
    CString Modules(const char* name = "") { return scratch.Path((std::string("modules\\") + name).c_str()); }

    // The plug-in goes where the editor looks for it, and the host's
    // configuration asks for the button.
    void InstallPlugin(const CString& dll) {
        CreateDirectoryW(Modules("Plugins"), nullptr);
        CopyInto(dll, Modules("Plugins\\ModuleSolution.dll"));
        CreateDirectoryW(scratch.Path("Config"), nullptr);
        std::ofstream(scratch.Path("Config\\QorFunctionDiagramConfig.ini").ToUtf8(), std::ios::binary)
            << "[FunctionDiagramExportDictory]\r\nVisible=1\r\n";
    }

    ModalDriver::Step Close(int button) {
        return [this, button] {
            Click(GetDlgItem(editor, button));
            return true;
        };
    }
    int Run(std::vector<ModalDriver::Step> steps) {
        ModalDriver driver(std::move(steps), 60000);
        const int result = facade.ShowDictionaryDialog(modified, 1);
        EXPECT_TRUE(driver.AllStepsRan());
        return result;
    }
    static void ExpectDoneBox(const MessageBoxAnswerer::Box& box) {
        EXPECT_EQ(box.text, S("导入完成。"));
        EXPECT_EQ(box.caption, S("警告"));
        EXPECT_EQ(box.style, UINT(MB_OK | MB_ICONEXCLAMATION));
    }

    TestDictionary dict;  // English (the system language) and German, both enabled
    ScratchDir scratch;
    CQorDictManager facade;
    int modified = 0;
};

TEST_F(GatherPageTest, UpdateAddsTheModuleTextsOnceSavesAndSaysDone) {
    CQorResModuleManager reader;
    ASSERT_TRUE(reader.EnumResource(S(QOR_TEST_PE_DIR), 0x0804));
    CStringList texts;
    reader.GetResStrings(texts);
    std::set<CString> expected;
    for (POSITION pos = texts.GetHeadPosition(); pos;) {
        CString upper = texts.GetNext(pos);
        upper.MakeUpper();
        if (!upper.IsEmpty()) expected.insert(upper);
    }
    ASSERT_GT(expected.size(), 3u);
    for (const char* name : {"strings.dll", "menus.dll", "dialogs.dll", "program.exe"})
        CopyInto(S((std::string(QOR_TEST_PE_DIR) + "/" + name).c_str()), Modules(name));

    MessageBoxAnswerer answerer;
    Run({OpenSystemPage(),
         [&] {
             PostMessageW(GetDlgItem(page, IDC_UPDATE_DICTIONARY), BM_CLICK, 0, 0);
             // A second click that reaches the page while the first runs starts nothing.
             PostMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_UPDATE_DICTIONARY, BN_CLICKED),
                          LPARAM(GetDlgItem(page, IDC_UPDATE_DICTIONARY)));
             return true;
         },
         [&] { return !answerer.boxes.empty(); },
         [&] {
             EXPECT_EQ(grid->GetTotalRowCount(), 2 + int(expected.size()));
             EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, IDC_GATHER_PROGRESS)));
             EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_UPDATE_DICTIONARY)));
             EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_IMPORT_EXCEL)));
             // Once more: everything is known now, and it still saves and reports.
             Click(GetDlgItem(page, IDC_UPDATE_DICTIONARY));
             return true;
         },
         [&] { return answerer.boxes.size() == 2; },
         Close(IDOK)});
    ASSERT_EQ(answerer.boxes.size(), 2u);
    ExpectDoneBox(answerer.boxes[0]);
    ExpectDoneBox(answerer.boxes[1]);
    EXPECT_EQ(modified, 1);

    CQorDictionaryManager saved;
    ASSERT_TRUE(saved.Load(File()));
    EXPECT_EQ(Words(saved), 2 + long(expected.size()));
    for (const CString& text : expected) {
        ASSERT_TRUE(saved.GetSysDictWord()->FindWord(text)) << text.ToUtf8();
        const CQorDictWordElement* german = saved.Find(kGerman)->FindWord(DICTMODE_SYSTEM, text);
        ASSERT_TRUE(german) << "an empty entry in each column language";
        EXPECT_TRUE(german->GetDisplayCharacter().IsEmpty());
    }
}

TEST_F(GatherPageTest, ClosingTheEditorMidwayStopsTheWorkerAndKeepsWhatWasMerged) {
    const std::vector<CString> modules = CQorResModuleManager::ListModules(S(QOR_TEST_PE_DIR), nullptr);
    ASSERT_FALSE(modules.empty());
    for (int copy = 0; copy < 400; ++copy)
        CopyInto(modules[std::size_t(copy) % modules.size()], Modules(("m" + std::to_string(copy) + ".dll").c_str()));

    MessageBoxAnswerer answerer;
    int threadsBefore = 0;
    bool closedWhileRunning = false;
    Run({OpenSystemPage(),
         [&] {
             threadsBefore = ThreadsOfThisProcess();
             Click(GetDlgItem(page, IDC_UPDATE_DICTIONARY));
             return true;
         },
         [&] {
             HWND progress = GetDlgItem(page, IDC_GATHER_PROGRESS);
             if (SendMessageW(progress, PBM_GETPOS, 0, 0) == 0) return false;
             closedWhileRunning = !IsWindowEnabled(GetDlgItem(page, IDC_UPDATE_DICTIONARY));
             Click(GetDlgItem(editor, IDOK));
             return true;
         }});
    EXPECT_TRUE(closedWhileRunning) << "the gathering had ended before the editor closed";
    EXPECT_TRUE(answerer.boxes.empty()) << "nothing reports after the editor has gone";
    EXPECT_EQ(ThreadsOfThisProcess(), threadsBefore) << "the worker's thread has ended";
    EXPECT_EQ(modified, 1);
    CQorDictionaryManager saved;
    ASSERT_TRUE(saved.Load(File())) << "the file is whole";
    EXPECT_EQ(Words(saved), Words(dict.manager)) << "what was merged was saved";
    EXPECT_GT(Words(saved), 2);
}

TEST_F(GatherPageTest, ThePluginsTextsJoinTheWordsWithTranslationsInTheFirstColumnLanguage) {
    InstallPlugin(S(QOR_SAMPLE_PLUGIN));
    dict.Word(dict.English(), S("高选"), S("Maximum"));
    MessageBoxAnswerer answerer;
    Run({OpenSystemPage(), Press(IDC_FUNCTION_DIAGRAM), [&] { return !answerer.boxes.empty(); },
         [&] {
             EXPECT_EQ(grid->GetTotalRowCount(), 2 + 7);
             return true;
         },
         Close(IDCANCEL)});
    ASSERT_EQ(answerer.boxes.size(), 1u);
    ExpectDoneBox(answerer.boxes[0]);
    CQorDictionaryManager saved;
    ASSERT_TRUE(saved.Load(File()));
    EXPECT_EQ(Words(saved), 2 + 7);
    // English is the first column: it gets the plug-in's translations, German nothing.
    const CQorDictWordElement* pid = saved.Find(kEnglish)->FindWord(DICTMODE_SYSTEM, S("比例积分微分"));
    ASSERT_TRUE(pid);
    EXPECT_EQ(pid->GetDisplayCharacter(), S("PID-Regler"));
    EXPECT_EQ(saved.Find(kEnglish)->FindWord(DICTMODE_SYSTEM, S("高选"))->GetDisplayCharacter(), S("Maximumauswahl"));
    EXPECT_FALSE(saved.Find(kGerman)->FindWord(DICTMODE_SYSTEM, S("比例积分微分")));
}

TEST_F(GatherPageTest, APluginThatThrowsAnswersNullOrGarbageOrLacksTheExportChangesNothing) {
    for (const char* variant : {"throwing", "null", "garbage", "noexport", "missing"}) {
        SCOPED_TRACE(variant);
        if (std::string(variant) != "missing")
            InstallPlugin(S(QOR_TEST_PLUGIN_DIR) + L"\\" + S(variant) + L"\\ModuleSolution.dll");
        else
            DeleteFileW(Modules("Plugins\\ModuleSolution.dll"));
        MessageBoxAnswerer answerer;
        Run({OpenSystemPage(), Press(IDC_FUNCTION_DIAGRAM),
             [&] {
                 // The editor still answers: its grid still has the two words.
                 EXPECT_EQ(grid->GetTotalRowCount(), 2);
                 return true;
             },
             Close(IDOK)});
        // Pairs that add nothing still end in the report.
        EXPECT_EQ(answerer.boxes.size(), std::string(variant) == "garbage" ? 1u : 0u);
        EXPECT_EQ(Words(dict.manager), 2);
        EXPECT_EQ(modified, 0);
        // The DLL is not left loaded: it can be replaced.
        EXPECT_TRUE(DeleteFileW(Modules("Plugins\\ModuleSolution.dll")) || std::string(variant) == "missing");
    }
}

}  // namespace
