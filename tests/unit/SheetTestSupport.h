#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "base/CString.h"
#include "model/DictMode.h"
#include "sheets/ZipReader.h"

class CQorDictionaryManager;
class CSheetData;

// A zip archive of the given parts (name, content), deflated, as bytes.
std::vector<unsigned char> ZipOf(const std::vector<std::pair<std::string, std::string>>& parts);

// A workbook of one worksheet whose sheetData element holds the given XML,
// with optional shared strings (the <sst> children).
std::vector<unsigned char> WorkbookWithSheet(const std::string& sheetData, const std::string& sharedItems = "");

// A dictionary with system default language German (0x0407), languages German
// and French enabled and English (0x0409) disabled.
std::unique_ptr<CQorDictionaryManager> MakeDictionary();
// Adds a word to the mode's master list and, for each (language, text), an
// entry in that language.
void AddWord(CQorDictionaryManager& manager, DICTMODE mode, const char* original,
             const std::vector<std::pair<unsigned, const char*>>& translations = {});
// The display string of a word in a language, or "<none>" without an entry.
std::string Display(CQorDictionaryManager& manager, unsigned language, DICTMODE mode, const char* original);

// Bytes the allocator hands out at this moment, or -1 where that cannot be
// measured (not glibc, nor a sanitizer's allocator).
long long HeapInUse();

// Why an .xlsx in memory is refused, or "read without error".
std::string ReadError(const std::vector<unsigned char>& bytes, CZipLimits limits = CZipLimits());

// The sheet's cells as rows of UTF-8 texts, over its used range from A1.
std::vector<std::vector<std::string>> Grid(const CSheetData& sheet);
