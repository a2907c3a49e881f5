// Dialogs of the framework, driven as a user would: by control ID, with keys
// through the modal loop, message boxes answered by a hook.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "DialogTemplate.h"
#include "ModalAnswerer.h"
#include "WinTestSupport.h"
#include "framework/DataExchange.h"
#include "framework/Dialog.h"

namespace {

enum { kName = 10, kCount = 11, kCheck = 12, kChoice = 13, kId = 14, kInnerEdit = 20 };

DialogTemplate FormTemplate() {
    DialogTemplate t(L"表单", 200, 120);
    t.Add(0x0081, L"", kName, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 5, 5, 100, 12);
    t.Add(0x0081, L"", kCount, WS_TABSTOP | WS_BORDER, 5, 20, 100, 12);
    t.Add(0x0080, L"选", kCheck, WS_TABSTOP | BS_AUTOCHECKBOX, 5, 35, 100, 12);
    t.Add(0x0085, L"", kChoice, WS_TABSTOP | CBS_DROPDOWNLIST, 5, 50, 100, 60);
    t.Add(0x0081, L"", kId, WS_TABSTOP | WS_BORDER, 5, 65, 100, 12);
    t.Add(0x0080, L"确定", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, 80, 100, 50, 14);
    t.Add(0x0080, L"取消", IDCANCEL, WS_TABSTOP, 140, 100, 50, 14);
    return t;
}

// A dialog whose test steps run one after the other from its own message
// loop, each after what the previous one posted has been processed.
class FormDialog : public CDialog {
public:
    using CDialog::CDialog;
    CString name = L"初始";
    int count = 7;
    int checked = 1;
    int choice = 1;
    DWORD id = 2052;
    std::vector<std::function<void(FormDialog&)>> steps;
    const DLGTEMPLATE* innerTemplate = nullptr;
    CDialog* inner = nullptr;

    HWND Item(int control) const { return GetDlgItem(GetSafeHwnd(), control); }

protected:
    BOOL OnInitDialog() override {
        for (const wchar_t* entry : {L"甲", L"乙", L"丙"}) ::SendMessageW(Item(kChoice), CB_ADDSTRING, 0, LPARAM(entry));
        if (innerTemplate) {
            inner = new CDialog(innerTemplate, this);
            inner->Create();
        }
        CDialog::OnInitDialog();
        PostMessageW(GetSafeHwnd(), WM_APP, 0, 0);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, kName, name);
        DDX_Text(pDX, kCount, count);
        DDX_Check(pDX, kCheck, checked);
        DDX_CBIndex(pDX, kChoice, choice);
        DDX_Text(pDX, kId, id);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP && next < steps.size()) {
            steps[next++](*this);
            PostMessageW(GetSafeHwnd(), WM_APP, 0, 0);
            return 0;
        }
        if (message == WM_DESTROY) delete inner;
        return CDialog::WindowProc(message, wParam, lParam);
    }

private:
    std::size_t next = 0;
};

void Key(HWND window, UINT key) { PostMessageW(window, WM_KEYDOWN, key, 1); }
void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

}  // namespace

TEST(Dialog, ModalRunDisablesTheOwnerExchangesDataAndEndsOnEnter) {
    HostWindow owner;
    DialogTemplate form = FormTemplate();
    FormDialog dialog(form.Get(), &owner);
    bool ownerDisabled = false;
    CString shownName, shownCount;
    dialog.steps = {
        [&](FormDialog& d) {
            ownerDisabled = !IsWindowEnabled(owner.GetSafeHwnd());
            shownName = TextOf(d.Item(kName));
            shownCount = TextOf(d.Item(kCount));
            EXPECT_EQ(SendMessageW(d.Item(kCheck), BM_GETCHECK, 0, 0), BST_CHECKED);
            EXPECT_EQ(SendMessageW(d.Item(kChoice), CB_GETCURSEL, 0, 0), 1);
            SetWindowTextW(d.Item(kName), L"新名字");
            SetWindowTextW(d.Item(kCount), L" -42 ");
            SetWindowTextW(d.Item(kId), L"1033");
            Click(d.Item(kCheck));
            SendMessageW(d.Item(kChoice), CB_SETCURSEL, 2, 0);
            SetFocus(d.Item(kName));
            Key(d.Item(kName), VK_RETURN);  // the default button, through the loop's key handling
        },
        [&](FormDialog&) { ADD_FAILURE() << "Enter did not end the dialog"; },
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner.GetSafeHwnd()));
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr) << "the window goes when the run ends";
    EXPECT_EQ(shownName, CString(L"初始"));
    EXPECT_EQ(shownCount, CString(L"7"));
    EXPECT_EQ(dialog.name, CString(L"新名字"));
    EXPECT_EQ(dialog.count, -42);
    EXPECT_EQ(dialog.checked, 0);
    EXPECT_EQ(dialog.choice, 2);
    EXPECT_EQ(dialog.id, 1033u);
}

TEST(Dialog, RefusedNumberKeepsTheDialogOpenWithTheFieldSelected) {
    DialogTemplate form = FormTemplate();
    FormDialog dialog(form.Get());
    MessageBoxAnswerer answerer;
    HWND focusAfterRefusal = nullptr, countEdit = nullptr;
    DWORD selection = 0;
    dialog.steps = {
        [&](FormDialog& d) {
            SetWindowTextW(d.Item(kName), L"留下");
            SetWindowTextW(d.Item(kCount), L"12x");
            Click(d.Item(IDOK));
            focusAfterRefusal = GetFocus();
            countEdit = d.Item(kCount);
            selection = DWORD(SendMessageW(d.Item(kCount), EM_GETSEL, 0, 0));
            SetWindowTextW(d.Item(kCount), L"12");
            SetWindowTextW(d.Item(kId), L"-1");  // no sign for an unsigned field
            Click(d.Item(IDOK));
            SetWindowTextW(d.Item(kId), L"4294967295");
            Click(d.Item(IDOK));
        },
        [&](FormDialog&) { ADD_FAILURE() << "OK did not end the dialog"; },
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(answerer.boxes.size(), 2u);
    EXPECT_EQ(answerer.boxes[0].text, CString(L"请输入一个整数。"));
    EXPECT_EQ(answerer.boxes[0].caption, CString(L"表单"));
    EXPECT_EQ(answerer.boxes[0].style, UINT(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(answerer.boxes[1].text, CString(L"请输入一个非负整数。"));
    EXPECT_EQ(focusAfterRefusal, countEdit);
    EXPECT_EQ(LOWORD(selection), 0);
    EXPECT_EQ(HIWORD(selection), 3) << "the refused text is selected";
    EXPECT_EQ(dialog.count, 12);
    EXPECT_EQ(dialog.id, 4294967295u);
    EXPECT_EQ(dialog.name, CString(L"留下"));
}

TEST(Dialog, EscapeCancelsAndTabReachesTheControlsOfANestedDialog) {
    DialogTemplate form = FormTemplate();
    DialogTemplate innerForm(L"", 60, 20);
    innerForm.SetStyle(WS_CHILD | WS_VISIBLE | DS_CONTROL);
    innerForm.Add(0x0081, L"", kInnerEdit, WS_TABSTOP | WS_BORDER, 0, 0, 50, 12);
    FormDialog dialog(form.Get());
    dialog.innerTemplate = innerForm.Get();
    std::vector<int> focusedIds;
    auto recordFocus = [&](FormDialog&) { focusedIds.push_back(GetDlgCtrlID(GetFocus())); };
    dialog.steps = {
        [&](FormDialog& d) {
            ASSERT_NE(d.inner, nullptr);
            ASSERT_NE(d.inner->GetSafeHwnd(), nullptr);
            SetFocus(d.Item(IDCANCEL));
            Key(GetFocus(), VK_TAB);
        },
        recordFocus,
        [&](FormDialog&) { Key(GetFocus(), VK_ESCAPE); },
        [&](FormDialog&) { ADD_FAILURE() << "Escape did not cancel"; },
    };
    dialog.name = L"不变";
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(focusedIds, std::vector<int>{kInnerEdit});
    EXPECT_EQ(dialog.name, CString(L"不变")) << "Cancel reads nothing back";
}
