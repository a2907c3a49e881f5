// Times the virtual grid against an owner-data list view (LVS_OWNERDATA,
// LVN_GETDISPINFO) showing the same five columns of the same texts, on
// 100,000 and 1,000,000 rows: creating the window up to its first paint,
// and one page of scrolling (SB_PAGEDOWN and the paint that follows), paged
// through 2,000 pages or to the end. Prints both, and their ratio.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <vector>

#include "framework/Wnd.h"
#include "host/ui/VarnPGridCtrl.h"

namespace {

const int kColumns = 5;
const int kMaxPages = 2000;
const int kRuns = 3;  // alternating, the median is reported
const wchar_t* const kHeadings[kColumns] = {L"更新时间", L"原始字符串", L"English", L"Deutsch", L"Français"};
const int kWidths[kColumns] = {130, 150, 150, 150, 150};

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

// The same text for both controls, made on demand as a word page makes it.
int CellText(int row, int column, wchar_t* buffer, int size) {
    switch (column) {
    case 0: return std::swprintf(buffer, std::size_t(size), L"2024-%02d-%02d 12:%02d:%02d", 1 + row % 12, 1 + row % 28, row % 60, (row / 60) % 60);
    case 1: return std::swprintf(buffer, std::size_t(size), L"原始字符串 %d", row);
    default: return std::swprintf(buffer, std::size_t(size), L"Translation %d of word %d", column - 1, row);
    }
}

long g_cellCalls = 0;

BOOL GridCell(CVarnPGridDisplayInfo* info, LPARAM) {
    ++g_cellCalls;
    wchar_t buffer[64];
    CellText(info->row, info->column, buffer, 64);
    info->value = COleVariant(buffer);
    return TRUE;
}

// The list view's parent: answers its display-info requests.
class ListHost : public CWnd {
protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code != LVN_GETDISPINFOW) return FALSE;
        auto* info = reinterpret_cast<NMLVDISPINFOW*>(lParam);
        if (info->item.mask & LVIF_TEXT) {
            ++g_cellCalls;
            CellText(info->item.iItem, info->item.iSubItem, info->item.pszText, info->item.cchTextMax);
        }
        *result = 0;
        return TRUE;
    }
};

struct Figures {
    double open = 0;     // seconds to create and paint once
    double perPage = 0;  // seconds per page
    int pages = 0;
    int topAfter = 0;
    double cellsPerPage = 0;
};

const RECT kArea{0, 0, 900, 600};

Figures TimeGrid(CWnd& host, int rows) {
    Figures figures;
    const double start = Now();
    CVarnPGridCtrl grid;
    grid.Create(WS_VISIBLE, kArea, &host, 1);
    grid.EnableVirtualMode(GridCell, 0);
    for (int c = 0; c < kColumns; ++c) grid.InsertColumn(-1, kHeadings[c], kWidths[c]);
    grid.FreezeColumns(2, TRUE);
    grid.SetVirtualRows(rows);
    grid.AdjustLayout();
    UpdateWindow(grid.GetSafeHwnd());
    figures.open = Now() - start;

    figures.pages = std::min(kMaxPages, rows / grid.GetPageRows());
    g_cellCalls = 0;
    const double scrollStart = Now();
    for (int p = 0; p < figures.pages; ++p) {
        SendMessageW(grid.GetSafeHwnd(), WM_VSCROLL, SB_PAGEDOWN, 0);
        UpdateWindow(grid.GetSafeHwnd());
    }
    figures.perPage = (Now() - scrollStart) / std::max(1, figures.pages);
    figures.cellsPerPage = double(g_cellCalls) / std::max(1, figures.pages);
    figures.topAfter = grid.GetTopRow();
    return figures;
}

Figures TimeList(ListHost& host, int rows) {
    Figures figures;
    const double start = Now();
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, kArea.left,
                                kArea.top, kArea.right - kArea.left, kArea.bottom - kArea.top, host.GetSafeHwnd(),
                                reinterpret_cast<HMENU>(INT_PTR(2)), nullptr, nullptr);
    UniqueWindow owner(list);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
    for (int c = 0; c < kColumns; ++c) {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<LPWSTR>(kHeadings[c]);
        column.cx = kWidths[c];
        SendMessageW(list, LVM_INSERTCOLUMNW, WPARAM(c), LPARAM(&column));
    }
    SendMessageW(list, LVM_SETITEMCOUNT, WPARAM(rows), 0);
    UpdateWindow(list);
    figures.open = Now() - start;

    const int page = std::max(1, int(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0)));
    figures.pages = std::min(kMaxPages, rows / page);
    g_cellCalls = 0;
    const double scrollStart = Now();
    for (int p = 0; p < figures.pages; ++p) {
        SendMessageW(list, WM_VSCROLL, SB_PAGEDOWN, 0);
        UpdateWindow(list);
    }
    figures.perPage = (Now() - scrollStart) / std::max(1, figures.pages);
    figures.cellsPerPage = double(g_cellCalls) / std::max(1, figures.pages);
    figures.topAfter = int(SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
    return figures;
}

double Median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(values.size() / 2), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main() {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    ListHost host;
    host.CreateEx(0, nullptr, L"表格", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 940, 660}, nullptr, 0);

    std::printf("%d columns, %d x %d px, median of %d alternating runs; a page is SB_PAGEDOWN + UpdateWindow\n",
                kColumns, int(kArea.right), int(kArea.bottom), kRuns);
    for (int rows : {100000, 1000000}) {
        std::vector<double> gridOpen, listOpen, gridPage, listPage;
        Figures grid, list;
        for (int run = 0; run < kRuns; ++run) {
            grid = TimeGrid(host, rows);
            list = TimeList(host, rows);
            gridOpen.push_back(grid.open);
            listOpen.push_back(list.open);
            gridPage.push_back(grid.perPage);
            listPage.push_back(list.perPage);
        }
        std::printf("%8d rows  open+first paint: grid %7.2f ms  list view %7.2f ms  ratio %.2f\n", rows,
                    Median(gridOpen) * 1e3, Median(listOpen) * 1e3, Median(gridOpen) / Median(listOpen));
        std::printf("%8s       per page:         grid %7.3f ms  list view %7.3f ms  ratio %.2f"
                    "  (%d / %d pages, top row %d / %d, cells asked per page %.0f / %.0f)\n",
                    "", Median(gridPage) * 1e3, Median(listPage) * 1e3, Median(gridPage) / Median(listPage),
                    grid.pages, list.pages, grid.topAfter, list.topAfter, grid.cellsPerPage, list.cellsPerPage);
    }
    return 0;
}
