#pragma once

#include "base/CString.h"
#include "base/Types.h"

class CMainWindow;

// Opens the dictionary editor the way its menu item does and, from inside
// its modal loop, writes into folder, for the editor's language lcid, named
// locale in the file names:
// editor-language-<locale>.png (the language dialog of that language's row,
// after a face, size and colour were chosen with the font field's browse
// button; it is left with Cancel, which must put the old font back),
// editor-settings-<locale>.png (the settings page after that),
// editor-system-<locale>.png and editor-project-<locale>.png (the word pages,
// reached by double-clicking their tree items) and editor-find-<locale>.png
// (the editor with the find dialog that the system page's find button
// opens), then leaves it with Cancel. Empty when all of them were written
// and the editor ended with Cancel, else what went wrong.
CString CaptureEditor(CMainWindow& main, const CString& folder, DWORD lcid, const CString& locale);
