#include "HandleCount.h"

#include <winternl.h>

#include <cstdint>

namespace {
// One entry of the GDI handle table (64-bit layout).
struct GdiHandleEntry {
    std::uint64_t kernelObject;
    std::uint16_t processId;
    std::uint16_t count;
    std::uint16_t upper;  // the handle's upper 16 bits
    std::uint16_t type;
    std::uint64_t userObject;
};
static_assert(sizeof(GdiHandleEntry) == 24, "64-bit table layout");
constexpr std::size_t kGdiHandleTableOffset = 0xF8;  // PEB.GdiSharedHandleTable on x64
constexpr int kMaxGdiHandles = 0x10000;

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, CountChild, count);
    return TRUE;
}
}  // namespace

int LiveGdiObjectCount() {
    const auto* peb = reinterpret_cast<const unsigned char*>(NtCurrentTeb()->ProcessEnvironmentBlock);
    const auto* table = *reinterpret_cast<const GdiHandleEntry* const*>(peb + kGdiHandleTableOffset);
    if (!table) return -1;
    const DWORD process = GetCurrentProcessId();
    int live = 0;
    for (int index = 0; index < kMaxGdiHandles; ++index) {
        const GdiHandleEntry& entry = table[index];
        // Wine leaves the owner empty; Windows names the process.
        if (entry.type == 0 || (entry.processId != 0 && entry.processId != (process & 0xFFFF))) continue;
        const auto handle = reinterpret_cast<HGDIOBJ>(std::uintptr_t(index) | (std::uintptr_t(entry.upper) << 16));
        if (GetObjectType(handle) != 0) ++live;
    }
    return live;
}

int LiveWindowCount() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountTopLevel, LPARAM(&count));
    return count;
}
