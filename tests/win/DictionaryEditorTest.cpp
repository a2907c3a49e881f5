// The dictionary editor opened as a host opens it, through CQorDictManager,
// and driven from inside its modal loop by control ID: tree double-clicks,
// buttons, resizing, the splitter; message boxes answered by a hook.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "HandleCount.h"
#include "HelpRecorder.h"
#include "ModalAnswerer.h"
#include "ModalDriver.h"
#include "TestSupport.h"
#include "WinTestSupport.h"
#include "editor/QorDictManager.h"
#include "editor/win/DictionaryDialog.h"
#include "framework/TreeCtrl.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryWord.h"
#include "resources/Resource.h"
#include "tools/sampledict/WordListCsv.h"

namespace {

CString S(const char* utf8) { return CString::FromUtf8(utf8); }

// Inside a step: a failed requirement closes the editor and ends the step.
#define STEP_REQUIRE(condition)                               \
    if (!(condition)) {                                       \
        ADD_FAILURE() << "required: " #condition;             \
        PostMessageW(editor.dialog, WM_CLOSE, 0, 0);          \
        return true;                                          \
    }

struct Rect {
    int left, top, right, bottom;
    bool operator==(const Rect& o) const { return left == o.left && top == o.top && right == o.right && bottom == o.bottom; }
};
std::ostream& operator<<(std::ostream& out, const Rect& r) {
    return out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

// A child's rectangle in its parent's client coordinates.
Rect PlaceOf(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

Rect ClientOf(HWND window) {
    RECT rect = {};
    GetClientRect(window, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

bool Shown(HWND window) { return IsWindowVisible(window) && IsWindowEnabled(window); }

// The editor as the steps see it once it is open.
struct Editor {
    HWND dialog = nullptr;
    CTreeCtrl tree;

    ~Editor() { tree.Detach(); }
    bool Find() {
        dialog = FindTopLevelWithControl(IDC_DICT_TREE);
        if (dialog && !tree.GetSafeHwnd()) tree.Attach(GetDlgItem(dialog, IDC_DICT_TREE));
        return dialog != nullptr;
    }
    HWND Item(int id) const { return GetDlgItem(dialog, id); }
    HWND Control(int id) const { return FindDescendant(dialog, id); }
    // Each page is known by a control only it has.
    HWND SettingsPage() const { return GetParent(Control(IDC_LANGUAGE_LIST)); }
    HWND SystemPage() const { return GetParent(Control(IDC_FUNCTION_DIAGRAM)); }
    HWND ProjectPage() const {
        HWND stack = GetParent(SettingsPage());
        for (HWND page = GetWindow(stack, GW_CHILD); page; page = GetWindow(page, GW_HWNDNEXT))
            if (GetDlgItem(page, IDC_GRID_AREA) && !GetDlgItem(page, IDC_FUNCTION_DIAGRAM)) return page;
        return nullptr;
    }
    CDictionaryDialog* Object() const { return dynamic_cast<CDictionaryDialog*>(CWnd::FromHandlePermanent(dialog)); }

    std::vector<HTREEITEM> Children(HTREEITEM parent) const {
        std::vector<HTREEITEM> items;
        for (HTREEITEM item = tree.GetChildItem(parent); item; item = tree.GetNextSiblingItem(item)) items.push_back(item);
        return items;
    }
    void DoubleClickItem(HTREEITEM item) {
        RECT rect = {};
        ASSERT_TRUE(tree.GetItemRect(item, &rect, TRUE));
        DoubleClickAt(tree.GetSafeHwnd(), POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    }
    void DoubleClickEmptySpace() {
        const Rect client = ClientOf(tree.GetSafeHwnd());
        DoubleClickAt(tree.GetSafeHwnd(), POINT{client.right / 2, client.bottom - 3});
    }
};

// A dictionary with English as the language of the editor and a file.
class DictionaryEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const auto& pair : std::vector<std::pair<const char*, const char*>>{
                 {"多语言字典", "Multilingual Dictionary"}, {"字典", "Dictionary"}, {"语言管理", "Languages"},
                 {"系统字典", "System words"}, {"项目字典", "Project words"}, {"确定", "OK"},
                 {"警告", "Warning"}, {"字典库路径", "Dictionary file"}})
            dict.Word(dict.English(), S(pair.first), S(pair.second));
        path = scratch.Path("editor.dict");
        ASSERT_TRUE(dict.manager.Save(path));
        facade.SetDictionaryManager(&dict.manager);
    }

    FILETIME WriteTime() const {
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        GetFileAttributesExW(path, GetFileExInfoStandard, &data);
        return data.ftLastWriteTime;
    }
    // The file's time goes back a day, so that a rewrite shows.
    void AgeFile() const {
        HANDLE file = CreateFileW(path, FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        FILETIME old = WriteTime();
        ULARGE_INTEGER value{{old.dwLowDateTime, old.dwHighDateTime}};
        value.QuadPart -= 864000000000ULL;
        old = {value.LowPart, value.HighPart};
        SetFileTime(file, nullptr, nullptr, &old);
        CloseHandle(file);
    }
    bool Rewritten(const FILETIME& before) const {
        const FILETIME now = WriteTime();
        return CompareFileTime(&before, &now) != 0;
    }

    int Run(std::vector<ModalDriver::Step> steps, int& modified, DWORD projectFlag) {
        ModalDriver driver(std::move(steps));
        const int result = facade.ShowDictionaryDialog(modified, projectFlag);
        EXPECT_TRUE(driver.AllStepsRan());
        return result;
    }

    TestDictionary dict;
    ScratchDir scratch;
    CString path;
    CQorDictManager facade;
    Editor editor;
};

TEST_F(DictionaryEditorTest, TreeLeadsToThePagesAndOkWithoutChangeSavesNothing) {
    AgeFile();
    const FILETIME before = WriteTime();
    int modified = 5;
    const int result = Run(
        {[&] { return editor.Find(); },
         [&] {
             EXPECT_EQ(TextOf(editor.dialog), S("Multilingual Dictionary"));
             const HTREEITEM root = editor.tree.GetRootItem();
             EXPECT_EQ(editor.tree.GetItemText(root), S("Dictionary"));
             const std::vector<HTREEITEM> items = editor.Children(root);
             EXPECT_EQ(editor.Children(nullptr).size(), 1u);
             STEP_REQUIRE(items.size() == 3u);
             const char* texts[] = {"Languages", "System words", "Project words"};
             for (int i = 0; i < 3; ++i) {
                 EXPECT_EQ(editor.tree.GetItemText(items[i]), S(texts[i]));
                 int image = -1, selected = -1;
                 editor.tree.GetItemImage(items[i], image, selected);
                 EXPECT_EQ(image, i + 1);
                 EXPECT_EQ(selected, i + 1);
             }
             EXPECT_TRUE(Shown(editor.SettingsPage()));
             EXPECT_FALSE(IsWindowVisible(editor.SystemPage()) || IsWindowEnabled(editor.SystemPage()));
             EXPECT_FALSE(IsWindowVisible(editor.ProjectPage()) || IsWindowEnabled(editor.ProjectPage()));
             EXPECT_TRUE(IsWindowVisible(editor.Control(IDC_PROJECT_DEFAULT_LANG)));

             editor.DoubleClickItem(items[1]);
             EXPECT_TRUE(Shown(editor.SystemPage()));
             EXPECT_FALSE(IsWindowVisible(editor.SettingsPage()) || IsWindowEnabled(editor.SettingsPage()));
             // The root folds and unfolds; empty space is below the items.
             editor.DoubleClickItem(root);
             editor.DoubleClickItem(root);
             editor.DoubleClickEmptySpace();
             EXPECT_TRUE(Shown(editor.SystemPage())) << "the root and empty space choose no page";
             editor.DoubleClickItem(items[2]);
             EXPECT_TRUE(Shown(editor.ProjectPage()));
             EXPECT_FALSE(IsWindowVisible(editor.SystemPage()));
             // A single click selects but switches nothing.
             SendMessageW(editor.tree.GetSafeHwnd(), TVM_SELECTITEM, TVGN_CARET, LPARAM(items[0]));
             EXPECT_TRUE(Shown(editor.ProjectPage()));
             editor.DoubleClickItem(items[0]);
             EXPECT_TRUE(Shown(editor.SettingsPage()));
             Click(editor.Item(IDOK));
             return true;
         }},
        modified, 1);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(modified, 0);
    EXPECT_FALSE(Rewritten(before));
}

TEST_F(DictionaryEditorTest, WithoutProjectThereIsNoProjectItemAndCancelKeepsTheArgument) {
    int modified = 7;
    const int result = Run({[&] { return editor.Find(); },
                            [&] {
                                const std::vector<HTREEITEM> items = editor.Children(editor.tree.GetRootItem());
                                STEP_REQUIRE(items.size() == 2u);
                                EXPECT_EQ(editor.tree.GetItemText(items[1]), S("System words"));
                                EXPECT_NE(editor.ProjectPage(), nullptr) << "the page exists without a way to it";
                                EXPECT_FALSE(IsWindowVisible(editor.Control(IDC_PROJECT_DEFAULT_LANG)));
                                EXPECT_FALSE(IsWindowVisible(editor.Control(IDC_PROJECT_DEFAULT_LABEL)));
                                Click(editor.Item(IDCANCEL));
                                return true;
                            }},
                           modified, 0);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(modified, 7);
}

TEST_F(DictionaryEditorTest, ChangesAreSavedAfterOkAndKeptInMemoryAfterCancel) {
    // A page's change: a word in the model and the dialog's flag.
    auto change = [&](const char* word) {
        return [&, word] {
            CDictionaryDialog* dialog = editor.Object();
            EXPECT_NE(dialog, nullptr);
            if (!dialog) return true;
            dict.Word(dict.English(), S(word), S("translated"));
            dialog->SetModified();
            return true;
        };
    };
    AgeFile();
    FILETIME before = WriteTime();
    int modified = 7;
    EXPECT_EQ(Run({[&] { return editor.Find(); }, change("取消的词"), [&] { return Click(editor.Item(IDCANCEL)), true; }},
                  modified, 1),
              IDCANCEL);
    EXPECT_EQ(modified, 7);
    EXPECT_FALSE(Rewritten(before));
    EXPECT_NE(dict.English()->FindWord(DICTMODE_SYSTEM, S("取消的词")), nullptr);

    editor.tree.Detach();
    EXPECT_EQ(Run({[&] { return editor.Find(); }, change("保存的词"), [&] { return Click(editor.Item(IDOK)), true; }},
                  modified, 1),
              IDOK);
    EXPECT_EQ(modified, 1);
    EXPECT_TRUE(Rewritten(before));
    CQorDictionaryManager reloaded;
    ASSERT_TRUE(reloaded.Load(path));
    CQorLanguageDict* english = reloaded.Find(kEnglish);
    ASSERT_NE(english, nullptr);
    EXPECT_NE(english->FindWord(DICTMODE_SYSTEM, S("保存的词")), nullptr);
    EXPECT_NE(english->FindWord(DICTMODE_SYSTEM, S("取消的词")), nullptr) << "what Cancel left in memory goes too";
}

TEST_F(DictionaryEditorTest, AFailedSaveIsToldAndTheResultStaysOk) {
    // The file's folder goes away while the editor is open.
    const CString folder = scratch.Path("gone");
    CreateDirectoryW(folder, nullptr);
    const CString inside = folder + L"\\editor.dict";
    ASSERT_TRUE(dict.manager.Save(inside));
    MessageBoxAnswerer answerer;
    int modified = 0;
    const int result = Run({[&] { return editor.Find(); },
                            [&] {
                                DeleteFileW(inside);
                                EXPECT_TRUE(RemoveDirectoryW(folder));
                                dict.Word(dict.English(), S("未保存的词"), S("unsaved"));
                                editor.Object()->SetModified();
                                Click(editor.Item(IDOK));
                                return true;
                            }},
                           modified, 1);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(modified, 1);
    ASSERT_EQ(answerer.boxes.size(), 1u);
    EXPECT_NE(answerer.boxes[0].text.Find(L"editor.dict"), -1) << answerer.boxes[0].text.ToUtf8();
    EXPECT_EQ(answerer.boxes[0].text, dict.manager.GetLastFileError());
    EXPECT_EQ(answerer.boxes[0].caption, S("Warning"));
    EXPECT_EQ(answerer.boxes[0].style, UINT(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_NE(dict.English()->FindWord(DICTMODE_SYSTEM, S("未保存的词")), nullptr) << "nothing is lost in memory";
}

TEST_F(DictionaryEditorTest, WithoutAManagerTheEditorOpensUntranslatedAndSavesNothing) {
    CQorDictManager bare;
    int modified = 3;
    ModalDriver driver({[&] { return editor.Find(); },
                        [&] {
                            EXPECT_EQ(TextOf(editor.dialog), S("多语言字典"));
                            EXPECT_EQ(editor.tree.GetItemText(editor.tree.GetRootItem()), S("字典"));
                            EXPECT_EQ(TextOf(editor.Item(IDOK)), S("确定"));
                            Click(editor.Item(IDOK));
                            return true;
                        }});
    EXPECT_EQ(bare.ShowDictionaryDialog(modified, 1), IDOK);
    EXPECT_TRUE(driver.AllStepsRan());
    EXPECT_EQ(modified, 0);
}

TEST_F(DictionaryEditorTest, OkWithAMissingDefaultLanguageBringsTheSettingsBack) {
    dict.manager.SetEnable(1);
    MessageBoxAnswerer answerer;
    int modified = 0;
    // The project default is not among the languages: with a project the
    // editor refuses OK, without one (flag 2 counts as none here) it does not.
    dict.manager.SetProjectDefaultLanguageLCID(0x0411);
    const int result = Run({[&] { return editor.Find(); },
                            [&] {
                                editor.DoubleClickItem(editor.Children(editor.tree.GetRootItem())[1]);
                                Click(editor.Item(IDOK));
                                EXPECT_TRUE(IsWindow(editor.dialog)) << "the dialog stays open";
                                EXPECT_TRUE(Shown(editor.SettingsPage()));
                                Click(editor.Item(IDCANCEL));
                                return true;
                            }},
                           modified, 1);
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_EQ(answerer.boxes.size(), 1u);
    EXPECT_EQ(answerer.boxes[0].text, S("项目默认语言为空."));
    EXPECT_EQ(answerer.boxes[0].caption, S("Warning"));
    EXPECT_EQ(answerer.boxes[0].style, UINT(MB_OK | MB_ICONEXCLAMATION));

    editor.tree.Detach();
    EXPECT_EQ(Run({[&] { return editor.Find(); }, [&] { return Click(editor.Item(IDOK)), true; }}, modified, 2), IDOK);
    EXPECT_EQ(answerer.boxes.size(), 1u);

    // Without a system language even the caption has nothing to translate with.
    dict.manager.SetSysDefaultLanguageLCID(0x0411);
    editor.tree.Detach();
    EXPECT_EQ(Run({[&] { return editor.Find(); },
                   [&] {
                       Click(editor.Item(IDOK));
                       Click(editor.Item(IDCANCEL));
                       return true;
                   }},
                  modified, 0),
              IDCANCEL);
    ASSERT_EQ(answerer.boxes.size(), 2u);
    EXPECT_EQ(answerer.boxes[1].text, S("系统默认语言为空."));
    EXPECT_EQ(answerer.boxes[1].caption, S("警告"));
}

TEST_F(DictionaryEditorTest, HelpFromEachWindowReachesTheHelpServiceWithItsKey) {
    HelpRecorder help;
    int modified = 0;
    Run({[&] { return editor.Find(); },
         [&] {
             const std::vector<HTREEITEM> items = editor.Children(editor.tree.GetRootItem());
             PressHelpOn(editor.tree.GetSafeHwnd());
             PressHelpOn(editor.Control(IDC_LANGUAGE_LIST));
             editor.DoubleClickItem(items[1]);
             PressHelpOn(GetDlgItem(editor.SystemPage(), IDC_ADD));
             editor.DoubleClickItem(items[2]);
             PressHelpOn(GetDlgItem(editor.ProjectPage(), IDC_DELETE));
             Click(editor.Item(IDCANCEL));
             return true;
         }},
        modified, 1);
    const std::vector<CString> expected = {S("[Dictionary] CDictionaryDialog::OnHelpInfo"),
                                           S("[Dictionary] CDictionaryPage1::OnHelpInfo"),
                                           S("[Dictionary] CDictionaryPage2::OnHelpInfo"),
                                           S("[Dictionary] CDictionaryPage3::OnHelpInfo")};
    EXPECT_EQ(help.keys, expected);
}

TEST_F(DictionaryEditorTest, ResizingAndTheSplitterKeepThePagesInThePageArea) {
    int modified = 0;
    Run({[&] { return editor.Find(); },
         [&] {
             SetWindowPos(editor.dialog, nullptr, 0, 0, 900, 620, SWP_NOMOVE | SWP_NOZORDER);
             const Rect c = ClientOf(editor.dialog);
             EXPECT_EQ(PlaceOf(editor.Item(IDC_DICT_TREE)), (Rect{5, 5, 205, c.bottom - 5}));
             EXPECT_EQ(PlaceOf(editor.Item(IDC_SPLITTER_BAR)), (Rect{206, 5, 211, c.bottom - 5}));
             EXPECT_EQ(PlaceOf(editor.Item(IDC_PAGE_PLACEHOLDER)), (Rect{212, 5, c.right - 5, c.bottom - 35}));
             EXPECT_EQ(PlaceOf(editor.Item(IDCANCEL)), (Rect{c.right - 105, c.bottom - 30, c.right - 5, c.bottom - 5}));
             EXPECT_EQ(PlaceOf(editor.Item(IDOK)), (Rect{c.right - 215, c.bottom - 30, c.right - 115, c.bottom - 5}));
             const Rect area = ClientOf(editor.Item(IDC_PAGE_PLACEHOLDER));
             EXPECT_EQ(PlaceOf(editor.SettingsPage()), area);
             EXPECT_EQ(PlaceOf(editor.ProjectPage()), area);

             // Drag the bar 60 pixels to the right: the loop sees the posted
             // moves and the release.
             HWND bar = editor.Item(IDC_SPLITTER_BAR);
             PostMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(62, 10));
             PostMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(62, 10));
             SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 10));
             return true;
         },
         [&] {
             // The bar's notice to the dialog is posted: wait for the pages.
             const Rect area = ClientOf(editor.Item(IDC_PAGE_PLACEHOLDER));
             if (!(PlaceOf(editor.SystemPage()) == area)) return false;
             EXPECT_EQ(PlaceOf(editor.Item(IDC_SPLITTER_BAR)).left, 266);
             EXPECT_EQ(PlaceOf(editor.Item(IDC_DICT_TREE)).right, 265);
             EXPECT_EQ(PlaceOf(editor.Item(IDC_PAGE_PLACEHOLDER)).left, 272);
             EXPECT_EQ(PlaceOf(editor.SettingsPage()), area);
             EXPECT_EQ(PlaceOf(GetParent(editor.SettingsPage())).right, area.right) << "the stack follows";
             Click(editor.Item(IDCANCEL));
             return true;
         }},
        modified, 1);
}

// Windows of this thread and GDI objects of this process.
struct Handles {
    int windows = 0;
    int gdi = 0;
};

Handles CountHandles() { return {LiveWindowCount(), LiveGdiObjectCount()}; }

TEST(HandleCount, SeesObjectsComeAndGo) {
    // A thread's windows bring the input method's hidden window along while
    // any of them lives.
    HostWindow keeper;
    const Handles before = CountHandles();
    ASSERT_GT(before.gdi, 0);
    std::vector<HBRUSH> brushes;
    for (int i = 0; i < 10; ++i) brushes.push_back(CreateSolidBrush(RGB(i, 0, 0)));
    HWND window = CreateWindowW(L"Static", L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(CountHandles().gdi, before.gdi + 10);
    EXPECT_EQ(CountHandles().windows, before.windows + 1);
    for (HBRUSH brush : brushes) DeleteObject(brush);
    DestroyWindow(window);
    EXPECT_EQ(CountHandles().gdi, before.gdi);
    EXPECT_EQ(CountHandles().windows, before.windows);
}

TEST_F(DictionaryEditorTest, AThousandPageSwitchesLeakNothing) {
    int modified = 0;
    Handles before, after;
    int switches = 0;
    Run({[&] { return editor.Find(); },
         [&] {
             const std::vector<HTREEITEM> items = editor.Children(editor.tree.GetRootItem());
             editor.DoubleClickItem(items[1]);
             editor.DoubleClickItem(items[0]);
             before = CountHandles();
             for (; switches < 1000; ++switches) {
                 editor.DoubleClickItem(items[switches % 3]);
                 if (!Shown(switches % 3 == 0 ? editor.SettingsPage()
                                              : switches % 3 == 1 ? editor.SystemPage() : editor.ProjectPage()))
                     break;
             }
             after = CountHandles();
             Click(editor.Item(IDCANCEL));
             return true;
         }},
        modified, 1);
    EXPECT_EQ(switches, 1000);
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_EQ(after.gdi, before.gdi);
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(DictionaryEditorLanguages, TheEditorShowsItselfInEveryLanguageOfTheSample) {
    CsvRows languages, words;
    std::string error;
    ASSERT_TRUE(ParseCsv(ReadText(QOR_SAMPLE_DIR "/languages.csv"), languages, error)) << error;
    ASSERT_TRUE(ParseCsv(ReadText(QOR_SAMPLE_DIR "/words.csv"), words, error)) << error;
    CQorDictionaryManager manager;
    ASSERT_TRUE(BuildSampleDictionary(languages, words, manager, error)) << error;
    CQorDictManager facade;
    facade.SetDictionaryManager(&manager);

    auto* list = manager.GetLanguageDictList();
    ASSERT_GE(list->GetCount(), 3);
    for (POSITION pos = list->GetHeadPosition(); pos;) {
        CQorLanguageDict* language = list->GetNext(pos);
        manager.SetSysDefaultLanguageLCID(language->GetLanguageID());
        auto shown = [&](const char* original) {
            return manager.GetDisplayCharacter(DICTMODE_SYSTEM, S(original));
        };
        Editor editor;
        int modified = 0;
        ModalDriver driver({[&] { return editor.Find(); },
                            [&] {
                                EXPECT_EQ(TextOf(editor.dialog), shown("多语言字典"));
                                EXPECT_EQ(editor.tree.GetItemText(editor.tree.GetRootItem()), shown("字典"));
                                EXPECT_EQ(TextOf(editor.Item(IDOK)), shown("确定"));
                                EXPECT_EQ(TextOf(editor.Control(IDC_MULTILINGUAL_ENABLE)), shown("多语言启用"));
                                EXPECT_EQ(TextOf(editor.Control(IDC_FIND_WORD)), shown("查询"));
                                Click(editor.Item(IDCANCEL));
                                return true;
                            }});
        EXPECT_EQ(facade.ShowDictionaryDialog(modified, 1), IDCANCEL);
        EXPECT_TRUE(driver.AllStepsRan());
        if (language->GetLanguageID() == 0x0409) {
            EXPECT_EQ(shown("多语言字典"), S("Multilingual Dictionary")) << "the sample translates the editor";
        }
    }
}

TEST(DictionaryEditorFacade, CopiesShareNothingButThePointersTheyWereGiven) {
    TestDictionary dict;
    dict.Word(dict.English(), S("多语言字典"), S("Multilingual Dictionary"));
    auto* first = new CQorDictManager;
    first->SetDictionaryManager(&dict.manager);
    CQorDictManager copy(*first);
    CQorDictManager assigned;
    assigned = *first;
    delete first;  // each facade releases only its own record
    for (CQorDictManager* facade : {&copy, &assigned}) {
        Editor editor;
        int modified = 0;
        ModalDriver driver({[&] { return editor.Find(); },
                            [&] {
                                // Translated: the copy still reaches the manager.
                                EXPECT_EQ(TextOf(editor.dialog), S("Multilingual Dictionary"));
                                editor.Object()->SetModified();
                                Click(editor.Item(IDCANCEL));
                                return true;
                            }});
        EXPECT_EQ(facade->ShowDictionaryDialog(modified, 0), IDCANCEL);
        EXPECT_TRUE(driver.AllStepsRan());
    }
}

}  // namespace
