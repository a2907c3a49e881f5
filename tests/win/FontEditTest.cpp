// The font field and its browse button: the button and keys that browse,
// the owned font and its release, the colours given through reflection, and
// the font chooser answered as a user would, writing into the language.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "HandleCount.h"
#include "ModalDriver.h"
#include "WinTestSupport.h"
#include "widgets/win/FontEdit.h"

namespace {

const int kFaceCombo = 1136;
const int kSizeCombo = 1138;
const int kColourCombo = 1139;
const RECT kBox{10, 10, 260, 34};
const DWORD kBoxStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;

class CountingEdit : public CVarnPEdit {
public:
    int browsed = 0;

protected:
    void OnBrowse() override { ++browsed; }
};

// Picks an entry of one of the chooser's combo boxes as a click would, so the
// dialog hears of it.
void Pick(HWND dialog, int comboId, int index) {
    const HWND combo = GetDlgItem(dialog, comboId);
    SendMessageW(combo, CB_SETCURSEL, WPARAM(index), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), LPARAM(combo));
}

CString ItemText(HWND combo, int index) {
    WCHAR text[256] = {};
    if (SendMessageW(combo, CB_GETLBTEXTLEN, WPARAM(index), 0) < 255)
        SendMessageW(combo, CB_GETLBTEXT, WPARAM(index), LPARAM(text));
    return CString(text);
}

// What the user saw and chose in the font chooser.
struct Chooser {
    HWND owner = nullptr;
    CString initialFace;
    COLORREF initialColour = CLR_INVALID;
    CString chosenFace;
    bool answered = false;
};

// Opens on the first step, then answers: a face other than the one shown,
// 12 points, red; OK (or Cancel).
std::vector<ModalDriver::Step> AnswerChooser(Chooser& seen, bool confirm) {
    return {[&seen, confirm] {
        const HWND dialog = FindTopLevelWithControl(kFaceCombo);
        if (!dialog) return false;
        seen.owner = GetWindow(dialog, GW_OWNER);
        seen.initialFace = TextOf(GetDlgItem(dialog, kFaceCombo));
        const HWND colours = GetDlgItem(dialog, kColourCombo);
        const LRESULT current = SendMessageW(colours, CB_GETCURSEL, 0, 0);
        if (current != CB_ERR) seen.initialColour = COLORREF(SendMessageW(colours, CB_GETITEMDATA, current, 0));

        const HWND faces = GetDlgItem(dialog, kFaceCombo);
        const int count = int(SendMessageW(faces, CB_GETCOUNT, 0, 0));
        int face = CB_ERR;
        // Vertical faces ("@...") are no choice a user makes here.
        for (int i = 0; face == CB_ERR && i < count; ++i)
            if (ItemText(faces, i) != seen.initialFace && ItemText(faces, i).Find(L'@') != 0) face = i;
        if (face == CB_ERR || ItemText(faces, face) == seen.initialFace) {
            ADD_FAILURE() << "the chooser offers no other face";
            return false;
        }
        Pick(dialog, kFaceCombo, face);
        seen.chosenFace = ItemText(faces, face);
        const int size = int(SendMessageW(GetDlgItem(dialog, kSizeCombo), CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(L"12")));
        EXPECT_NE(size, CB_ERR);
        Pick(dialog, kSizeCombo, size);
        for (int i = 0; i < int(SendMessageW(colours, CB_GETCOUNT, 0, 0)); ++i)
            if (COLORREF(SendMessageW(colours, CB_GETITEMDATA, i, 0)) == RGB(255, 0, 0)) Pick(dialog, kColourCombo, i);
        Click(GetDlgItem(dialog, confirm ? IDOK : IDCANCEL));
        seen.answered = true;
        return true;
    }};
}

// The first horizontal face installed on this system: the chooser lists only
// those, so a language font in it is shown selected.
CString InstalledFace() {
    CString found;
    WindowDc screen(nullptr);
    LOGFONTW any = {};
    any.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(
        screen.get(), &any,
        [](const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM param) -> int {
            if (font->lfFaceName[0] == L'@') return 1;
            *reinterpret_cast<CString*>(param) = font->lfFaceName;
            return 0;
        },
        LPARAM(&found), 0);
    return found;
}

struct FontEditFixture : ::testing::Test {
    HostWindow host{L"语言"};
    TestDictionary dictionary;
    CFontEdit box;
    CQorLanguageDict* language = nullptr;
    const CString face = InstalledFace();
    LOGFONTW shownFont = MakeFont(face, -13);

    void SetUp() override {
        ShowWindow(host, SW_SHOW);
        ASSERT_TRUE(box.Create(kBoxStyle, kBox, &host, 300));
        language = dictionary.English();
        language->SetFontColor(RGB(0, 128, 0));
        language->SetFontPointSize(100);
        // As the language dialog sets the box up.
        box.SetLanguage(language);
        box.SetManager(&dictionary.manager);
        language->SetFont(shownFont);
        box.SetTextFont(&shownFont);
        box.SetTextColor(COLORREF(language->GetFontColor()));
        ASSERT_FALSE(face.IsEmpty());
        box.SetWindowText(face);
        box.EnableBrowseButton(TRUE, L"...");
    }

    void Browse() { Click(box.GetBrowseButton()); }
};

}  // namespace

TEST(VarnPEdit, BrowseButtonIsAClickableChildAndAltDownOrF4BrowseToo) {
    HostWindow host;
    CountingEdit edit;
    edit.EnableBrowseButton(TRUE, L"浏览");  // before the window: kept for Create
    ASSERT_TRUE(edit.Create(kBoxStyle, kBox, &host, 300));
    const HWND button = edit.GetBrowseButton();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(GetParent(button), edit.GetSafeHwnd());
    EXPECT_EQ(GetDlgCtrlID(button), CVarnPEdit::kBrowseButtonId);
    EXPECT_EQ(TextOf(button), CString(L"浏览"));
    RECT client, place;
    GetClientRect(edit, &client);
    GetWindowRect(button, &place);
    MapWindowPoints(nullptr, edit, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.right, client.right);
    // The text stops short of the button, also after a font change.
    const LOGFONTW big = MakeFont(L"Tahoma", -20);
    UniqueFont font(CreateFontIndirectW(&big));
    edit.SetFont(font.get());
    EXPECT_GE(int(HIWORD(edit.SendMessage(EM_GETMARGINS))), place.right - place.left);

    Click(button);
    EXPECT_EQ(edit.browsed, 1);
    SendMessageW(edit, WM_KEYDOWN, VK_F4, 0);
    EXPECT_EQ(edit.browsed, 2);
    SendMessageW(edit, WM_SYSKEYDOWN, VK_DOWN, 1 << 29);
    EXPECT_EQ(edit.browsed, 3);
    SendMessageW(edit, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(edit.browsed, 3) << "a plain arrow key moves the caret";

    EnableWindow(edit, FALSE);
    EXPECT_FALSE(IsWindowEnabled(button));
    EnableWindow(edit, TRUE);
    edit.EnableBrowseButton(FALSE);
    EXPECT_EQ(edit.GetBrowseButton(), nullptr);
    EXPECT_FALSE(IsWindow(button));
    SendMessageW(edit, WM_KEYDOWN, VK_F4, 0);
    EXPECT_EQ(edit.browsed, 3);
}

TEST_F(FontEditFixture, TheBoxShowsItsOwnFontAndReleasesEveryOneItReplaces) {
    EXPECT_EQ(FontOf(box), box.GetTextFont());
    EXPECT_TRUE(SameFont(LogFontOf(box), shownFont));

    const LOGFONTW arial = MakeFont(L"Arial", -15);
    // The edit control keeps a few objects of its own once it has drawn.
    for (int i = 0; i < 10; ++i) box.SetTextFont(i % 2 ? &shownFont : &arial);
    UpdateWindow(box);
    const int before = LiveGdiObjectCount();
    for (int i = 0; i < 1000; ++i) box.SetTextFont(i % 2 ? &shownFont : &arial);
    UpdateWindow(box);
    EXPECT_LE(LiveGdiObjectCount() - before, 1);
    EXPECT_TRUE(SameFont(LogFontOf(box), shownFont));

    // No record: no font of its own, the default one is drawn.
    box.SetTextFont(nullptr);
    EXPECT_EQ(box.GetTextFont(), nullptr);
    EXPECT_EQ(FontOf(box), nullptr);

    auto makeBox = [&] {
        CFontEdit another;
        ASSERT_TRUE(another.Create(kBoxStyle, RECT{10, 50, 200, 74}, &host, 301));
        another.EnableBrowseButton(TRUE, L"...");
        another.SetTextFont(&arial);
        UpdateWindow(another);
    };
    makeBox();
    const int withoutBoxes = LiveGdiObjectCount();
    for (int i = 0; i < 50; ++i) makeBox();
    EXPECT_LE(LiveGdiObjectCount() - withoutBoxes, 2) << "a box that goes takes its font and brush along";
}

TEST_F(FontEditFixture, ColoursComeFromTheBoxThroughTheParentsColourMessages) {
    box.SetTextColor(RGB(200, 0, 0));
    box.SetBkColor(RGB(240, 240, 200));
    WindowDc screen(box);
    UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    for (UINT message : {UINT(WM_CTLCOLOREDIT), UINT(WM_CTLCOLORSTATIC)}) {
        ::SetTextColor(dc.get(), 0);
        const HBRUSH brush = HBRUSH(SendMessageW(host, message, WPARAM(dc.get()), LPARAM(box.GetSafeHwnd())));
        ASSERT_NE(brush, nullptr);
        LOGBRUSH info = {};
        GetObjectW(brush, sizeof info, &info);
        EXPECT_EQ(info.lbColor, RGB(240, 240, 200));
        EXPECT_EQ(::GetTextColor(dc.get()), RGB(200, 0, 0));
        EXPECT_EQ(::GetBkColor(dc.get()), RGB(240, 240, 200));
    }
}

TEST_F(FontEditFixture, ConfirmedChoiceGoesIntoTheLanguageAndTheBoxAtOnce) {
    Chooser seen;
    {
        ModalDriver driver(AnswerChooser(seen, true));
        Browse();
        EXPECT_TRUE(driver.AllStepsRan());
    }
    ASSERT_TRUE(seen.answered);
    EXPECT_EQ(seen.owner, host.GetSafeHwnd()) << "the chooser stays in front of the window it was opened from";
    EXPECT_EQ(seen.initialFace, face);
    EXPECT_EQ(seen.initialColour, RGB(0, 128, 0));

    LOGFONTW stored = {};
    language->GetFont(stored);
    EXPECT_EQ(CString(stored.lfFaceName), seen.chosenFace);
    EXPECT_EQ(language->GetFontPointSize(), 120);
    EXPECT_EQ(language->GetFontColor(), DWORD(RGB(255, 0, 0)));
    EXPECT_EQ(language->GetFontSafeHwnd(), nullptr) << "the language's cached font is not touched";
    // The box: the face name only, drawn in the chosen font and colour.
    EXPECT_EQ(TextOf(box), seen.chosenFace);
    EXPECT_TRUE(SameFont(LogFontOf(box), stored));
    EXPECT_EQ(box.GetTextColor(), RGB(255, 0, 0));
    EXPECT_EQ(GetFocus(), box.GetSafeHwnd());
}

TEST_F(FontEditFixture, CancelledChooserChangesNothing) {
    LOGFONTW before = {};
    language->GetFont(before);
    const HFONT shown = box.GetTextFont();
    Chooser seen;
    {
        ModalDriver driver(AnswerChooser(seen, false));
        SendMessageW(box, WM_KEYDOWN, VK_F4, 0);  // the keyboard way in
        EXPECT_TRUE(driver.AllStepsRan());
    }
    ASSERT_TRUE(seen.answered);
    LOGFONTW after = {};
    language->GetFont(after);
    EXPECT_TRUE(SameFont(before, after));
    EXPECT_EQ(language->GetFontPointSize(), 100);
    EXPECT_EQ(language->GetFontColor(), DWORD(RGB(0, 128, 0)));
    EXPECT_EQ(box.GetTextFont(), shown);
    EXPECT_EQ(TextOf(box), face);
    EXPECT_EQ(box.GetTextColor(), RGB(0, 128, 0));
}

TEST_F(FontEditFixture, WithoutALanguageBrowsingOpensNothing) {
    box.SetLanguage(nullptr);
    int opened = 0;
    // Closes any chooser that opens, so a failure cannot hang.
    ModalDriver driver({[&opened] {
        if (const HWND dialog = FindTopLevelWithControl(kFaceCombo)) {
            ++opened;
            Click(GetDlgItem(dialog, IDCANCEL));
        }
        return false;
    }}, 1000);
    Browse();
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(TextOf(box), face);
}
