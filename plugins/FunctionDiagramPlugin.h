#pragma once

// The contract of the function-diagram plug-in: "ModuleSolution.dll" in the
// "Plugins" folder under the host's module folder, exporting
//
//     QOR_FUNCTION_DIAGRAM_EXPORT QorFunctionDiagramTexts* GetFunctionDiagramAllText();
//
// which returns a map allocated with `new` from each text of the function
// diagrams to its translation, or null when there is nothing to add. The
// editor visits the pairs in the map's key order and then deletes the map.
//
// The map and its strings cross the module boundary, so the plug-in must
// share with QorDictionary.dll:
// - the compiler and C++ standard library (the map's layout), and the C
//   runtime DLL that `new` and `delete` end in (the map's nodes are freed by
//   the editor): build with the same MinGW-w64 g++ or the same MSVC version
//   and runtime as the library;
// - the library's CString: link against QorDictionary.dll, so that every
//   string buffer is made and freed by the library's own code.
// The export must not throw; an exception that escapes it is caught and the
// dictionary stays as it was. Pairs with an empty text are ignored.

#include <map>

#include "base/CString.h"

typedef std::map<CString, CString> QorFunctionDiagramTexts;
typedef QorFunctionDiagramTexts* (*QorGetFunctionDiagramAllTextProc)();

#define QOR_FUNCTION_DIAGRAM_PLUGIN_FILE L"ModuleSolution.dll"
#define QOR_FUNCTION_DIAGRAM_EXPORT_NAME "GetFunctionDiagramAllText"
#define QOR_FUNCTION_DIAGRAM_EXPORT extern "C" __declspec(dllexport)
