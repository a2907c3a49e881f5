#include "pages/WordCellCheck.h"

#include "checks/DictionaryCheck.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"

WordCellCheck CheckWordCell(CQorDictionaryManager& manager, CDictionaryChecker& checker,
                            const CQorDictWordElement* entry, int column, const std::vector<DWORD>& languageColumns,
                            DICTMODE mode) {
    WordCellCheck cell;
    const int index = column - 2;
    if (!entry || index < 0 || index >= int(languageColumns.size())) return cell;
    for (const CCheckFinding& finding :
         checker.CheckCell(mode, languageColumns[std::size_t(index)], entry->GetOriginalCharacter())) {
        if (finding.severity == CheckSeverity::Error) cell.mark = WordCellMark::Error;
        else if (cell.mark == WordCellMark::None) cell.mark = WordCellMark::Warning;
        if (!cell.tip.IsEmpty()) cell.tip += WCHAR('\n');
        // The editor's own texts are looked up like every other: a dictionary may translate them.
        cell.tip += manager.GetDisplayCharacter(DICTMODE_SYSTEM, finding.message);
    }
    return cell;
}
