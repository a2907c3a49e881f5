#include "SheetTestSupport.h"

#if defined(__SANITIZE_ADDRESS__)
#define QOR_TEST_SANITIZER_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QOR_TEST_SANITIZER_HEAP 1
#endif
#endif
#if defined(QOR_TEST_SANITIZER_HEAP)
// The sanitizers' allocator interface; not every compiler ships its header.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif
#if !defined(QOR_TEST_SANITIZER_HEAP) && defined(__GLIBC__)
#include <malloc.h>
#endif

#include "base/CFile.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"
#include "sheets/SheetData.h"
#include "sheets/SheetError.h"
#include "sheets/XlsxReader.h"
#include "sheets/ZipWriter.h"

std::vector<unsigned char> ZipOf(const std::vector<std::pair<std::string, std::string>>& parts) {
    ScratchDir dir;
    const CString path = dir.Path("archive.zip");
    {
        CFile file;
        if (!file.Open(path, CFile::modeCreate | CFile::modeWrite)) return {};
        CZipWriter zip(file);
        for (const auto& part : parts) {
            zip.BeginEntry(part.first);
            zip.Write(part.second);
        }
        zip.Finish();
    }
    return ReadBytes(path);
}

std::vector<unsigned char> WorkbookWithSheet(const std::string& sheetData, const std::string& sharedItems) {
    const std::string ns = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    std::vector<std::pair<std::string, std::string>> parts = {
        {"_rels/.rels",
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"" + rel + "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
        {"xl/workbook.xml", "<workbook xmlns=\"" + ns + "\" xmlns:r=\"" + rel.substr(0, rel.size() - 1) +
                                "\"><sheets><sheet name=\"Data\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels",
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"" + rel + "worksheet\" Target=\"worksheets/sheet1.xml\"/>"
         "<Relationship Id=\"rId2\" Type=\"" + rel + "sharedStrings\" Target=\"sharedStrings.xml\"/>"
         "</Relationships>"},
        {"xl/worksheets/sheet1.xml", "<worksheet xmlns=\"" + ns + "\"><sheetData>" + sheetData + "</sheetData></worksheet>"},
        {"xl/sharedStrings.xml", "<sst xmlns=\"" + ns + "\">" + sharedItems + "</sst>"},
    };
    return ZipOf(parts);
}

std::unique_ptr<CQorDictionaryManager> MakeDictionary() {
    auto manager = std::make_unique<CQorDictionaryManager>();
    for (unsigned id : {0x0407u, 0x0409u, 0x040Cu}) {
        auto language = std::make_unique<CQorLanguageDict>();
        language->SetLanguageID(id);
        language->SetEnable(id != 0x0409);
        if (manager->Add(language.get())) language.release();
    }
    manager->SetSysDefaultLanguageLCID(0x0407);
    return manager;
}

void AddWord(CQorDictionaryManager& manager, DICTMODE mode, const char* original,
             const std::vector<std::pair<unsigned, const char*>>& translations) {
    CQorDictionaryWord* master = mode == DICTMODE_PROJECT ? manager.GetProjectDictWord() : manager.GetSysDictWord();
    auto word = std::make_unique<CQorDictWordElement>();
    word->SetOriginalCharacter(S(original));
    word->SetUpdateDateTime(COleDateTime(2024, 3, 5, 14, 7, 9));
    if (master->AddWord(word.get())) word.release();
    for (const auto& translation : translations) {
        auto entry = std::make_unique<CQorDictWordElement>();
        entry->SetOriginalCharacter(S(original));
        entry->SetDisplayCharacter(S(translation.second));
        if (manager.Find(translation.first)->AddWord(mode, entry.get())) entry.release();
    }
}

std::string Display(CQorDictionaryManager& manager, unsigned language, DICTMODE mode, const char* original) {
    const CQorDictWordElement* entry = manager.Find(language)->FindWord(mode, S(original));
    return entry ? entry->GetDisplayCharacter().ToUtf8() : "<none>";
}

std::vector<std::vector<std::string>> Grid(const CSheetData& sheet) {
    const long rows = sheet.GetFirstRow() + sheet.GetUsedRowCount();
    const long columns = sheet.GetFirstColumn() + sheet.GetUsedColumnCount();
    std::vector<std::vector<std::string>> grid(std::size_t(rows), std::vector<std::string>(static_cast<std::size_t>(columns)));
    for (long r = 0; r < rows; ++r)
        for (long c = 0; c < columns; ++c) grid[std::size_t(r)][std::size_t(c)] = sheet.GetText(r, c).ToUtf8();
    return grid;
}

long long HeapInUse() {
#if defined(QOR_TEST_SANITIZER_HEAP)
    return static_cast<long long>(__sanitizer_get_current_allocated_bytes());
#elif defined(__GLIBC__)
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long long>(info.uordblks + info.hblkhd);
#else
    return -1;
#endif
}

std::string ReadError(const std::vector<unsigned char>& bytes, CZipLimits limits) {
    try {
        QorReadXlsx(bytes.data(), bytes.size(), limits);
    } catch (const CSheetException& e) {
        return e.GetReason();
    }
    return "read without error";
}
