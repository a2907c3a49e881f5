#pragma once

#include "base/CString.h"

class CMainWindow;

// Opens the dictionary editor the way its menu item does and, from inside
// its modal loop, writes editor-settings-<locale>.png (the page shown on
// opening), editor-system-<locale>.png and editor-project-<locale>.png (the
// word pages, reached by double-clicking their tree items) into folder, then
// leaves it with Cancel. Empty when all three were written and the editor
// ended with Cancel, else what went wrong.
CString CaptureEditor(CMainWindow& main, const CString& folder, const CString& locale);
