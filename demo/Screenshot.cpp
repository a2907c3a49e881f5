#include "Screenshot.h"

#include <cstdio>
#include <memory>

#include "PngWriter.h"
#include "base/win/UniqueHandle.h"

namespace {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

}  // namespace

bool SaveWindowPng(HWND hWnd, const wchar_t* path) { return SaveWindowsPng({hWnd}, path); }

bool SaveWindowsPng(const std::vector<HWND>& windows, const wchar_t* path) {
    // Each window is read from its own surface: the screen itself need not
    // show them (a window of another program could be in front).
    RECT area = {};
    std::vector<RECT> frames;
    for (HWND window : windows) {
        RECT frame;
        if (!GetWindowRect(window, &frame) || frame.right <= frame.left || frame.bottom <= frame.top) return false;
        if (frames.empty()) area = frame;
        UnionRect(&area, &area, &frame);
        frames.push_back(frame);
    }
    if (frames.empty()) return false;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;

    WindowDc screenDc(nullptr);
    if (!screenDc) return false;
    UniqueMemoryDc memoryDc(CreateCompatibleDC(screenDc.get()));

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(screenDc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memoryDc || !bitmap || !bits) return false;

    bool copied = true;
    {
        SelectedObject selected(memoryDc.get(), bitmap.get());
        PatBlt(memoryDc.get(), 0, 0, width, height, WHITENESS);
        for (std::size_t i = 0; i < windows.size() && copied; ++i) {
            WindowDc windowDc(windows[i], true);
            const RECT& frame = frames[i];
            copied = windowDc && BitBlt(memoryDc.get(), frame.left - area.left, frame.top - area.top,
                                        frame.right - frame.left, frame.bottom - frame.top, windowDc.get(), 0, 0, SRCCOPY);
        }
    }
    if (!copied) return false;
    GdiFlush();

    const unsigned char* bgra = static_cast<const unsigned char*>(bits);
    std::vector<unsigned char> rgb(std::size_t(width) * height * 3);
    for (std::size_t i = 0, n = std::size_t(width) * height; i < n; ++i) {
        rgb[i * 3] = bgra[i * 4 + 2];
        rgb[i * 3 + 1] = bgra[i * 4 + 1];
        rgb[i * 3 + 2] = bgra[i * 4];
    }
    std::vector<unsigned char> png = EncodePng(width, height, rgb);
    std::unique_ptr<FILE, FileCloser> file(_wfopen(path, L"wb"));
    return !png.empty() && file && std::fwrite(png.data(), 1, png.size(), file.get()) == png.size();
}
