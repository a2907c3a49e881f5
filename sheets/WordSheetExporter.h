#pragma once

#include <vector>

#include "base/CString.h"
#include "base/QorApi.h"
#include "model/DictMode.h"

class CQorDictionaryManager;
class CQorLanguageDict;
class ISheetProgress;
class ISheetWriter;

// Writes a word page's list to a spreadsheet: one worksheet "Sheet1", a
// heading row, then one row per word of the mode's master list in list order
// with its update time, original string and the display string in each
// language column (empty where the language has no entry). The dictionary is
// only read.
class QOR_API CWordSheetExporter {
public:
    struct Result {
        long rowsWritten = 0;
        bool stopped = false;  // the user stopped it: the rows so far were saved
    };

    CWordSheetExporter(CQorDictionaryManager* manager, DICTMODE mode, std::vector<CQorLanguageDict*> languages);

    // The heading of each language column, in column order; by default the
    // languages' native names (QorLanguageHeading).
    void SetLanguageHeadings(std::vector<CString> headings) { m_languageHeadings = std::move(headings); }

    // False with error set when the file cannot be written; the file is then
    // left as it was. A stop still writes the file with the rows done so far.
    bool Export(ISheetWriter& writer, const CString& path, ISheetProgress* progress, Result& result, CString& error);

private:
    CQorDictionaryManager* m_manager;
    DICTMODE m_mode;
    std::vector<CQorLanguageDict*> m_languages;
    std::vector<CString> m_languageHeadings;
};
