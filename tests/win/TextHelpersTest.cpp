#include <gtest/gtest.h>
#include <windows.h>

#include "DialogTemplate.h"
#include "TestSupport.h"
#include "framework/Wnd.h"
#include "framework/ModuleState.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorLanguageDict.h"
#include "resources/DictionaryApp.h"
#include "resources/Resource.h"
#include "translate/DLLLocalResource.h"
#include "translate/TextHelpers.h"

namespace {

const DWORD kEnglish = 0x0409;

void AddTranslation(CQorLanguageDict* language, const char* original, const char* display) {
    auto* entry = new CQorDictWordElement;
    entry->SetOriginalCharacter(S(original));
    entry->SetDisplayCharacter(S(display));
    if (!language->AddWord(DICTMODE_SYSTEM, entry)) delete entry;
}

CQorLanguageDict* AddLanguage(CQorDictionaryManager& manager, DWORD lcid) {
    auto* language = new CQorLanguageDict;
    language->SetLanguageID(lcid);
    language->SetEnable(1);
    EXPECT_EQ(manager.Add(language), 1);
    return language;
}

HINSTANCE Module() { return QorGetModuleResourceHandle(); }

}  // namespace

TEST(ModuleStrings, StartUpRecordsTheLibraryAsResourceModule) {
    ASSERT_NE(Module(), nullptr);
    EXPECT_EQ(Module(), GetModuleHandleW(L"QorDictionary.dll"));
}

TEST(ModuleStrings, TextsLoadExactly) {
    struct Expected {
        UINT id;
        const char* text;
    };
    const Expected expected[] = {
        {IDS_DICTIONARY, "字典"},
        {IDS_WARNING, "警告"},
        {IDS_COL_ORIGINAL, "原始字符串"},
        {IDS_LANG_THAI, "泰语"},
        {IDS_LANG_PORTUGUESE_BR, "葡萄牙语 (巴西)"},
        {IDS_LANG_ARABIC, "阿拉伯语"},
        {IDS_FONT_TIMES_NEW_ROMAN, "Times New Roman"},
        {IDS_CONFIRM_DELETE_COUNT, "确认要删除%d个对象吗 ?"},
        {IDS_OBJECT_EXISTS, "错误，对象'%s'已经存在."},
        {IDS_IMPORTING_ITEM, "正在导入 '%1' ..."},
        {IDS_EXPORT_DONE, "导出完成。"},
        {IDS_COL_REGION_NAME, "区域名称"},
    };
    for (const Expected& e : expected) EXPECT_EQ(LoadModuleString(Module(), e.id), S(e.text)) << e.id;
    for (UINT id = 24000; id <= 24050; ++id) EXPECT_FALSE(LoadModuleString(Module(), id).IsEmpty()) << id;
    EXPECT_EQ(LoadModuleString(Module(), 24087), S(""));
    // A placeholder text is a format as loaded.
    CString message;
    message.Format(LoadModuleString(Module(), IDS_CONFIRM_DELETE_COUNT), 3);
    EXPECT_EQ(message, S("确认要删除3个对象吗 ?"));
}

TEST(ModuleStrings, DictStringTranslatesThroughTheSystemDefaultLanguage) {
    EXPECT_EQ(LoadDictString(nullptr, Module(), IDS_WARNING), S("警告"));

    CQorDictionaryManager manager;
    CQorLanguageDict* english = AddLanguage(manager, kEnglish);
    AddTranslation(english, "警告", "Warning");
    AddTranslation(english, "错误", "");
    // No language for the default LCID: every text stays as loaded.
    manager.SetSysDefaultLanguageLCID(0x0407);
    EXPECT_EQ(LoadDictString(&manager, Module(), IDS_WARNING), S("警告"));

    manager.SetSysDefaultLanguageLCID(kEnglish);
    manager.SetProjectDefaultLanguageLCID(0x0407);
    EXPECT_EQ(LoadDictString(&manager, Module(), IDS_WARNING), S("Warning"));
    EXPECT_EQ(LoadDictString(&manager, Module(), IDS_ERROR), S("错误"));        // empty display text
    EXPECT_EQ(LoadDictString(&manager, Module(), IDS_INFORMATION), S("信息"));  // no entry
    EXPECT_EQ(LoadDictString(&manager, Module(), 24087), S(""));

    // The host's enable flag does not switch the editor's texts off ...
    manager.SetEnable(0);
    EXPECT_EQ(LoadDictString(&manager, Module(), IDS_WARNING), S("Warning"));
    // ... a disabled language does.
    english->SetEnable(0);
    EXPECT_EQ(LoadDictString(&manager, Module(), IDS_WARNING), S("警告"));
}

TEST(LocaleNames, KnownAndUnknownLanguages) {
    EXPECT_EQ(GetLCIDLocaleName(0x0407), S("de-DE"));
    EXPECT_EQ(GetLCIDNativeName(0x0407), S("Deutsch"));
    EXPECT_EQ(GetLCIDLocaleName(0x0804), S("zh-CN"));
    for (LCID unknown : {LCID(0x7777), LCID(0x12345)}) {
        EXPECT_EQ(GetLCIDLocaleName(unknown), S("Not supported language")) << unknown;
        EXPECT_EQ(GetLCIDNativeName(unknown), S("Not supported language")) << unknown;
    }
}

TEST(DLLLocalResource, NestedGuardsRestoreInReverseOrder) {
    HINSTANCE& current = AfxGetModuleState()->m_hCurrentResourceHandle;
    const HINSTANCE before = current;
    HINSTANCE host = GetModuleHandleW(nullptr);
    HINSTANCE other = GetModuleHandleW(L"kernel32.dll");
    current = host;
    {
        CDLLLocalResource outer;
        EXPECT_EQ(current, Module());
        current = other;  // something inside changes it
        {
            CDLLLocalResource inner;
            EXPECT_EQ(current, Module());
        }
        EXPECT_EQ(current, other);
    }
    EXPECT_EQ(current, host);
    current = before;
}

namespace {

enum { kUnits = 100, kOk, kUserData, kUnitList };

// A settings dialog in Chinese with an English dictionary for all its texts.
class TranslateDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        DialogTemplate dialog(L"设置", 200, 100);
        dialog.Add(0x0082, L"单位制:", kUnits, SS_LEFT, 5, 5, 60, 10);
        dialog.Add(0x0080, L"确定", kOk, BS_PUSHBUTTON, 5, 80, 50, 14);
        dialog.Add(0x0081, L"用户数据", kUserData, ES_AUTOHSCROLL | WS_BORDER, 5, 20, 100, 12);
        dialog.Add(0x0085, L"", kUnitList, CBS_DROPDOWNLIST, 5, 40, 100, 60);
        m_dialog = dialog.Create();
        ASSERT_NE(m_dialog, nullptr);
        SendDlgItemMessageW(m_dialog, kUnitList, CB_ADDSTRING, 0, LPARAM(L"公制"));
        SendDlgItemMessageW(m_dialog, kUnitList, CB_ADDSTRING, 0, LPARAM(L"英制"));
        SendDlgItemMessageW(m_dialog, kUnitList, CB_SETCURSEL, 1, 0);

        m_english = AddLanguage(m_manager, kEnglish);
        for (auto pair : {std::make_pair("设置", "Settings"), std::make_pair("单位制:", "Units:"),
                          std::make_pair("确定", "OK"), std::make_pair("用户数据", "User data"),
                          std::make_pair("公制", "Metric"), std::make_pair("英制", "Imperial")}) {
            AddTranslation(m_english, pair.first, pair.second);
        }
        LOGFONTW font = {};
        font.lfHeight = -15;
        font.lfWeight = FW_BOLD;
        wcscpy(font.lfFaceName, L"Tahoma");
        m_english->SetFont(font);
        m_manager.SetSysDefaultLanguageLCID(kEnglish);
        m_manager.SetProjectDefaultLanguageLCID(0x0407);
        m_manager.SetEnable(1);
    }
    void TearDown() override {
        if (m_dialog) DestroyWindow(m_dialog);
    }

    CString Text(int id) const {
        wchar_t text[256] = {};
        GetWindowTextW(id ? GetDlgItem(m_dialog, id) : m_dialog, text, 256);
        return CString(text);
    }
    CString ComboEntry(int index) const {
        wchar_t text[256] = {};
        SendDlgItemMessageW(m_dialog, kUnitList, CB_GETLBTEXT, index, LPARAM(text));
        return CString(text);
    }
    LONG FontWeight(HWND window) const {
        LOGFONTW font = {};
        HFONT handle = HFONT(SendMessageW(window, WM_GETFONT, 0, 0));
        if (handle) GetObjectW(handle, sizeof font, &font);
        return font.lfWeight;
    }

    HWND m_dialog = nullptr;
    CQorDictionaryManager m_manager;
    CQorLanguageDict* m_english = nullptr;
};

}  // namespace

TEST_F(TranslateDialogTest, RelabelsCaptionAndControlsButNotExceptedData) {
    HWND userData = GetDlgItem(m_dialog, kUserData);
    CDWordArray except;
    except.Add(DWORD(reinterpret_cast<UINT_PTR>(userData)));
    m_manager.SetEnableFont(1);
    TranslateDialog(m_dialog, &m_manager, &except, &except);

    EXPECT_EQ(Text(0), S("Settings"));
    EXPECT_EQ(Text(kUnits), S("Units:"));
    EXPECT_EQ(Text(kOk), S("OK"));
    EXPECT_EQ(Text(kUserData), S("用户数据"));
    EXPECT_EQ(ComboEntry(0), S("Metric"));
    EXPECT_EQ(ComboEntry(1), S("Imperial"));
    EXPECT_EQ(SendDlgItemMessageW(m_dialog, kUnitList, CB_GETCURSEL, 0, 0), 1);
    // The language font reaches the controls, except the one listed for fonts.
    EXPECT_EQ(FontWeight(GetDlgItem(m_dialog, kUnits)), FW_BOLD);
    EXPECT_EQ(FontWeight(GetDlgItem(m_dialog, kOk)), FW_BOLD);
    EXPECT_NE(FontWeight(userData), FW_BOLD);
}

TEST_F(TranslateDialogTest, WithoutListsEveryTextIsInterfaceText) {
    TranslateDialog(m_dialog, &m_manager);
    EXPECT_EQ(Text(kUserData), S("User data"));
    EXPECT_EQ(Text(0), S("Settings"));
    EXPECT_NE(FontWeight(GetDlgItem(m_dialog, kUnits)), FW_BOLD);  // font switching is off
}

TEST_F(TranslateDialogTest, NoManagerOrNoLanguageChangesNothing) {
    TranslateDialog(m_dialog, nullptr);
    m_manager.SetSysDefaultLanguageLCID(0x0407);
    m_manager.SetEnableFont(1);
    TranslateDialog(m_dialog, &m_manager);
    EXPECT_EQ(Text(0), S("设置"));
    EXPECT_EQ(Text(kUnits), S("单位制:"));
    EXPECT_EQ(ComboEntry(0), S("公制"));
    EXPECT_NE(FontWeight(GetDlgItem(m_dialog, kUnits)), FW_BOLD);
}

TEST_F(TranslateDialogTest, ApplyLanguageFontGivesOneWindowTheFont) {
    CWnd label;
    label.Attach(GetDlgItem(m_dialog, kUnits));
    ApplyLanguageFont(&label, &m_manager);  // font switching off
    EXPECT_NE(FontWeight(label), FW_BOLD);

    m_manager.SetEnableFont(1);
    ApplyLanguageFont(&label, &m_manager);
    EXPECT_EQ(FontWeight(label), FW_BOLD);
    EXPECT_NE(FontWeight(GetDlgItem(m_dialog, kOk)), FW_BOLD);  // no walk over other windows

    CWnd dialog;
    dialog.Attach(m_dialog);
    ApplyLanguageFont(&dialog, &m_manager);
    EXPECT_NE(FontWeight(GetDlgItem(m_dialog, kOk)), FW_BOLD);  // nor over children

    // A language whose font record names no font leaves the window alone.
    CWnd button;
    button.Attach(GetDlgItem(m_dialog, kOk));
    m_english->SetFont(LOGFONTW{});
    ApplyLanguageFont(&button, &m_manager);
    EXPECT_NE(FontWeight(button), FW_BOLD);
    EXPECT_NE(SendMessageW(button, WM_GETFONT, 0, 0), 0);
    ApplyLanguageFont(nullptr, &m_manager);
    label.Detach();
    dialog.Detach();
    button.Detach();
}
