#include "sheets/WordSheetExporter.h"

#include "base/Exceptions.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"
#include "sheets/SheetProgress.h"
#include "sheets/SheetWriter.h"
#include "sheets/WordSheetLayout.h"

CWordSheetExporter::CWordSheetExporter(CQorDictionaryManager* manager, DICTMODE mode,
                                       std::vector<CQorLanguageDict*> languages)
    : m_manager(manager), m_mode(mode), m_languages(std::move(languages)) {}

bool CWordSheetExporter::Export(ISheetWriter& writer, const CString& path, ISheetProgress* progress, Result& result,
                                CString& error) {
    result = Result();
    error.Empty();
    ISheetProgress silent;
    if (!progress) progress = &silent;

    std::vector<CString> headings{QorUpdateTimeHeading(), QorOriginalStringHeading()};
    for (std::size_t i = 0; i < m_languages.size(); ++i)
        headings.push_back(i < m_languageHeadings.size() ? m_languageHeadings[i]
                                                         : QorLanguageHeading(m_languages[i]->GetLanguageID()));

    CQorDictionaryWord* master = QorMasterWordList(m_manager, m_mode);
    CList<CQorDictWordElement*, CQorDictWordElement*>* words = master ? master->GetDictionaryList() : nullptr;
    const CString sheetName = QSTR("Sheet1");
    try {
        writer.Begin(path, sheetName, headings);
        progress->BeginSheet(sheetName, words ? long(words->GetCount()) : 0);
        std::vector<CString> cells(headings.size());
        for (POSITION pos = words ? words->GetHeadPosition() : nullptr; pos;) {
            const CQorDictWordElement* word = words->GetNext(pos);
            progress->StepIt();
            if (progress->IsBreaked()) {
                result.stopped = true;
                break;
            }
            if (!word) continue;
            const CString original = word->GetOriginalCharacter();
            cells[0] = QorUpdateTimeText(word->GetUpdateDateTime());
            cells[1] = original;
            for (std::size_t i = 0; i < m_languages.size(); ++i) {
                const CQorDictWordElement* entry = m_languages[i]->FindWord(m_mode, original);
                cells[2 + i] = entry ? entry->GetDisplayCharacter() : CString();
            }
            writer.AddRow(cells);
            ++result.rowsWritten;
        }
        writer.Finish();
        return true;
    } catch (const CFileException& e) {
        error = CString::FromNativeText(e.GetReason());  // names the file already
        return false;
    } catch (const CException& e) {
        error.Format(QSTR("cannot write '%s': %S"), path.GetString(), e.GetReason().c_str());
        return false;
    }
}
