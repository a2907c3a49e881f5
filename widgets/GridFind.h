#pragma once

#include <functional>

#include "base/CString.h"
#include "base/QorApi.h"

// The flag word of a find request, bit for bit the find dialog's own.
constexpr DWORD kGridFindDown = 0x1;
constexpr DWORD kGridFindWholeWord = 0x2;
constexpr DWORD kGridFindMatchCase = 0x4;
constexpr DWORD kGridFindNext = 0x8;

// Whether a cell's text matches: it contains the text, as a whole word with
// kGridFindWholeWord (no letter, digit or underscore right before or after),
// letter case folded as the dictionary folds it unless kGridFindMatchCase.
// An empty text matches nothing.
QOR_API bool GridTextMatches(const CString& cell, const CString& text, DWORD flags);

// The first row from start (included) in the direction of kGridFindDown
// whose text matches, without wrapping round; -1 when there is none. A
// start outside the rows finds nothing.
QOR_API int GridFindRow(int start, int rowCount, const CString& text, DWORD flags,
                        const std::function<CString(int row)>& textOf);
