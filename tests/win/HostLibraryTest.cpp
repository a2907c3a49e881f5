#include <gtest/gtest.h>
#include <windows.h>

#include "TestSupport.h"
#include "host/COleVariant.h"
#include "host/HtmlHelpLoader.h"
#include "host/QorHelper.h"
#include "host/QorUtility.h"

namespace {

const wchar_t kTestKey[] = L"Software\\QorDictionaryTests\\HelpControl";

// A registry key under HKEY_CURRENT_USER that the test owns and removes.
class TestControlKey {
public:
    TestControlKey(DWORD type, const wchar_t* value) {
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
        RegSetValueExW(key, nullptr, 0, type, reinterpret_cast<const BYTE*>(value),
                       DWORD((wcslen(value) + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    ~TestControlKey() { RegDeleteKeyW(HKEY_CURRENT_USER, kTestKey); }
};

}  // namespace

TEST(HelpService, BuiltInTableNamesEveryEditorTopic) {
    CQorHelperExpert* expert = CQorHelper::Instance().GetHelperExpert();
    ASSERT_EQ(expert, CQorHelper::Instance().GetHelperExpert());
    const char* keys[] = {"[Dictionary] CDictionaryDialog::OnHelpInfo", "[Dictionary] CDictionaryPage1::OnHelpInfo",
                          "[Dictionary] CDictionaryPage2::OnHelpInfo", "[Dictionary] CDictionaryPage3::OnHelpInfo",
                          "[Dictionary] CLanguageDialog::OnHelpInfo",  "[Dictionary] CNewWordDialog::OnHelpInfo"};
    DWORD expected = 24100;
    for (const char* key : keys) EXPECT_EQ(expert->FindHelperID(S(key)), expected++) << key;
    EXPECT_EQ(expert->FindHelperID(S("[Dictionary] Unknown::OnHelpInfo")), 0u);
    EXPECT_EQ(expert->FindHelperID(S("[dictionary] CNewWordDialog::OnHelpInfo")), 0u);  // keys match exactly
}

TEST(HelpService, HostTableReplacesAndAdds) {
    CQorHelperExpert expert;
    EXPECT_EQ(expert.LoadTopics(S("# comment\r\n10 [A] One\r\n0x20\t[B] Two words \n\n  30   [C] 中文\n")), 3);
    EXPECT_EQ(expert.FindHelperID(S("[A] One")), 10u);
    EXPECT_EQ(expert.FindHelperID(S("[B] Two words")), 32u);
    EXPECT_EQ(expert.FindHelperID(S("[C] 中文")), 30u);
    // Malformed lines are skipped; the rest of the table still counts.
    EXPECT_EQ(expert.LoadTopics(S("x1 [D] Bad\n40\n41x [E] Bad\n11 [A] One\n")), 1);
    EXPECT_EQ(expert.FindHelperID(S("[A] One")), 11u);
    EXPECT_EQ(expert.FindHelperID(S("[D] Bad")), 0u);
    expert.RemoveAll();
    EXPECT_EQ(expert.FindHelperID(S("[B] Two words")), 0u);
}

TEST(HelpService, HostTableFile) {
    ScratchDir dir;
    CString path = dir.Path("HelpTopics.txt");
    const std::string table = "\xEF\xBB\xBF" "7 [Dictionary] CLanguageDialog::OnHelpInfo\r\n# host numbering\r\n";
    WriteBytes(path, std::vector<unsigned char>(table.begin(), table.end()));
    CQorHelperExpert expert;
    EXPECT_EQ(expert.LoadTopicsFile(path), 1);
    EXPECT_EQ(expert.FindHelperID(S("[Dictionary] CLanguageDialog::OnHelpInfo")), 7u);
    EXPECT_EQ(expert.LoadTopicsFile(dir.Path("missing.txt")), -1);
    EXPECT_EQ(expert.FindHelperID(S("[Dictionary] CLanguageDialog::OnHelpInfo")), 7u);
}

TEST(HtmlHelpLoader, MissingControlIsANoOpAndNotRetried) {
    CHtmlHelpLoader loader(HKEY_CURRENT_USER, L"Software\\QorDictionaryTests\\NoSuchKey", L"qor-no-such-control.ocx");
    EXPECT_EQ(loader.ControlPath(), S("qor-no-such-control.ocx"));
    EXPECT_EQ(loader.Call(nullptr, L"x.chm", 15, 1), nullptr);
    EXPECT_EQ(loader.Call(nullptr, L"x.chm", 15, 1), nullptr);
    EXPECT_EQ(loader.LoadAttempts(), 1);
    EXPECT_FALSE(loader.HasFunction());
}

TEST(HtmlHelpLoader, ControlWithoutExport15IsANoOp) {
    // msimg32 exports only a handful of functions.
    HMODULE probe = LoadLibraryW(L"msimg32.dll");
    ASSERT_NE(probe, nullptr);
    ASSERT_EQ(GetProcAddress(probe, MAKEINTRESOURCEA(15)), nullptr);
    FreeLibrary(probe);

    TestControlKey key(REG_SZ, L"msimg32.dll");
    CHtmlHelpLoader loader(HKEY_CURRENT_USER, kTestKey, L"qor-no-such-control.ocx");
    EXPECT_EQ(loader.ControlPath(), S("msimg32.dll"));
    EXPECT_EQ(loader.Call(nullptr, L"x.chm", 15, 1), nullptr);
    EXPECT_EQ(loader.Call(nullptr, L"x.chm", 15, 1), nullptr);
    EXPECT_FALSE(loader.HasFunction());
    EXPECT_EQ(loader.LoadAttempts(), 1);
}

TEST(HtmlHelpLoader, RegistryPathIsExpandedOnlyWhenExpandable) {
    SetEnvironmentVariableW(L"QOR_HELP_TEST_DIR", L"C:\\HelpControls");
    {
        TestControlKey key(REG_EXPAND_SZ, L"%QOR_HELP_TEST_DIR%\\hh.ocx");
        EXPECT_EQ(CHtmlHelpLoader(HKEY_CURRENT_USER, kTestKey, L"f.ocx").ControlPath(), S("C:\\HelpControls\\hh.ocx"));
    }
    {
        TestControlKey key(REG_SZ, L"%QOR_HELP_TEST_DIR%\\hh.ocx");
        EXPECT_EQ(CHtmlHelpLoader(HKEY_CURRENT_USER, kTestKey, L"f.ocx").ControlPath(), S("%QOR_HELP_TEST_DIR%\\hh.ocx"));
    }
    {
        TestControlKey key(REG_SZ, L"");
        EXPECT_EQ(CHtmlHelpLoader(HKEY_CURRENT_USER, kTestKey, L"f.ocx").ControlPath(), S("f.ocx"));
    }
    // The platform's control is registered under its class ID.
    CString platform = CHtmlHelpLoader::Platform().ControlPath();
    platform.MakeLower();
    EXPECT_EQ(platform.Right(10), S("hhctrl.ocx"));
}

TEST(Utility, ModuleFoldersAndHelpFile) {
    CString modules = CQorUtility::GetModulePath();
    CString upper = CQorUtility::GetModuleUpperLevelPath();
    ASSERT_FALSE(modules.IsEmpty());
    EXPECT_NE(modules.Right(1), S("\\"));
    EXPECT_EQ(GetFileAttributesW(modules + L"\\win_tests.exe") != INVALID_FILE_ATTRIBUTES, true);
    EXPECT_EQ(modules.Left(upper.GetLength() + 1), upper + L"\\");
    EXPECT_EQ(modules.Mid(upper.GetLength() + 1).Find(L'\\'), -1);
    EXPECT_EQ(CQorUtility::GetHelpFile(), modules + L"\\Help\\QorHelp.chm");
}

TEST(Utility, VarToStrGivesCellTexts) {
    EXPECT_EQ(CQorUtility::VarToStr(COleVariant()), S(""));
    COleVariant null;
    null.vt = VT_NULL;
    EXPECT_EQ(CQorUtility::VarToStr(null), S(""));
    EXPECT_EQ(CQorUtility::VarToStr(COleVariant(L"文件(&F)")), S("文件(&F)"));
    EXPECT_EQ(CQorUtility::VarToStr(COleVariant(1033.0)), S("1033"));
    EXPECT_EQ(CQorUtility::VarToStr(COleVariant(0.5)), S("0.5"));
    EXPECT_EQ(CQorUtility::VarToStr(COleVariant(-7L)), S("-7"));
    COleVariant error;
    error.vt = VT_ERROR;
    error.scode = DISP_E_PARAMNOTFOUND;
    EXPECT_EQ(CQorUtility::VarToStr(error), S(""));

    // Copies own their own text.
    COleVariant original(L"abc");
    COleVariant copy(original);
    original = COleVariant(L"xyz");
    EXPECT_EQ(CQorUtility::VarToStr(copy), S("abc"));
}

TEST(HtmlHelpLoader, PlatformControlProvidesHtmlHelp) {
    // The whole help road on the platform's own control: the key's topic, the
    // help file (absent here) and HtmlHelpW found as export 15. The request
    // counts as handled even though no help can be shown.
    EXPECT_EQ(QorShowHelpTopic(S("[Dictionary] CNewWordDialog::OnHelpInfo")), 1);
    EXPECT_TRUE(CHtmlHelpLoader::Platform().HasFunction());
    EXPECT_EQ(QorShowHelpTopic(S("[Dictionary] CDictionaryDialog::OnHelpInfo")), 1);
    EXPECT_EQ(CHtmlHelpLoader::Platform().LoadAttempts(), 1);
}
