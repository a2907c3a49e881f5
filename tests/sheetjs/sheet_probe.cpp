// The workbook code seen from outside, for the SheetJS checks:
//   sheet_probe dump FILE      prints every sheet of FILE as JSON
//   sheet_probe export FILE [DICT]  exports a sample dictionary to FILE (.xlsx
//                              or .csv), prints the cells it must hold as JSON,
//                              and saves the dictionary to DICT when given
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"
#include "sheets/WordSheetExporter.h"
#include "sheets/WordSheetLayout.h"
#include "sheets/WorkbookFile.h"

namespace {

std::string Json(const CString& text) {
    std::string out = "\"";
    const WCHAR* p = text.GetString();
    for (int i = 0; i < text.GetLength(); ++i) {
        const unsigned ch = p[i];
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += char(ch);
        } else if (ch >= 0x20 && ch < 0x7F) {
            out += char(ch);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", ch);
            out += escape;
        }
    }
    return out + "\"";
}

CString U(const char* utf8) { return CString::FromUtf8(std::string(utf8)); }

int Dump(const CString& path) {
    CWorkbookData workbook;
    CString error;
    if (!QorReadWorkbookFile(path, workbook, error)) {
        std::fprintf(stderr, "%s\n", error.ToUtf8().c_str());
        return 1;
    }
    std::string out = "[";
    for (const CSheetData& sheet : workbook.sheets) {
        out += out.size() > 1 ? "," : "";
        out += "{\"name\":" + Json(sheet.GetName()) + ",\"firstRow\":" + std::to_string(sheet.GetFirstRow()) +
               ",\"firstColumn\":" + std::to_string(sheet.GetFirstColumn()) +
               ",\"rows\":" + std::to_string(sheet.GetUsedRowCount()) +
               ",\"columns\":" + std::to_string(sheet.GetUsedColumnCount()) + ",\"cells\":[";
        bool first = true;
        for (const CSheetData::Cell& cell : sheet.GetCells()) {
            out += first ? "" : ",";
            first = false;
            out += "[" + std::to_string(cell.row) + "," + std::to_string(cell.column) + "," + Json(cell.text) + "]";
        }
        out += "]}";
    }
    std::printf("%s]\n", out.c_str());
    return 0;
}

int Export(const CString& path, const CString& dictionary) {
    CQorDictionaryManager manager;
    for (unsigned id : {0x0407u, 0x0411u, 0x040Cu, 0x0804u}) {
        auto language = std::make_unique<CQorLanguageDict>();
        language->SetLanguageID(id);
        language->SetEnable(1);
        if (manager.Add(language.get())) language.release();
    }
    manager.SetSysDefaultLanguageLCID(0x0804);
    const char* const texts[] = {
        "Open", "0042", "1E5", "=1+1", "'quoted", "2024-01-02", "TRUE", "  spaced  ", "a,b;\"c\"",
        "two\r\nlines", "tab\there", "bell\x07" "end", "_x0041_ literal", "<&>", "中文 Ελληνικά 😀", "-12.50", "#N/A",
    };
    int n = 0;
    for (const char* text : texts) {
        auto word = std::make_unique<CQorDictWordElement>();
        word->SetOriginalCharacter(U(text));
        word->SetUpdateDateTime(COleDateTime(2001, 2, 3, 4, 5, n % 60));
        if (manager.GetSysDictWord()->AddWord(word.get())) word.release();
        for (unsigned id : {0x0407u, 0x0411u, 0x040Cu, 0x0804u}) {
            if ((n + int(id)) % 3 == 0) continue;  // some translations missing
            auto entry = std::make_unique<CQorDictWordElement>();
            entry->SetOriginalCharacter(U(text));
            entry->SetDisplayCharacter(U(text) + QSTR(" ") + CString::FromUtf8(std::to_string(id)));
            if (manager.Find(id)->AddWord(DICTMODE_SYSTEM, entry.get())) entry.release();
        }
        ++n;
    }
    if (!dictionary.IsEmpty() && !manager.Save(dictionary)) {
        std::fprintf(stderr, "%s\n", manager.GetLastFileError().ToUtf8().c_str());
        return 1;
    }
    CWordSheetExporter exporter(&manager, DICTMODE_SYSTEM, QorWordSheetLanguages(manager));
    auto writer = QorCreateSheetWriter(path);
    CWordSheetExporter::Result result;
    CString error;
    if (!exporter.Export(*writer, path, nullptr, result, error)) {
        std::fprintf(stderr, "%s\n", error.ToUtf8().c_str());
        return 1;
    }
    // What the grid shows, row by row.
    std::string out = "[[" + Json(QorUpdateTimeHeading()) + "," + Json(QorOriginalStringHeading());
    for (CQorLanguageDict* language : QorWordSheetLanguages(manager))
        out += "," + Json(QorLanguageHeading(language->GetLanguageID()));
    out += "]";
    auto* list = manager.GetSysDictWord()->GetDictionaryList();
    for (POSITION pos = list->GetHeadPosition(); pos;) {
        const CQorDictWordElement* word = list->GetNext(pos);
        out += ",[" + Json(QorUpdateTimeText(word->GetUpdateDateTime())) + "," + Json(word->GetOriginalCharacter());
        for (CQorLanguageDict* language : QorWordSheetLanguages(manager)) {
            const CQorDictWordElement* entry = language->FindWord(DICTMODE_SYSTEM, word->GetOriginalCharacter());
            out += "," + Json(entry ? entry->GetDisplayCharacter() : CString());
        }
        out += "]";
    }
    std::printf("%s]\n", out.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "dump") return Dump(U(argv[2]));
    if ((argc == 3 || argc == 4) && std::string(argv[1]) == "export")
        return Export(U(argv[2]), argc == 4 ? U(argv[3]) : CString());
    std::fprintf(stderr, "usage: sheet_probe dump FILE | export FILE [DICT]\n");
    return 2;
}
