#pragma once

#include <string>
#include <vector>

#include "base/CString.h"

class CQorDictionaryManager;

// Builds a dictionary from two UTF-8 CSV files (comma-separated, fields with
// commas or quotes in double quotes, "" for a quote):
//   languages: header, then one row per language:
//              locale, LCID (decimal or 0x hex), font face, point size, enabled (0/1)
//   words:     header naming a locale per column, the first being the
//              original language; then one row per text: the original
//              string and its translation in each further column (empty
//              cell: no translation).
// Every original goes into the system master word list; every translation
// into that language's system word list. The original language is the system
// and project default, the dictionary and font switching are enabled.

typedef std::vector<std::vector<std::string>> CsvRows;

// Rows of a CSV text, read as the workbook import reads CSV: a row ends at its
// last non-empty field, and empty lines give no row. Returns false (with a
// reason) for a file the reader refuses, such as an unterminated quote.
bool ParseCsv(const std::string& text, CsvRows& rows, std::string& error);

// Fills an empty manager; false with a reason naming the row when the
// tables do not fit together.
bool BuildSampleDictionary(const CsvRows& languages, const CsvRows& words, CQorDictionaryManager& manager,
                           std::string& error);
