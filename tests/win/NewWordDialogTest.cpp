// The word properties dialog run modally from the library's template, driven
// step by step from its own message loop; message boxes answered by a hook.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <vector>

#include "HelpRecorder.h"
#include "ModalAnswerer.h"
#include "WinTestSupport.h"
#include "editor/win/NewWordDialog.h"
#include "framework/ModuleState.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryWord.h"
#include "resources/Resource.h"

namespace {

const COleDateTime kLongAgo(2001, 2, 3, 4, 5, 6);

// Each step runs after what the previous one posted has been handled; a run
// that outlives its steps is ended so that a failing test cannot hang.
class DrivenDialog : public CNewWordDialog {
public:
    using CNewWordDialog::CNewWordDialog;
    std::vector<std::function<void(DrivenDialog&)>> steps;
    HWND Item(int id) const { return GetDlgItem(GetSafeHwnd(), id); }
    HWND Edit() const { return Item(IDC_ORIGINAL_STRING); }
    void Type(const wchar_t* text) { ::SetWindowTextW(Edit(), text); }
    void Click(int id) { ::SendMessageW(Item(id), BM_CLICK, 0, 0); }

protected:
    BOOL OnInitDialog() override {
        const BOOL result = CNewWordDialog::OnInitDialog();
        PostMessageW(GetSafeHwnd(), WM_APP, 0, 0);
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_APP) return CNewWordDialog::WindowProc(message, wParam, lParam);
        if (next < steps.size()) {
            steps[next++](*this);
            PostMessageW(GetSafeHwnd(), WM_APP, 0, 0);
        } else {
            ADD_FAILURE() << "the dialog is still open after its last step";
            EndDialog(IDABORT);
        }
        return 0;
    }

private:
    std::size_t next = 0;
};

CQorDictWordElement* AddWord(CQorDictionaryWord& list, const wchar_t* original) {
    auto* entry = new CQorDictWordElement;
    entry->SetOriginalCharacter(original);
    if (!list.AddWord(entry)) delete entry;
    return list.FindWord(original);
}

// A new entry as the word pages make one.
struct NewEntry {
    NewEntry() {
        entry.SetOriginalCharacter(L"New string");
        entry.SetDisplayCharacter(L"保持");
        entry.SetUpdateDateTime(kLongAgo);
    }
    CQorDictWordElement entry;
};

// Makes the host's module the current resource module for one test.
struct HostResources {
    HostResources() : saved(AfxGetModuleState()->m_hCurrentResourceHandle) {
        AfxGetModuleState()->m_hCurrentResourceHandle = GetModuleHandleW(nullptr);
    }
    ~HostResources() { AfxGetModuleState()->m_hCurrentResourceHandle = saved; }
    HINSTANCE saved;
};

DWORD SelectionOf(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, WPARAM(&start), LPARAM(&end));
    return MAKELONG(start, end);
}

}  // namespace

TEST(NewWordDialog, OpensFromTheLibraryWithTheEntryAndOkNamesAndStampsIt) {
    HostResources hostResources;
    CQorDictionaryWord list;
    AddWord(list, L"Motor speed");
    NewEntry n;
    DrivenDialog dialog;
    dialog.m_pWordList = &list;
    dialog.m_pEntry = &n.entry;
    CString caption, shown;
    bool editFocused = false;
    dialog.steps = {[&](DrivenDialog& d) {
        caption = TextOf(d.GetSafeHwnd());
        shown = TextOf(d.Edit());
        editFocused = GetFocus() == d.Edit();
        d.Type(L"Motor speed limit");
        d.Click(IDOK);
    }};
    const COleDateTime before = COleDateTime::GetCurrentTime();
    EXPECT_EQ(dialog.DoModal(), IDOK);
    const COleDateTime after = COleDateTime::GetCurrentTime();
    EXPECT_EQ(caption, CString(L"单词属性")) << "the library's template, not the host's";
    EXPECT_EQ(AfxGetModuleState()->m_hCurrentResourceHandle, GetModuleHandleW(nullptr)) << "restored after the run";
    EXPECT_EQ(shown, CString(L"New string"));
    EXPECT_TRUE(editFocused);
    EXPECT_EQ(n.entry.GetOriginalCharacter(), CString(L"Motor speed limit"));
    EXPECT_EQ(n.entry.GetDisplayCharacter(), CString(L"保持"));
    EXPECT_GE(n.entry.GetUpdateDateTime().GetValue(), before.GetValue());
    EXPECT_LE(n.entry.GetUpdateDateTime().GetValue(), after.GetValue());
    EXPECT_EQ(list.FindWord(L"Motor speed limit"), nullptr) << "adding it is the caller's task";
}

TEST(NewWordDialog, EmptyAndKnownTextsAreRefusedWithTheEditFocusedAndSelected) {
    CQorDictionaryWord list;
    AddWord(list, L"NEW STRING");
    AddWord(list, L"Motor Speed");
    NewEntry n;
    MessageBoxAnswerer answerer;
    DrivenDialog dialog;
    dialog.m_pWordList = &list;
    dialog.m_pEntry = &n.entry;
    std::vector<bool> focused;
    std::vector<DWORD> selections;
    auto press = [&](DrivenDialog& d, const wchar_t* text) {
        if (text) d.Type(text);
        SetFocus(d.Item(IDCANCEL));
        d.Click(IDOK);
        focused.push_back(GetFocus() == d.Edit());
        selections.push_back(SelectionOf(d.Edit()));
    };
    dialog.steps = {
        [&](DrivenDialog& d) { press(d, nullptr); },  // "New string" as opened
        [&](DrivenDialog& d) { press(d, L""); },
        [&](DrivenDialog& d) { press(d, L"MOTOR speed"); },
        [&](DrivenDialog& d) {
            d.Type(L"  ");
            d.Click(IDOK);
        },
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(answerer.boxes.size(), 3u);
    EXPECT_EQ(answerer.boxes[0].text, CString(L"错误，对象'New string'已经存在."));
    EXPECT_EQ(answerer.boxes[1].text, CString(L"对象不能为空。"));
    EXPECT_EQ(answerer.boxes[2].text, CString(L"错误，对象'MOTOR speed'已经存在."));
    for (const auto& box : answerer.boxes) {
        EXPECT_EQ(box.caption, CString(L"警告"));
        EXPECT_EQ(box.style, UINT(MB_OK | MB_ICONEXCLAMATION));
    }
    EXPECT_EQ(focused, (std::vector<bool>{true, true, true}));
    ASSERT_EQ(selections.size(), 3u);
    EXPECT_EQ(selections[0], DWORD(MAKELONG(0, 10))) << "all of \"New string\"";
    EXPECT_EQ(selections[2], DWORD(MAKELONG(0, 11)));
    EXPECT_EQ(n.entry.GetOriginalCharacter(), CString(L"  ")) << "blanks are text";
}

TEST(NewWordDialog, WithoutAWordListOnlyEmptinessIsRefusedAndTheEntryIsKept) {
    NewEntry n;
    MessageBoxAnswerer answerer;
    DrivenDialog dialog;
    dialog.m_pEntry = &n.entry;
    dialog.steps = {
        [](DrivenDialog& d) {
            d.Type(L"");
            d.Click(IDOK);
        },
        [](DrivenDialog& d) {
            d.Type(L"Anything");
            d.Click(IDOK);
        },
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(answerer.boxes.size(), 1u);
    EXPECT_EQ(answerer.boxes[0].text, CString(L"对象不能为空。"));
    EXPECT_EQ(dialog.m_strOriginal, CString(L"Anything"));
    EXPECT_EQ(n.entry.GetOriginalCharacter(), CString(L"New string"));
    EXPECT_EQ(n.entry.GetUpdateDateTime(), kLongAgo);
}

TEST(NewWordDialog, EnterInTheEditStartsANewLineInsteadOfPressingOk) {
    CQorDictionaryWord list;
    AddWord(list, L"New string");  // the whole text counts, line breaks included
    NewEntry n;
    DrivenDialog dialog;
    dialog.m_pWordList = &list;
    dialog.m_pEntry = &n.entry;
    dialog.steps = {
        [](DrivenDialog& d) {
            SetFocus(d.Edit());
            ::SendMessageW(d.Edit(), EM_SETSEL, 10, 10);
            PostMessageW(d.Edit(), WM_KEYDOWN, VK_RETURN, 1);  // through the modal loop's key handling
        },
        [](DrivenDialog&) {},  // the character the key made
        [](DrivenDialog& d) {
            ::SendMessageW(d.Edit(), EM_REPLACESEL, FALSE, LPARAM(L"second"));
            d.Click(IDOK);
        },
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(n.entry.GetOriginalCharacter(), CString(L"New string\r\nsecond"));
}

TEST(NewWordDialog, TranslatesItsLabelsAndMessagesButNotTheUserTextAndCancelKeepsTheEntry) {
    TestDictionary dict;
    for (const auto& pair : {std::pair<const wchar_t*, const wchar_t*>{L"单词属性", L"Word properties"},
                             {L"确定", L"OK"},
                             {L"New string", L"Neue Zeichenkette"},
                             {L"对象不能为空。", L"The object must not be empty."},
                             {L"警告", L"Warning"},
                             {L"错误，对象'%s'已经存在.", L"'%s' exists, 100%% (%x)"}})
        dict.Word(dict.English(), pair.first, pair.second);
    CQorDictionaryWord list;
    AddWord(list, L"Known");
    NewEntry n;
    MessageBoxAnswerer answerer;
    HelpRecorder help;
    DrivenDialog dialog;
    dialog.m_pWordList = &list;
    dialog.m_pEntry = &n.entry;
    dialog.m_pManager = &dict.manager;
    CString caption, ok, shown;
    dialog.steps = {
        [&](DrivenDialog& d) {
            caption = TextOf(d.GetSafeHwnd());
            ok = TextOf(d.Item(IDOK));
            shown = TextOf(d.Edit());
            PressHelpOn(d.Edit());
            d.Type(L"");
            d.Click(IDOK);
            d.Type(L"KNOWN");
            d.Click(IDOK);
            d.Click(IDCANCEL);
        },
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(caption, CString(L"Word properties"));
    EXPECT_EQ(ok, CString(L"OK"));
    EXPECT_EQ(shown, CString(L"New string")) << "the edit holds data, not a label";
    ASSERT_EQ(answerer.boxes.size(), 2u);
    EXPECT_EQ(answerer.boxes[0].text, CString(L"The object must not be empty."));
    EXPECT_EQ(answerer.boxes[0].caption, CString(L"Warning"));
    EXPECT_EQ(answerer.boxes[1].text, CString(L"'KNOWN' exists, 100% (%x)"))
        << "a translated message is no format string: nothing but %s and %% is read";
    EXPECT_EQ(n.entry.GetOriginalCharacter(), CString(L"New string"));
    EXPECT_EQ(n.entry.GetUpdateDateTime(), kLongAgo);
    EXPECT_EQ(help.keys, std::vector<CString>{CString(L"[Dictionary] CNewWordDialog::OnHelpInfo")});
}
