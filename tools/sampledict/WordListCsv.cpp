#include "tools/sampledict/WordListCsv.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

#include "base/COleDateTime.h"
#include "base/Exceptions.h"
#include "sheets/CsvReader.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"

bool ParseCsv(const std::string& text, CsvRows& rows, std::string& error) {
    try {
        CWorkbookData book =
            QorReadCsv(reinterpret_cast<const unsigned char*>(text.data()), text.size(), CString());
        const CSheetData& sheet = book.sheets.at(0);
        for (long r = 0; r < sheet.GetFirstRow() + sheet.GetUsedRowCount(); ++r) {
            std::vector<std::string> row;
            for (long c = 0; c < sheet.GetFirstColumn() + sheet.GetUsedColumnCount(); ++c)
                row.push_back(sheet.GetText(r, c).ToUtf8());
            while (!row.empty() && row.back().empty()) row.pop_back();
            if (!row.empty()) rows.push_back(row);
        }
        return true;
    } catch (const CException& e) {
        error = e.GetReason();
        return false;
    }
}

namespace {

// All entries of the sample carry one fixed time, so that the same word list
// always gives the same file.
const COleDateTime kSampleTime(2024, 1, 1, 0, 0, 0);

std::unique_ptr<CQorDictWordElement> NewEntry(const std::string& original, const std::string& display) {
    std::unique_ptr<CQorDictWordElement> entry(new CQorDictWordElement);
    entry->SetOriginalCharacter(CString::FromUtf8(original));
    entry->SetDisplayCharacter(CString::FromUtf8(display));
    entry->SetUpdateDateTime(kSampleTime);
    return entry;
}

LOGFONTW SampleFont(const std::string& face, int points) {
    LOGFONTW font;
    std::memset(&font, 0, sizeof font);
    font.lfHeight = -(points * 96 + 36) / 72;  // points at 96 dots per inch
    font.lfWeight = 400;
    font.lfCharSet = 1;  // DEFAULT_CHARSET
    CString name = CString::FromUtf8(face);
    for (int i = 0; i < name.GetLength() && i < LF_FACESIZE - 1; ++i) font.lfFaceName[i] = name[i];
    return font;
}

}  // namespace

bool BuildSampleDictionary(const CsvRows& languages, const CsvRows& words, CQorDictionaryManager& manager,
                           std::string& error) {
    std::map<std::string, DWORD> lcidOf;
    for (std::size_t r = 1; r < languages.size(); ++r) {
        const auto& row = languages[r];
        if (row.size() < 5) {
            error = "languages row " + std::to_string(r + 1) + " has fewer than 5 fields";
            return false;
        }
        DWORD lcid = DWORD(std::strtoul(row[1].c_str(), nullptr, 0));
        std::unique_ptr<CQorLanguageDict> language(new CQorLanguageDict);
        language->SetLanguageID(lcid);
        language->SetEnable(row[4] == "1");
        language->SetFont(SampleFont(row[2], std::atoi(row[3].c_str())));
        language->SetFontPointSize(std::atoi(row[3].c_str()) * 10);
        if (manager.Add(language.get())) {
            language.release();  // the manager owns it now
        } else {
            error = "languages row " + std::to_string(r + 1) + " repeats LCID " + row[1];
            return false;
        }
        lcidOf[row[0]] = lcid;
    }
    if (words.empty() || words[0].empty()) {
        error = "the word list has no header";
        return false;
    }
    std::vector<CQorLanguageDict*> columns;
    for (const auto& locale : words[0]) {
        auto found = lcidOf.find(locale);
        if (found == lcidOf.end()) {
            error = "the word list names locale '" + locale + "', which the languages table does not list";
            return false;
        }
        columns.push_back(manager.Find(found->second));
    }
    DWORD original = columns[0]->GetLanguageID();
    manager.SetEnable(1);
    manager.SetEnableFont(1);
    manager.SetSysDefaultLanguageLCID(original);
    manager.SetProjectDefaultLanguageLCID(original);

    for (std::size_t r = 1; r < words.size(); ++r) {
        const auto& row = words[r];
        if (row.size() > columns.size()) {
            error = "word row " + std::to_string(r + 1) + " has more fields than the header";
            return false;
        }
        std::unique_ptr<CQorDictWordElement> master = NewEntry(row[0], row[0]);
        if (manager.GetSysDictWord()->AddWord(master.get())) {
            master.release();
        } else {
            error = "word row " + std::to_string(r + 1) + ": the original '" + row[0] + "' is empty or repeated";
            return false;
        }
        for (std::size_t c = 1; c < row.size(); ++c) {
            if (row[c].empty()) continue;
            std::unique_ptr<CQorDictWordElement> entry = NewEntry(row[0], row[c]);
            if (columns[c]->AddWord(DICTMODE_SYSTEM, entry.get())) entry.release();
        }
    }
    return true;
}
