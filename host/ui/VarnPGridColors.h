#pragma once

#include <windows.h>

// The colours a grid paints with.
struct CVarnPGridColors {
    COLORREF background;      // empty area and cells
    COLORREF text;
    COLORREF gridLine;
    COLORREF headerBack;      // column header, row numbers and the corner
    COLORREF headerText;
    COLORREF headerLine;
    COLORREF selectionBack;   // selected rows
    COLORREF selectionText;
    COLORREF currentBorder;   // frame of the current cell
    COLORREF frozenLine;      // the edge after the frozen columns
};
