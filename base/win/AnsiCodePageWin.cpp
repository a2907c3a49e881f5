#include <windows.h>

#include "base/AnsiCodePage.h"

CString QorAnsiToString(const char* text, std::size_t length) {
    CString out;
    if (length == 0) return out;
    int units = MultiByteToWideChar(CP_ACP, 0, text, int(length), nullptr, 0);
    if (units <= 0) return out;
    WCHAR* buffer = out.GetBuffer(units);
    MultiByteToWideChar(CP_ACP, 0, text, int(length), buffer, units);
    out.ReleaseBuffer(units);
    return out;
}
