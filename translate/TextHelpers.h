#pragma once

#include <windows.h>

#include "base/CList.h"
#include "base/CString.h"
#include "base/QorApi.h"

class CQorDictionaryManager;
class CWnd;

// How the editor's own dialogs and strings show themselves in the user's
// language: always through the system dictionary and its default language.

// String-table entry nID of module hInst (at most 259 characters); empty when
// the entry is missing.
QOR_API CString LoadModuleString(HINSTANCE hInst, UINT nID);

// The entry translated by the system default language; the loaded text when
// there is no manager, no such language or no translation. The dictionary's
// enable flag is not consulted: the editor is translated even when the host
// is not.
QOR_API CString LoadDictString(CQorDictionaryManager* pManager, HINSTANCE hInst, UINT nID);

// Relabels a dialog (caption included) once, with the system default
// language. Controls that hold data rather than interface text go in
// pExceptWnds; those that must keep their own font also in pExceptFontWnds.
QOR_API void TranslateDialog(HWND hWnd, CQorDictionaryManager* pManager,
                             const CDWordArray* pExceptWnds = nullptr,
                             const CDWordArray* pExceptFontWnds = nullptr);

// Gives one window (not its children) the system default language's font,
// when font switching is on.
QOR_API void ApplyLanguageFont(CWnd* pWnd, CQorDictionaryManager* pManager);

// The locale's name ("de-DE") and its language's own name ("Deutsch"), or
// "Not supported language" when the platform has no data for lcid.
QOR_API CString GetLCIDLocaleName(LCID lcid);
QOR_API CString GetLCIDNativeName(LCID lcid);
