// The language dialog run modally from the library's template and driven
// from inside its loop by control ID; message boxes answered by a hook.
#include <gtest/gtest.h>

#include <windows.h>

#include "HelpRecorder.h"
#include "ModalAnswerer.h"
#include "ModalDriver.h"
#include "WinTestSupport.h"
#include "editor/win/LanguageDialog.h"
#include "model/QorLanguageDict.h"
#include "resources/Resource.h"

namespace {

CString S(const char* utf8) { return CString::FromUtf8(utf8); }

struct LanguageDialogRun {
    HWND dialog = nullptr;
    HWND Item(int id) const { return GetDlgItem(dialog, id); }
    bool Find() { return (dialog = FindTopLevelWithControl(IDC_LANG_HEX_ID)) != nullptr; }
    void Type(const wchar_t* text) {
        SetFocus(Item(IDC_LANG_ID));
        SetWindowTextW(Item(IDC_LANG_ID), text);
    }
    void LeaveIdField() { SetFocus(Item(IDCANCEL)); }
    bool IdReadOnly() const { return (GetWindowLongW(Item(IDC_LANG_ID), GWL_STYLE) & ES_READONLY) != 0; }
};

class LanguageDialogTest : public ::testing::Test {
protected:
    CQorLanguageDict* Add(DWORD id) {
        auto* language = new CQorLanguageDict;
        language->SetLanguageID(id);
        EXPECT_TRUE(dict.manager.Add(language));
        return language;
    }
    INT_PTR Run(CQorLanguageDict* language, std::vector<ModalDriver::Step> steps) {
        CLanguageDialog dialog;
        dialog.m_pLanguage = language;
        dialog.m_pManager = &dict.manager;
        ModalDriver driver(std::move(steps));
        const INT_PTR result = dialog.DoModal();
        EXPECT_TRUE(driver.AllStepsRan());
        return result;
    }

    TestDictionary dict;  // English and German
    LanguageDialogRun run;
    MessageBoxAnswerer answerer;
};

TEST_F(LanguageDialogTest, ABuiltInLanguageShowsItsIdReadOnlyAndOkKeepsIt) {
    CQorLanguageDict* chinese = Add(2052);
    CString hex, name;
    bool readOnly = false;
    EXPECT_EQ(Run(chinese, {[&] { return run.Find(); },
                            [&] {
                                hex = TextOf(run.Item(IDC_LANG_HEX_ID));
                                name = TextOf(run.Item(IDC_LANG_NAME));
                                readOnly = run.IdReadOnly();
                                Click(run.Item(IDOK));
                                return true;
                            }}),
              IDOK);
    EXPECT_EQ(hex, S("0x0804"));
    EXPECT_EQ(name, S("zh-CN"));
    EXPECT_TRUE(readOnly);
    EXPECT_EQ(chinese->GetLanguageID(), 2052u);
    EXPECT_TRUE(answerer.boxes.empty());
}

TEST_F(LanguageDialogTest, TheHexFollowsTypingTheNamesFollowLeavingAndATakenIdIsRefused) {
    CQorLanguageDict fresh;  // a new language, not in the dictionary yet
    fresh.SetLanguageID(2048);
    CString nameBefore, hexWhileTyping, nameWhileTyping, nameAfterLeaving;
    bool readOnly = true;
    HWND focusAfterRefusal = nullptr, idField = nullptr;
    DWORD selectionStart = 1, selectionEnd = 0;
    EXPECT_EQ(Run(&fresh, {[&] { return run.Find(); },
                           [&] {
                               readOnly = run.IdReadOnly();
                               nameBefore = TextOf(run.Item(IDC_LANG_NAME));
                               run.Type(L"1031");  // German, which the dictionary has
                               hexWhileTyping = TextOf(run.Item(IDC_LANG_HEX_ID));
                               nameWhileTyping = TextOf(run.Item(IDC_LANG_NAME));
                               run.LeaveIdField();
                               nameAfterLeaving = TextOf(run.Item(IDC_LANG_NAME));
                               Click(run.Item(IDOK));
                               focusAfterRefusal = GetFocus();
                               idField = run.Item(IDC_LANG_ID);
                               SendMessageW(run.Item(IDC_LANG_ID), EM_GETSEL, WPARAM(&selectionStart),
                                            LPARAM(&selectionEnd));
                               run.Type(L"1036");
                               Click(run.Item(IDOK));
                               return true;
                           }}),
              IDOK);
    EXPECT_FALSE(readOnly);
    EXPECT_EQ(hexWhileTyping, S("0x0407"));
    EXPECT_EQ(nameWhileTyping, nameBefore) << "the names wait until the field is left";
    EXPECT_NE(nameBefore, S("de-DE"));
    EXPECT_EQ(nameAfterLeaving, S("de-DE"));
    ASSERT_EQ(answerer.boxes.size(), 1u);
    EXPECT_EQ(answerer.boxes[0].text, S("错误，语言ID '1031'已经存在."));
    EXPECT_EQ(answerer.boxes[0].caption, S("警告"));
    EXPECT_EQ(answerer.boxes[0].style, UINT(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(focusAfterRefusal, idField);
    EXPECT_EQ(selectionStart, 0u);
    EXPECT_EQ(selectionEnd, 4u);
    EXPECT_EQ(fresh.GetLanguageID(), 1036u);
}

TEST_F(LanguageDialogTest, KeepingTheIdIsNoClashAndATextThatIsNoNumberIsRefusedOnlyAtOk) {
    CQorLanguageDict* english = dict.English();  // 1033, not built in
    EXPECT_EQ(Run(english, {[&] { return run.Find(); },
                            [&] {
                                run.Type(L"");
                                run.Type(L"abc");
                                EXPECT_TRUE(answerer.boxes.empty()) << "typing is never interrupted";
                                Click(run.Item(IDOK));
                                EXPECT_TRUE(IsWindow(run.dialog));
                                run.Type(L"1031");
                                run.Type(L"1033");  // back to its own ID
                                Click(run.Item(IDOK));
                                return true;
                            }}),
              IDOK);
    ASSERT_EQ(answerer.boxes.size(), 1u) << "one refusal for the text, none for the own ID";
    EXPECT_EQ(answerer.boxes[0].text, S("请输入一个非负整数。"));
    EXPECT_EQ(english->GetLanguageID(), 1033u);
}

TEST_F(LanguageDialogTest, LabelsAreTranslatedDataIsNotAndHelpHasItsKey) {
    dict.Word(dict.English(), S("语言属性"), S("Language"));
    dict.Word(dict.English(), S("字体"), S("Font"));
    dict.Word(dict.English(), S("de-DE"), S("must stay"));
    dict.Word(dict.English(), S("Deutsch"), S("German"));
    HelpRecorder help;
    CString caption, idName, nativeName;
    EXPECT_EQ(Run(dict.German(), {[&] { return run.Find(); },
                                  [&] {
                                      caption = TextOf(run.dialog);
                                      idName = TextOf(run.Item(IDC_LANG_NAME));
                                      nativeName = TextOf(run.Item(IDC_LANG_NATIVE_NAME));
                                      PressHelpOn(run.Item(IDC_LANG_HEX_ID));
                                      Click(run.Item(IDCANCEL));
                                      return true;
                                  }}),
              IDCANCEL);
    EXPECT_EQ(caption, S("Language"));
    EXPECT_EQ(idName, S("de-DE"));
    EXPECT_EQ(nativeName, S("German")) << "the native-name field is relabelled like any text";
    EXPECT_EQ(help.keys, std::vector<CString>{S("[Dictionary] CLanguageDialog::OnHelpInfo")});
}

}  // namespace
