#pragma once

#include <windows.h>

#include <vector>

// Writes what the window shows on screen, frame and menu bar included, to a
// PNG file. False when the window could not be read or the file written.
bool SaveWindowPng(HWND hWnd, const wchar_t* path);

// The same for windows that overlap, drawn in the order given (the last on
// top) on a picture just big enough for all of them; the screen between
// them is left white.
bool SaveWindowsPng(const std::vector<HWND>& windows, const wchar_t* path);
