#pragma once

#include <windows.h>

#include "base/QorApi.h"

class CQorDictionaryManager;

// Saves the dictionary to its file. When that fails the user is told which
// file and why, in a message box owned by owner (the active window when
// null); the changes stay in memory. false when the file was not written.
QOR_API bool SaveDictionaryOrTell(CQorDictionaryManager* manager, HWND owner);
