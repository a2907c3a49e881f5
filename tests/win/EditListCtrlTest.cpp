// The editable list driven as a user would, inside a dialog with default and
// cancel buttons: clicks on cells, typing, Enter, Escape, focus changes and
// scrolling; and the per-cell fonts and colours of the list base, measured
// on what the list view actually paints.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <memory>
#include <set>
#include <vector>

#include "DialogTemplate.h"
#include "WinTestSupport.h"
#include "framework/Dialog.h"
#include "widgets/win/EditListCtrl.h"

namespace {

const UINT kListId = 1234;

// Messages of this thread, each offered to the windows' objects first, as
// the framework's own loops do.
void Pump(DWORD forMs = 0) {
    const DWORD end = GetTickCount() + forMs;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!CWnd::WalkPreTranslateTree(nullptr, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        if (LONG(GetTickCount() - end) >= 0) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PressKey(UINT vk) {
    const HWND focus = GetFocus();
    const LPARAM scan = LPARAM(MapVirtualKeyW(vk, 0)) << 16;
    PostMessageW(focus, WM_KEYDOWN, vk, 1 | scan);
    PostMessageW(focus, WM_KEYUP, vk, 1 | scan | (3u << 30));
    Pump();
}

void Type(const wchar_t* text) {
    for (; *text; ++text) PostMessageW(GetFocus(), WM_CHAR, WPARAM(*text), 1);
    Pump();
}

// Shift or Ctrl held for one scope, as GetKeyState sees it.
class HeldKey {
public:
    explicit HeldKey(int vk) : m_vk(vk) { Set(0x80); }
    ~HeldKey() { Set(0); }

private:
    void Set(BYTE state) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[m_vk] = state;
        SetKeyboardState(keys);
    }
    int m_vk;
};

struct EndEdit {
    WPARAM listId;
    HWND from;
    UINT_PTR fromId;
    UINT code;
    UINT mask;
    int row;
    int column;
    CString text;
};

// A dialog with a default OK and a Cancel button that records what its list
// tells it and never closes by itself.
class ListDialog : public CDialog {
public:
    static const DLGTEMPLATE* Template() {
        static DialogTemplate t = [] {
            DialogTemplate d(L"列表", 260, 180);
            d.Add(0x0080, L"确定", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 150, 160, 50, 14);
            d.Add(0x0080, L"取消", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 205, 160, 50, 14);
            return d;
        }();
        return t.Get();
    }

    ListDialog() : CDialog(Template()) {
        Create();
        ShowWindow(GetSafeHwnd(), SW_SHOW);
        SetForegroundWindow(GetSafeHwnd());
    }

    std::vector<EndEdit> ends;
    std::vector<int> choiceRequests;
    std::map<int, std::vector<CString>> choices;
    int closedBy = 0;  // IDOK or IDCANCEL when a key reached the buttons

protected:
    void OnOK() override { closedBy = IDOK; }
    void OnCancel() override { closedBy = IDCANCEL; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_EDITLIST_ENDEDIT) {
            const auto* info = reinterpret_cast<const NMLVDISPINFOW*>(lParam);
            ends.push_back(EndEdit{wParam, info->hdr.hwndFrom, info->hdr.idFrom, info->hdr.code, info->item.mask,
                                   info->item.iItem, info->item.iSubItem,
                                   info->item.pszText ? CString(info->item.pszText) : CString()});
            return 0;
        }
        if (message == WM_EDITLIST_GETCHOICES) {
            choiceRequests.push_back(int(wParam));
            auto* list = reinterpret_cast<CStringList*>(lParam);
            EXPECT_TRUE(list->IsEmpty());
            for (const CString& choice : choices[int(wParam)]) list->AddTail(choice);
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

// Three columns (名称 100, 值 80, 单位 60) and four rows; the list stores
// what an edit reports, as a page would.
struct EditListFixture : ::testing::Test {
    ListDialog dialog;
    CEditListCtrl list;

    void SetUp() override { MakeList(list, RECT{5, 5, 395, 240}); }

    void MakeList(CEditListCtrl& target, RECT rect) {
        ASSERT_TRUE(target.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_EDITLABELS |
                                      LVS_SHOWSELALWAYS,
                                  rect, &dialog, kListId));
        target.SetFont(dialog.GetFont());
        target.SetExtendedStyle(LVS_EX_FULLROWSELECT);
        target.InsertColumn(0, L"名称", 100);
        target.InsertColumn(1, L"值", 80);
        target.InsertColumn(2, L"单位", 60);
        const wchar_t* rows[4][3] = {
            {L"长度", L"10", L"cm"}, {L"宽度", L"20", L"mm"}, {L"高度", L"30", L"m"}, {L"重量", L"40", L"kg"}};
        for (int r = 0; r < 4; ++r) {
            target.InsertItem(r, rows[r][0]);
            target.SetItemText(r, 1, rows[r][1]);
            target.SetItemText(r, 2, rows[r][2]);
        }
        Pump();
    }

    RECT Cell(CEditListCtrl& target, int row, int column) {
        RECT r = {};
        target.GetSubItemRect(row, column, column == 0 ? LVIR_LABEL : LVIR_BOUNDS, &r);
        return r;
    }

    // A press and release in the middle of a cell. The release is queued
    // first for a list view that waits in its own loop after the press.
    void ClickCell(CEditListCtrl& target, int row, int column, WPARAM keys = 0) {
        const RECT r = Cell(target, row, column);
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        PostMessageW(target, WM_LBUTTONUP, keys, at);
        SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
        Pump();
    }
    void ClickCell(int row, int column, WPARAM keys = 0) { ClickCell(list, row, column, keys); }

    HWND Editor(const wchar_t* cls = L"Edit") const { return FindWindowExW(list, nullptr, cls, nullptr); }

    RECT InList(HWND window) const {
        RECT r;
        GetWindowRect(window, &r);
        MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
};

void ExpectSameRect(const RECT& a, const RECT& b) {
    EXPECT_EQ(a.left, b.left);
    EXPECT_EQ(a.top, b.top);
    EXPECT_EQ(a.right, b.right);
    EXPECT_EQ(a.bottom, b.bottom);
}

}  // namespace

TEST_F(EditListFixture, ClickOpensAnEditBoxOverTheCellAndEnterReportsTheEditedText) {
    ClickCell(1, 1);
    const HWND edit = Editor();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(GetDlgCtrlID(edit), 0);
    EXPECT_EQ(TextOf(edit), CString(L"20"));
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, WPARAM(&start), LPARAM(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 2u) << "the cell's text is selected";
    EXPECT_EQ(FontOf(edit), list.GetFont());
    ExpectSameRect(InList(edit), Cell(list, 1, 1));

    Type(L"25");
    PressKey(VK_RETURN);
    EXPECT_EQ(dialog.closedBy, 0) << "Enter must not press the default button";
    ASSERT_EQ(dialog.ends.size(), 1u);
    const EndEdit& e = dialog.ends[0];
    EXPECT_EQ(e.listId, WPARAM(kListId));
    EXPECT_EQ(e.from, list.GetSafeHwnd());
    EXPECT_EQ(e.fromId, 0u);
    EXPECT_EQ(e.code, UINT(LVN_ENDLABELEDITW));
    EXPECT_EQ(e.mask, UINT(LVIF_TEXT));
    EXPECT_EQ(e.row, 1);
    EXPECT_EQ(e.column, 1);
    EXPECT_EQ(e.text, CString(L"25"));
    EXPECT_EQ(GetFocus(), list.GetSafeHwnd());
    Pump();
    EXPECT_FALSE(IsWindow(edit)) << "the editor closes after its report";
}

TEST_F(EditListFixture, EscapeReportsTheTextTheCellHadAndPressesNoButton) {
    ClickCell(2, 0);
    ASSERT_NE(Editor(), nullptr);
    Type(L"改了");
    EXPECT_EQ(TextOf(Editor()), CString(L"改了"));
    PressKey(VK_ESCAPE);
    EXPECT_EQ(dialog.closedBy, 0);
    ASSERT_EQ(dialog.ends.size(), 1u);
    EXPECT_EQ(dialog.ends[0].row, 2);
    EXPECT_EQ(dialog.ends[0].column, 0);
    EXPECT_EQ(dialog.ends[0].text, CString(L"高度"));
    Pump();
    EXPECT_EQ(Editor(), nullptr);
}

TEST_F(EditListFixture, ClickingAnotherCellReportsTheFirstAndOpensTheSecond) {
    ClickCell(0, 1);
    Type(L"11");
    ClickCell(3, 2);
    ASSERT_EQ(dialog.ends.size(), 1u);
    EXPECT_EQ(dialog.ends[0].row, 0);
    EXPECT_EQ(dialog.ends[0].text, CString(L"11"));
    // The first editor's pending close must not take the second one along.
    Pump(50);
    const HWND edit = Editor();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(TextOf(edit), CString(L"kg"));
    ExpectSameRect(InList(edit), Cell(list, 3, 2));
    EXPECT_EQ(GetFocus(), edit);
}

TEST_F(EditListFixture, ShiftOrCtrlClickSelectsWithoutEditing) {
    {
        HeldKey shift(VK_SHIFT);
        ClickCell(1, 1, MK_SHIFT);
    }
    EXPECT_EQ(Editor(), nullptr);
    {
        HeldKey control(VK_CONTROL);
        ClickCell(2, 1, MK_CONTROL);
    }
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_TRUE(list.GetItemState(2, LVIS_SELECTED) & LVIS_SELECTED) << "the click itself still selects";
    ClickCell(2, 1);
    EXPECT_NE(Editor(), nullptr) << "the same click without the key edits";
}

TEST_F(EditListFixture, ListsWithoutLabelEditingOrOutsideReportViewOpenNothing) {
    SetWindowLongW(list, GWL_STYLE, GetWindowLongW(list, GWL_STYLE) & ~LVS_EDITLABELS);
    ClickCell(1, 1);
    EXPECT_EQ(Editor(), nullptr);
    SetWindowLongW(list, GWL_STYLE, GetWindowLongW(list, GWL_STYLE) | LVS_EDITLABELS);
    // A click past the last column hits no cell.
    RECT row;
    list.GetItemRect(1, &row, LVIR_BOUNDS);
    list.SendMessage(LVM_SETCOLUMNWIDTH, 2, 20);
    const LPARAM past = MAKELPARAM(100 + 80 + 20 + 30, (row.top + row.bottom) / 2);
    PostMessageW(list, WM_LBUTTONUP, 0, past);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, past);
    Pump();
    EXPECT_EQ(Editor(), nullptr);
}

TEST_F(EditListFixture, ReadOnlyColumnsRefuseBothEditors) {
    list.SetReadOnlyColumn(1);
    list.SetReadOnlyColumn(0);
    EXPECT_TRUE(list.IsReadOnlyColumn(1));
    ClickCell(1, 1);
    EXPECT_EQ(Editor(), nullptr);
    ClickCell(1, 0);
    EXPECT_EQ(Editor(), nullptr);
    ClickCell(1, 2);
    EXPECT_NE(Editor(), nullptr) << "other columns still edit";
    PressKey(VK_ESCAPE);
    Pump(GetDoubleClickTime() + 300);
    // The list view's own label editor is refused for a read-only column...
    SetFocus(list);
    EXPECT_EQ(list.SendMessage(LVM_EDITLABELW, 1), 0);
    // ...and allowed, and reported, once the column may be edited.
    list.SetReadOnlyColumn(0, FALSE);
    EXPECT_FALSE(list.IsReadOnlyColumn(0));
    dialog.ends.clear();
    const HWND own = HWND(list.SendMessage(LVM_EDITLABELW, 1));
    ASSERT_NE(own, nullptr);
    SetWindowTextW(own, L"深度");
    SendMessageW(own, WM_KEYDOWN, VK_RETURN, 0);
    Pump();
    ASSERT_EQ(dialog.ends.size(), 1u);
    EXPECT_EQ(dialog.ends[0].row, 1);
    EXPECT_EQ(dialog.ends[0].text, CString(L"深度"));
}

TEST_F(EditListFixture, TheListViewsOwnLabelEditorStaysShutWhileACellIsEdited) {
    ClickCell(0, 0);
    const HWND edit = Editor();
    ASSERT_NE(edit, nullptr);
    // As the list view's delayed label edit after the same click would.
    EXPECT_EQ(list.SendMessage(LVM_EDITLABELW, 0), 0);
    EXPECT_EQ(list.SendMessage(LVM_GETEDITCONTROL), 0);
    EXPECT_EQ(GetFocus(), edit);
    PressKey(VK_RETURN);
    ASSERT_EQ(dialog.ends.size(), 1u);
    // Shortly after the click it is still refused; later it works again.
    EXPECT_EQ(list.SendMessage(LVM_EDITLABELW, 0), 0);
    Pump(GetDoubleClickTime() + 300);
    SetFocus(list);
    const HWND own = HWND(list.SendMessage(LVM_EDITLABELW, 0));
    EXPECT_NE(own, nullptr);
    if (own) SendMessageW(own, WM_KEYDOWN, VK_ESCAPE, 0);
    Pump();
}

TEST_F(EditListFixture, InvalidCharactersAreRefusedEditingKeysAndValidOnesPass) {
    EXPECT_TRUE(list.SetValidChars(1, L"0123456789."));
    EXPECT_FALSE(list.SetValidChars(100, L"0"));
    EXPECT_EQ(list.GetValidChars(100), CString());
    ClickCell(0, 1);
    const HWND edit = Editor();
    ASSERT_NE(edit, nullptr);
    Type(L"x");  // replaces nothing: the selected "10" stays
    EXPECT_EQ(TextOf(edit), CString(L"10"));
    Type(L"\b");  // backspace deletes the selection
    EXPECT_EQ(TextOf(edit), CString());
    Type(L"1a.5 b");
    EXPECT_EQ(TextOf(edit), CString(L"1.5"));
    // Cut and paste still work; pasted characters are filtered as typed ones.
    SendMessageW(edit, EM_SETSEL, 0, -1);
    Type(L"\x18");
    EXPECT_EQ(TextOf(edit), CString());
    if (OpenClipboard(edit)) {
        EmptyClipboard();
        const wchar_t pasted[] = L"7x8";
        HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, sizeof pasted);
        memcpy(GlobalLock(data), pasted, sizeof pasted);
        GlobalUnlock(data);
        SetClipboardData(CF_UNICODETEXT, data);
        CloseClipboard();
        Type(L"\x16");
        EXPECT_EQ(TextOf(edit), CString(L"78"));
    } else {
        ADD_FAILURE() << "no clipboard";
    }
    PressKey(VK_RETURN);
    ASSERT_EQ(dialog.ends.size(), 1u);
    EXPECT_EQ(dialog.ends[0].text, CString(L"78"));
    // Another column takes anything.
    ClickCell(0, 2);
    Type(L"x字");
    EXPECT_EQ(TextOf(Editor()), CString(L"x字"));
}

TEST_F(EditListFixture, ChoiceColumnOpensADropDownAsksTheParentAndSelectsTheCellText) {
    list.SetChoiceColumn(2);
    EXPECT_TRUE(list.IsChoiceColumn(2));
    dialog.choices[2] = {L"m", L"cm", L"mm", L"km"};
    ClickCell(1, 2);
    ASSERT_EQ(dialog.choiceRequests, std::vector<int>{2});
    const HWND combo = Editor(L"ComboBox");
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(Editor(), nullptr) << "no edit box for a choice column";
    EXPECT_EQ(GetFocus(), combo);
    EXPECT_EQ(GetDlgCtrlID(combo), 0);
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 4);
    // "mm", not "m" that a prefix search would find first.
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(TextOf(combo), CString(L"mm"));
    const RECT cell = Cell(list, 1, 2);
    const RECT shown = InList(combo);
    EXPECT_EQ(shown.left, cell.left);
    EXPECT_EQ(shown.right, cell.right);
    EXPECT_EQ(shown.top, cell.top);

    SendMessageW(combo, CB_SETCURSEL, 3, 0);
    PressKey(VK_RETURN);
    EXPECT_EQ(dialog.closedBy, 0);
    ASSERT_EQ(dialog.ends.size(), 1u);
    EXPECT_EQ(dialog.ends[0].row, 1);
    EXPECT_EQ(dialog.ends[0].column, 2);
    EXPECT_EQ(dialog.ends[0].text, CString(L"km"));

    // Escape reports the text the cell had, even after another choice.
    ClickCell(2, 2);
    ASSERT_NE(Editor(L"ComboBox"), nullptr);
    SendMessageW(Editor(L"ComboBox"), CB_SETCURSEL, 1, 0);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(dialog.closedBy, 0);
    ASSERT_EQ(dialog.ends.size(), 2u);
    EXPECT_EQ(dialog.ends[1].text, CString(L"m"));
}

namespace {
// The rectangles combo boxes of this thread are made with, in their parent's
// client coordinates: the list the platform drops down is as tall as that.
struct ComboCreations {
    ComboCreations() : previous(current), hook(SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId())) {
        current = this;
    }
    ~ComboCreations() {
        UnhookWindowsHookEx(hook);
        current = previous;
    }
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND && current) {
            const CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
            WCHAR name[32] = {};
            GetClassNameW(HWND(wParam), name, 32);
            if (lstrcmpiW(name, L"ComboBox") == 0)
                current->made.push_back(RECT{create->x, create->y, create->x + create->cx, create->y + create->cy});
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static ComboCreations* current;
    ComboCreations* previous;
    HHOOK hook;
    std::vector<RECT> made;
};
ComboCreations* ComboCreations::current = nullptr;
}  // namespace

TEST_F(EditListFixture, DropDownIsThirteenRowsBelowTheCellForThreeChoicesAndElevenForTwelve) {
    list.SetChoiceColumn(2);
    dialog.choices[2] = {L"m", L"cm", L"mm"};
    ComboCreations combos;
    ClickCell(0, 2);
    ASSERT_NE(Editor(L"ComboBox"), nullptr);
    ASSERT_EQ(combos.made.size(), 1u);
    const RECT cell = Cell(list, 0, 2);
    const int rowHeight = cell.bottom - cell.top;
    ASSERT_GT(rowHeight, 0);
    EXPECT_EQ(combos.made[0].top, cell.top);
    EXPECT_EQ(combos.made[0].bottom - cell.bottom, 13 * rowHeight);
    PressKey(VK_ESCAPE);

    for (int i = 3; i < 12; ++i) dialog.choices[2].push_back(CString(L"c") + CString(WCHAR('a' + i)));
    ClickCell(1, 2);
    ASSERT_NE(Editor(L"ComboBox"), nullptr);
    ASSERT_EQ(combos.made.size(), 2u);
    EXPECT_EQ(combos.made[1].bottom - Cell(list, 1, 2).bottom, 11 * rowHeight);
    // What the platform drops down follows: two rows shorter than for three.
    PressKey(VK_ESCAPE);
}

TEST_F(EditListFixture, ClosingTheDropDownEndsTheEdit) {
    list.SetChoiceColumn(1);
    dialog.choices[1] = {L"10", L"20", L"30"};
    ClickCell(0, 1);
    const HWND combo = Editor(L"ComboBox");
    ASSERT_NE(combo, nullptr);
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageW(combo, CB_SETCURSEL, 2, 0);
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    Pump();
    ASSERT_EQ(dialog.ends.size(), 1u);
    EXPECT_EQ(dialog.ends[0].text, CString(L"30"));
    EXPECT_FALSE(IsWindow(combo));
}

TEST_F(EditListFixture, ScrollingEndsTheEdit) {
    ClickCell(0, 0);
    ASSERT_NE(Editor(), nullptr);
    Type(L"新");
    SendMessageW(list, WM_VSCROLL, SB_LINEDOWN, 0);
    Pump();
    ASSERT_EQ(dialog.ends.size(), 1u);
    EXPECT_EQ(dialog.ends[0].text, CString(L"新"));
    EXPECT_EQ(Editor(), nullptr);
}

TEST_F(EditListFixture, CellPartlyPastTheRightEdgeScrollsIntoViewUnderItsEditor) {
    CEditListCtrl narrow;
    MakeList(narrow, RECT{5, 250, 205, 400});  // 200 wide: column 2 (180-240) is cut off
    RECT client;
    GetClientRect(narrow, &client);
    ASSERT_LT(client.right, 240);
    const RECT before = Cell(narrow, 0, 2);
    const LPARAM at = MAKELPARAM(before.left + 5, (before.top + before.bottom) / 2);
    PostMessageW(narrow, WM_LBUTTONUP, 0, at);
    SendMessageW(narrow, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Pump();
    const HWND edit = FindWindowExW(narrow, nullptr, L"Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    const RECT after = Cell(narrow, 0, 2);
    EXPECT_EQ(after.right, client.right) << "scrolled until the cell ends at the right edge";
    RECT shown;
    GetWindowRect(edit, &shown);
    MapWindowPoints(nullptr, narrow, reinterpret_cast<POINT*>(&shown), 2);
    ExpectSameRect(shown, after);
}

TEST_F(EditListFixture, EachListKeepsItsEditorWhenAnotherListGoes) {
    auto other = std::make_unique<CEditListCtrl>();
    MakeList(*other, RECT{5, 250, 395, 350});
    ClickCell(*other, 0, 1);
    ASSERT_NE(FindWindowExW(*other, nullptr, L"Edit", nullptr), nullptr);
    ClickCell(1, 1);
    ASSERT_NE(Editor(), nullptr);
    const std::size_t reports = dialog.ends.size();
    Type(L"99");
    // Destroying the other list while this one edits.
    other.reset();
    Pump();
    ASSERT_NE(Editor(), nullptr);
    PressKey(VK_RETURN);
    ASSERT_EQ(dialog.ends.size(), reports + 1);
    EXPECT_EQ(dialog.ends.back().text, CString(L"99"));
    EXPECT_EQ(dialog.ends.back().row, 1);
}

// ------------------------------------------------ per-cell font and colour

namespace {

const int kRows = 5000;

// An owner-data list whose column 1 is drawn in its own font, red text on
// yellow for row 3; records each question and the font in the device
// context when a cell is about to be drawn.
class CellFontList : public CVarnPListCtrl {
public:
    CellFontList() : special(CreateFontW(-15, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma")) {}

    UniqueFont special;
    std::vector<std::pair<int, int>> fontCalls;
    std::map<std::pair<int, int>, HFONT> selected;

protected:
    HFONT OnGetCellFont(int row, int column, LPARAM) override {
        fontCalls.emplace_back(row, column);
        return column == 1 ? special.get() : nullptr;
    }
    COLORREF OnGetCellTextColor(int row, int column) override {
        return row == 3 && column == 1 ? RGB(255, 0, 0) : CLR_DEFAULT;
    }
    COLORREF OnGetCellBkColor(int row, int column) override {
        return row == 3 && column == 2 ? RGB(255, 255, 0) : CLR_DEFAULT;
    }
    BOOL OnNotifyReflect(NMHDR* header, LRESULT* result) override {
        const BOOL handled = CVarnPListCtrl::OnNotifyReflect(header, result);
        auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
        if (header->code == NM_CUSTOMDRAW && draw->nmcd.dwDrawStage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM))
            selected[{int(draw->nmcd.dwItemSpec), draw->iSubItem}] = HFONT(GetCurrentObject(draw->nmcd.hdc, OBJ_FONT));
        return handled;
    }
};

// Texts of the owner-data rows.
class DataParent : public CWnd {
public:
    DataParent() {
        CreateEx(0, nullptr, L"字体", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 420, 300}, nullptr, 0);
    }

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override {
        auto* info = reinterpret_cast<NMLVDISPINFOW*>(lParam);
        if (info->hdr.code != LVN_GETDISPINFOW || !(info->item.mask & LVIF_TEXT)) return FALSE;
        wsprintfW(info->item.pszText, L"%s %d", info->item.iSubItem == 1 ? L"WWWW" : L"行", info->item.iItem);
        *result = 0;
        return TRUE;
    }
};

struct CellFontFixture : ::testing::Test {
    DataParent parent;
    CellFontList list;

    void SetUp() override {
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, RECT{0, 0, 400, 260}, &parent, 7));
        for (int c = 0; c < 3; ++c) list.InsertColumn(c, L"列", 120);
        list.SetItemCountEx(kRows, 0);
        UpdateWindow(list);
        list.fontCalls.clear();
        list.selected.clear();
    }

    void Repaint() {
        list.fontCalls.clear();
        list.selected.clear();
        InvalidateRect(list, nullptr, TRUE);
        UpdateWindow(list);
    }
};

// Counts the pixels of one colour inside a rectangle of a 32-bit image.
int CountColour(const std::vector<DWORD>& pixels, int width, const RECT& r, COLORREF colour) {
    const DWORD want = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if ((pixels[std::size_t(y * width + x)] & 0xFFFFFF) == want) ++count;
    return count;
}

}  // namespace

TEST_F(CellFontFixture, OwnerDataListAsksOnlyForTheRowsItPaints) {
    Repaint();
    const int top = list.GetTopIndex();
    const int perPage = list.GetCountPerPage();
    ASSERT_GT(perPage, 3);
    ASSERT_FALSE(list.fontCalls.empty());
    std::set<int> rows;
    for (const auto& call : list.fontCalls) {
        EXPECT_GE(call.first, top);
        EXPECT_LE(call.first, top + perPage);
        rows.insert(call.first);
    }
    EXPECT_GE(int(rows.size()), perPage);
    EXPECT_LE(list.fontCalls.size(), std::size_t(3 * (perPage + 1)));

    list.EnsureVisible(2500, FALSE);
    Repaint();
    ASSERT_FALSE(list.fontCalls.empty());
    for (const auto& call : list.fontCalls) {
        EXPECT_GE(call.first, list.GetTopIndex());
        EXPECT_LE(call.first, list.GetTopIndex() + perPage);
    }
}

TEST_F(CellFontFixture, EachCellIsDrawnInTheFontItsRowAndColumnGive) {
    Repaint();
    ASSERT_FALSE(list.selected.empty());
    const HFONT own = list.GetFont();
    for (const auto& cell : list.selected) {
        // The list's own font comes back after a cell in another font.
        if (cell.first.second == 1)
            EXPECT_EQ(cell.second, list.special.get()) << "row " << cell.first.first;
        else
            EXPECT_EQ(cell.second, own) << "row " << cell.first.first << " column " << cell.first.second;
    }
}

TEST_F(CellFontFixture, CellColoursReachThePaintedPixels) {
    RECT client;
    GetClientRect(list, &client);
    const int width = client.right, height = client.bottom;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    WindowDc screen(list);
    UniqueBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    ASSERT_TRUE(bitmap && memory);
    std::vector<DWORD> pixels(std::size_t(width * height));
    {
        SelectedObject selected(memory.get(), bitmap.get());
        SendMessageW(list, WM_PRINTCLIENT, WPARAM(memory.get()), PRF_CLIENT | PRF_ERASEBKGND);
        GdiFlush();
        memcpy(pixels.data(), bits, pixels.size() * sizeof(DWORD));
    }
    RECT text1, back2, other;
    list.GetSubItemRect(3, 1, LVIR_BOUNDS, &text1);
    list.GetSubItemRect(3, 2, LVIR_BOUNDS, &back2);
    list.GetSubItemRect(4, 1, LVIR_BOUNDS, &other);
    EXPECT_GT(CountColour(pixels, width, text1, RGB(255, 0, 0)), 10) << "red text in (3, 1)";
    EXPECT_EQ(CountColour(pixels, width, other, RGB(255, 0, 0)), 0) << "the next row keeps the list's colour";
    const int area = (back2.right - back2.left) * (back2.bottom - back2.top);
    EXPECT_GT(CountColour(pixels, width, back2, RGB(255, 255, 0)), area / 2) << "yellow behind (3, 2)";
    EXPECT_EQ(CountColour(pixels, width, text1, RGB(255, 255, 0)), 0);
}
