// A sample function-diagram plug-in: the names of a few diagram blocks and
// their German labels, as a host's solution module would report them.
#include "plugins/FunctionDiagramPlugin.h"

QOR_FUNCTION_DIAGRAM_EXPORT QorFunctionDiagramTexts* GetFunctionDiagramAllText() {
    auto* texts = new (std::nothrow) QorFunctionDiagramTexts;
    if (!texts) return nullptr;
    try {
        texts->emplace(L"比例积分微分", L"PID-Regler");
        texts->emplace(L"模拟量输入", L"Analogeingang");
        texts->emplace(L"模拟量输出", L"Analogausgang");
        texts->emplace(L"开关量输入", L"Digitaleingang");
        texts->emplace(L"开关量输出", L"Digitalausgang");
        texts->emplace(L"高选", L"Maximumauswahl");
        texts->emplace(L"低选", L"Minimumauswahl");
    } catch (...) {
        delete texts;
        return nullptr;
    }
    return texts;
}
