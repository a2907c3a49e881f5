#pragma once

#include <windows.h>

// Writes what the window shows on screen, frame and menu bar included, to a
// PNG file. False when the window could not be read or the file written.
bool SaveWindowPng(HWND hWnd, const wchar_t* path);
