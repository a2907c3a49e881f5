#include "Screenshot.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "PngWriter.h"
#include "base/win/UniqueHandle.h"

namespace {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

}  // namespace

bool SaveWindowPng(HWND hWnd, const wchar_t* path) {
    RECT frame;
    if (!GetWindowRect(hWnd, &frame)) return false;
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    if (width <= 0 || height <= 0) return false;

    WindowDc windowDc(hWnd, true);
    if (!windowDc) return false;
    UniqueMemoryDc memoryDc(CreateCompatibleDC(windowDc.get()));

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(windowDc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memoryDc || !bitmap || !bits) return false;

    BOOL copied;
    {
        SelectedObject selected(memoryDc.get(), bitmap.get());
        copied = BitBlt(memoryDc.get(), 0, 0, width, height, windowDc.get(), 0, 0, SRCCOPY);
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
