// Paints an owner-data list of 5,000 rows whose column 4 is drawn in a font
// and colour per row (as the language list draws each language's font),
// the same list answering the list's own font and colour for every cell, and
// a plain list view without custom drawing; counts what each paint asks for
// and prints the median full-repaint times and their ratios.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <vector>

#include "framework/Wnd.h"
#include "host/ui/VarnPListCtrl.h"

namespace {

const int kRows = 5000;
const int kColumns = 5;
const int kFontColumn = 4;
const int kRepaints = 10;  // per timed batch
const int kBatches = 21;   // the median batch is reported

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(values.size() / 2), values.end());
    return values[values.size() / 2];
}

// Eight fonts and colours shared out over the rows, as languages share faces.
class FontList : public CVarnPListCtrl {
public:
    // false: the same list asked the same questions, answering "the list's own".
    explicit FontList(bool perCellFonts) : perCell(perCellFonts) {
        const wchar_t* faces[] = {L"Tahoma", L"Arial", L"Courier New", L"Times New Roman"};
        for (int i = 0; i < 8; ++i)
            fonts[i].reset(CreateFontW(-12 - i % 3, 0, 0, 0, i % 2 ? FW_BOLD : FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                       0, 0, faces[i % 4]));
    }
    bool perCell;
    UniqueFont fonts[8];
    long fontCalls = 0;
    long colourCalls = 0;
    std::set<int> rowsAsked;

protected:
    HFONT OnGetCellFont(int row, int column, LPARAM) override {
        ++fontCalls;
        rowsAsked.insert(row);
        return perCell && column == kFontColumn ? fonts[row % 8].get() : nullptr;
    }
    COLORREF OnGetCellTextColor(int row, int column) override {
        ++colourCalls;
        return perCell && column == kFontColumn ? RGB(40 * (row % 6), 0, 128) : CLR_DEFAULT;
    }
};

class Host : public CWnd {
public:
    Host() { CreateEx(0, nullptr, L"语言", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 760, 860}, nullptr, 0); }

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override {
        auto* info = reinterpret_cast<NMLVDISPINFOW*>(lParam);
        if (info->hdr.code != LVN_GETDISPINFOW || !(info->item.mask & LVIF_TEXT)) return FALSE;
        static const wchar_t* columns[kColumns] = {L"语言 %d", L"0x%04X", L"名称 %d", L"本地 %d", L"Font face %d"};
        wsprintfW(info->item.pszText, columns[info->item.iSubItem], info->item.iItem);
        *result = 0;
        return TRUE;
    }
};

void Fill(CListCtrl& list, Host& host, int top) {
    list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS,
                RECT{0, top, 740, top + 260}, &host, UINT(100 + top));
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES);
    for (int c = 0; c < kColumns; ++c) list.InsertColumn(c, L"列", 140);
    list.SetItemCountEx(kRows, 0);
}

double Repaints(HWND list) {
    const double start = Now();
    for (int i = 0; i < kRepaints; ++i) {
        InvalidateRect(list, nullptr, TRUE);
        UpdateWindow(list);
    }
    return (Now() - start) / kRepaints;
}

}  // namespace

int main() {
    Host host;
    FontList fonted(true);
    FontList same(false);
    CListCtrl plain;
    Fill(fonted, host, 0);
    Fill(same, host, 540);
    Fill(plain, host, 270);
    UpdateWindow(fonted);
    UpdateWindow(same);
    UpdateWindow(plain);

    // One full paint: which rows the list asked about.
    fonted.fontCalls = fonted.colourCalls = 0;
    fonted.rowsAsked.clear();
    InvalidateRect(fonted, nullptr, TRUE);
    UpdateWindow(fonted);
    const int perPage = int(fonted.SendMessage(LVM_GETCOUNTPERPAGE));
    std::printf("%d rows, %d columns, %d fully visible rows per page\n", kRows, kColumns, perPage);
    std::printf("one paint at the top: %zu rows asked (%d..%d), %ld font and %ld colour questions\n",
                fonted.rowsAsked.size(), (fonted.rowsAsked.empty() ? -1 : *fonted.rowsAsked.begin()), (fonted.rowsAsked.empty() ? -1 : *fonted.rowsAsked.rbegin()), fonted.fontCalls,
                fonted.colourCalls);
    fonted.EnsureVisible(kRows / 2, FALSE);
    plain.EnsureVisible(kRows / 2, FALSE);
    same.EnsureVisible(kRows / 2, FALSE);
    UpdateWindow(fonted);
    fonted.fontCalls = 0;
    fonted.rowsAsked.clear();
    InvalidateRect(fonted, nullptr, TRUE);
    UpdateWindow(fonted);
    std::printf("one paint at row %d: %zu rows asked (%d..%d), %ld font questions\n",
                int(fonted.SendMessage(LVM_GETTOPINDEX)), fonted.rowsAsked.size(), (fonted.rowsAsked.empty() ? -1 : *fonted.rowsAsked.begin()),
                (fonted.rowsAsked.empty() ? -1 : *fonted.rowsAsked.rbegin()), fonted.fontCalls);

    // The machine is shared: batches of both kinds alternate so that both see
    // the same load, and the median batch ratio is the figure.
    std::vector<double> withFonts, sameList, plainList, toSame, toPlain;
    for (int b = 0; b < kBatches; ++b) {
        withFonts.push_back(Repaints(fonted));
        sameList.push_back(Repaints(same));
        plainList.push_back(Repaints(plain));
        toSame.push_back(withFonts.back() / sameList.back());
        toPlain.push_back(withFonts.back() / plainList.back());
    }
    std::printf("full repaint, median of %d batches of %d:\n", kBatches, kRepaints);
    std::printf("  per-cell font and colour          %7.3f ms\n", Median(withFonts) * 1e3);
    std::printf("  same list, no per-cell font       %7.3f ms  ratio %.2f\n", Median(sameList) * 1e3, Median(toSame));
    std::printf("  plain list view, no custom draw   %7.3f ms  ratio %.2f\n", Median(plainList) * 1e3,
                Median(toPlain));
    return 0;
}
