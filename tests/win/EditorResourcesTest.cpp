// The editor's dialog templates and icons as the library module carries
// them: every template creates, every control the editor binds to is there
// with the expected class and style, and each icon holds real 16 and 32
// pixel images.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "resources/DictionaryApp.h"
#include "resources/Resource.h"

namespace {

INT_PTR CALLBACK TrivialProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

struct ExpectedControl {
    int id;
    const wchar_t* windowClass;
    DWORD styleMask;   // bits compared ...
    DWORD styleValue;  // ... against these
};

enum class Kind { Popup, Page, Container };

struct ExpectedTemplate {
    int id;
    Kind kind;
    const wchar_t* caption;  // popups only
    std::vector<ExpectedControl> controls;
    std::vector<int> absent;
};

constexpr DWORD kButtonType = BS_TYPEMASK;
constexpr DWORD kReadOnlyEdit = ES_READONLY;

std::vector<ExpectedControl> WordPageControls() {
    return {
        {IDC_GRID_AREA, L"Static", SS_TYPEMASK, SS_BLACKFRAME},
        {IDC_GATHER_PROGRESS, L"msctls_progress32", 0, 0},
        {IDC_ADD, L"Button", kButtonType, BS_PUSHBUTTON},
        {IDC_DELETE, L"Button", kButtonType, BS_PUSHBUTTON},
        {IDC_FIND_WORD, L"Button", kButtonType, BS_PUSHBUTTON},
        {IDC_UPDATE_DICTIONARY, L"Button", kButtonType, BS_PUSHBUTTON},
        {IDC_IMPORT_EXCEL, L"Button", kButtonType, BS_PUSHBUTTON},
        {IDC_EXPORT_EXCEL, L"Button", kButtonType, BS_PUSHBUTTON},
    };
}

std::vector<ExpectedTemplate> Templates() {
    const ExpectedControl ok = {IDOK, L"Button", kButtonType, BS_DEFPUSHBUTTON};
    const ExpectedControl cancel = {IDCANCEL, L"Button", kButtonType, BS_PUSHBUTTON};
    std::vector<ExpectedControl> systemWords = WordPageControls();
    systemWords.push_back({IDC_FUNCTION_DIAGRAM, L"Button", kButtonType, BS_PUSHBUTTON});
    const DWORD treeStyle = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
    const DWORD listStyle = LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS;
    return {
        {IDD_DICTIONARY_DIALOG, Kind::Popup, L"多语言字典",
         {{IDC_DICT_TREE, L"SysTreeView32", treeStyle, treeStyle},
          {IDC_PAGE_PLACEHOLDER, L"Static", 0, 0},
          {IDC_SPLITTER_BAR, L"Static", 0, 0},
          ok,
          cancel},
         {}},
        {IDD_SETTINGS_PAGE, Kind::Page, nullptr,
         {{IDC_DICT_FILE_PATH, L"Edit", kReadOnlyEdit, kReadOnlyEdit},
          {IDC_DICT_VERSION, L"Edit", kReadOnlyEdit, kReadOnlyEdit},
          {IDC_MULTILINGUAL_ENABLE, L"Button", kButtonType, BS_AUTOCHECKBOX},
          {IDC_FONT_ENABLE, L"Button", kButtonType, BS_AUTOCHECKBOX},
          {IDC_SYS_DEFAULT_LANG, L"ComboBox", 3, CBS_DROPDOWNLIST},
          {IDC_PROJECT_DEFAULT_LANG, L"ComboBox", 3, CBS_DROPDOWNLIST},
          {IDC_PROJECT_DEFAULT_LABEL, L"Static", 0, 0},
          {IDC_LANGUAGE_LIST, L"SysListView32", LVS_TYPEMASK | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_SINGLESEL,
           listStyle},
          {IDC_ADD, L"Button", kButtonType, BS_PUSHBUTTON},
          {IDC_DELETE, L"Button", kButtonType, BS_PUSHBUTTON},
          {IDC_EDIT_LANGUAGE, L"Button", kButtonType, BS_PUSHBUTTON}},
         {}},
        {IDD_SYSTEM_WORDS_PAGE, Kind::Page, nullptr, systemWords, {}},
        {IDD_PROJECT_WORDS_PAGE, Kind::Page, nullptr, WordPageControls(), {IDC_FUNCTION_DIAGRAM}},
        {IDD_STACKED_PAGES, Kind::Container, nullptr, {}, {}},
        {IDD_LANGUAGE_DIALOG, Kind::Popup, L"语言属性",
         {{IDC_LANG_ID, L"Edit", ES_NUMBER | ES_READONLY, ES_NUMBER},
          {IDC_LANG_HEX_ID, L"Edit", kReadOnlyEdit, kReadOnlyEdit},
          {IDC_LANG_NAME, L"Edit", kReadOnlyEdit, kReadOnlyEdit},
          {IDC_LANG_NATIVE_NAME, L"Edit", kReadOnlyEdit, kReadOnlyEdit},
          {IDC_LANG_FONT, L"Edit", kReadOnlyEdit, kReadOnlyEdit},
          ok,
          cancel},
         {}},
        {IDD_NEW_WORD_DIALOG, Kind::Popup, L"单词属性",
         {{IDC_ORIGINAL_STRING, L"Edit", ES_MULTILINE | ES_WANTRETURN | WS_HSCROLL | WS_VSCROLL | ES_READONLY,
           ES_MULTILINE | ES_WANTRETURN | WS_HSCROLL | WS_VSCROLL},
          ok,
          cancel},
         {}},
    };
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window) {
    wchar_t text[128] = {};
    GetWindowTextW(window, text, 128);
    return text;
}

class EditorResources : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&icc);
        module = QorGetModuleResourceHandle();
        ASSERT_NE(module, nullptr);
        // Child templates need a parent; a plain hidden top-level window will do.
        parent = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(parent, nullptr);
    }
    void TearDown() override {
        if (parent) DestroyWindow(parent);
    }

    template <typename T>
    const T* Resource(int id, LPCWSTR type) const {
        HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
        if (!found) return nullptr;
        HGLOBAL loaded = LoadResource(module, found);
        return loaded ? static_cast<const T*>(LockResource(loaded)) : nullptr;
    }

    HINSTANCE module = nullptr;
    HWND parent = nullptr;
};

TEST_F(EditorResources, TemplatesCreateWithTheirControls) {
    for (const ExpectedTemplate& expected : Templates()) {
        SCOPED_TRACE(expected.id);
        const DLGTEMPLATE* tmpl = Resource<DLGTEMPLATE>(expected.id, RT_DIALOG);
        ASSERT_NE(tmpl, nullptr);
        HWND owner = expected.kind == Kind::Popup ? nullptr : parent;
        HWND dialog = CreateDialogIndirectParamW(module, tmpl, owner, TrivialProc, 0);
        ASSERT_NE(dialog, nullptr);

        const LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
        const LONG_PTR exStyle = GetWindowLongPtrW(dialog, GWL_EXSTYLE);
        switch (expected.kind) {
        case Kind::Popup:
            EXPECT_FALSE(style & WS_CHILD);
            EXPECT_EQ(TextOf(dialog), expected.caption);
            break;
        case Kind::Page:
            // Hidden and disabled until the stacked container activates it.
            EXPECT_TRUE(style & WS_CHILD);
            EXPECT_FALSE(IsWindowEnabled(dialog));
            EXPECT_FALSE(style & WS_VISIBLE);
            EXPECT_TRUE(exStyle & WS_EX_CONTROLPARENT);
            break;
        case Kind::Container:
            // The container is never enabled explicitly, so it must start enabled.
            EXPECT_TRUE(style & WS_CHILD);
            EXPECT_TRUE(IsWindowEnabled(dialog));
            EXPECT_TRUE(exStyle & WS_EX_CONTROLPARENT);
            break;
        }

        for (const ExpectedControl& control : expected.controls) {
            SCOPED_TRACE(control.id);
            HWND item = GetDlgItem(dialog, control.id);
            ASSERT_NE(item, nullptr);
            EXPECT_EQ(ClassOf(item), control.windowClass);
            EXPECT_EQ(DWORD(GetWindowLongPtrW(item, GWL_STYLE)) & control.styleMask, control.styleValue);
        }
        for (int id : expected.absent) EXPECT_EQ(GetDlgItem(dialog, id), nullptr) << id;

        if (expected.id == IDD_DICTIONARY_DIALOG) {
            EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
                      LONG_PTR(WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
            // Tab has to pass through the placeholder to reach the pages.
            EXPECT_TRUE(GetWindowLongPtrW(GetDlgItem(dialog, IDC_PAGE_PLACEHOLDER), GWL_EXSTYLE) &
                        WS_EX_CONTROLPARENT);
        }
        if (expected.id == IDD_SETTINGS_PAGE) {
            EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_PROJECT_DEFAULT_LABEL)), L"项目默认语言");
        }
        DestroyWindow(dialog);
    }
}

TEST_F(EditorResources, IconsHoldBothSizes) {
    const int icons[] = {IDI_DICTIONARY, IDI_SYSTEM_DICTIONARY, IDI_PROJECT_DICTIONARY, IDI_LANGUAGE_MANAGEMENT,
                         IDI_LANGUAGE_ROW};
    for (int id : icons) {
        for (int size : {16, 32}) {
            SCOPED_TRACE(std::to_string(id) + " at " + std::to_string(size));
            // The group must hold an image of exactly this size: LoadImageW
            // alone would stretch the other one and hide its absence.
            const BYTE* group = Resource<BYTE>(id, RT_GROUP_ICON);
            ASSERT_NE(group, nullptr);
            const int imageId = LookupIconIdFromDirectoryEx(const_cast<BYTE*>(group), TRUE, size, size, 0);
            const BITMAPINFOHEADER* image = Resource<BITMAPINFOHEADER>(imageId, RT_ICON);
            ASSERT_NE(image, nullptr);
            EXPECT_EQ(image->biWidth, size);
            EXPECT_EQ(image->biHeight, 2 * size);  // colour rows and mask rows
            EXPECT_EQ(image->biBitCount, 32);

            HICON icon = HICON(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
            ASSERT_NE(icon, nullptr);
            ICONINFO info = {};
            ASSERT_TRUE(GetIconInfo(icon, &info));
            BITMAP colour = {};
            ASSERT_NE(info.hbmColor, nullptr);
            ASSERT_TRUE(GetObjectW(info.hbmColor, sizeof colour, &colour));
            EXPECT_EQ(colour.bmWidth, size);
            EXPECT_EQ(colour.bmHeight, size);
            EXPECT_NE(info.hbmMask, nullptr);

            // Drawn over white and over black, the corner shows the background
            // (transparent) and the centre the same colour (opaque).
            BITMAPINFO bmi = {};
            bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
            bmi.bmiHeader.biWidth = size;
            bmi.bmiHeader.biHeight = -size;  // top-down
            bmi.bmiHeader.biPlanes = 1;
            bmi.bmiHeader.biBitCount = 32;
            COLORREF corner[2], centre[2];
            for (int pass = 0; pass < 2; ++pass) {
                void* bits = nullptr;
                HDC dc = CreateCompatibleDC(nullptr);
                HBITMAP target = CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
                HGDIOBJ old = SelectObject(dc, target);
                RECT all = {0, 0, size, size};
                FillRect(dc, &all, HBRUSH(GetStockObject(pass ? BLACK_BRUSH : WHITE_BRUSH)));
                DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
                GdiFlush();
                const DWORD* px = static_cast<const DWORD*>(bits);
                corner[pass] = px[0] & 0xFFFFFF;
                centre[pass] = px[(size / 2) * size + size / 2] & 0xFFFFFF;
                SelectObject(dc, old);
                DeleteObject(target);
                DeleteDC(dc);
            }
            EXPECT_EQ(corner[0], 0xFFFFFFu);
            EXPECT_EQ(corner[1], 0u);
            EXPECT_EQ(centre[0], centre[1]);

            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            DestroyIcon(icon);
        }
    }
}

}  // namespace
