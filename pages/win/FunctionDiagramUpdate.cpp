#include "pages/win/FunctionDiagramUpdate.h"

#include <windows.h>

#include <memory>

#include "base/win/UniqueHandle.h"
#include "framework/ProgressCtrl.h"
#include "host/QorUtility.h"
#include "model/QorDictionaryManager.h"
#include "pages/GatherRules.h"
#include "plugins/FunctionDiagramPlugin.h"

namespace {
// Nothing thrown by a plug-in may unwind through the editor's window procedure.
std::unique_ptr<QorFunctionDiagramTexts> AskPlugin(QorGetFunctionDiagramAllTextProc export_) {
    try {
        return std::unique_ptr<QorFunctionDiagramTexts>(export_());
    } catch (...) {
        return nullptr;
    }
}
}  // namespace

FunctionDiagramOutcome UpdateFromFunctionDiagramPlugin(CQorDictionaryManager* manager,
                                                       const std::vector<DWORD>& languageColumns,
                                                       CProgressCtrl& progress) {
    FunctionDiagramOutcome outcome;
    CString path;
    path.Format(L"%s\\%s\\%s", CQorUtility::GetModulePath().GetString(), L"Plugins",
                QOR_FUNCTION_DIAGRAM_PLUGIN_FILE);
    UniqueModule plugin(LoadLibraryW(path));
    if (!plugin) return outcome;
    auto export_ = reinterpret_cast<QorGetFunctionDiagramAllTextProc>(
        reinterpret_cast<void*>(GetProcAddress(plugin.get(), QOR_FUNCTION_DIAGRAM_EXPORT_NAME)));
    if (!export_ || !manager || !manager->GetSysDictWord()) return outcome;
    // The map's nodes must go before the code that made them is unloaded.
    std::unique_ptr<QorFunctionDiagramTexts> texts = AskPlugin(export_);
    if (!texts) return outcome;
    outcome.ran = true;
    progress.SetRange32(0, int(texts->size()));
    const DWORD target = FunctionDiagramTargetLanguage(*manager, languageColumns);
    for (const auto& pair : *texts) {
        progress.StepIt();
        const DiagramPairResult result = MergeFunctionDiagramPair(*manager, target, pair.first, pair.second);
        if (result.wordAdded || result.translated) outcome.changed = true;
    }
    texts.reset();
    return outcome;
}
