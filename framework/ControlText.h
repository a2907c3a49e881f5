#pragma once

#include <windows.h>

#include "base/CString.h"

// Reads a text whose length is not known beforehand from a control that
// copies at most `capacity` characters into a buffer and returns how many it
// copied (list-view items, tree items): the buffer grows until the text fits.
template <class Read>
CString ReadGrowingText(Read read) {
    CString text;
    for (int capacity = 256; capacity <= (1 << 20); capacity *= 4) {
        const int copied = read(text.GetBuffer(capacity), capacity);
        if (copied < capacity - 1) {
            text.ReleaseBuffer(copied > 0 ? copied : 0);
            return text;
        }
        text.ReleaseBuffer(0);
    }
    return text;
}
