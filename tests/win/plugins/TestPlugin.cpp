// Function-diagram plug-ins that misbehave, one per build variant.
#include <stdexcept>

#include "plugins/FunctionDiagramPlugin.h"

#if defined(TEST_PLUGIN_THROWING)
QOR_FUNCTION_DIAGRAM_EXPORT QorFunctionDiagramTexts* GetFunctionDiagramAllText() {
    throw std::runtime_error("the solution module is not ready");
}
#elif defined(TEST_PLUGIN_NULL)
QOR_FUNCTION_DIAGRAM_EXPORT QorFunctionDiagramTexts* GetFunctionDiagramAllText() { return nullptr; }
#elif defined(TEST_PLUGIN_GARBAGE)
QOR_FUNCTION_DIAGRAM_EXPORT QorFunctionDiagramTexts* GetFunctionDiagramAllText() {
    return new QorFunctionDiagramTexts{{CString(), L"leer"}};
}
#elif defined(TEST_PLUGIN_NOEXPORT)
extern "C" __declspec(dllexport) int GetSomethingElse() { return 1; }
#else
#error "choose a variant"
#endif
