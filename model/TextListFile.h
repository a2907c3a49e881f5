#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "base/CString.h"
#include "base/QorApi.h"

// A list of texts as a UTF-8 file: one text a line, each line ended by LF.
// So that every text reads back exactly, a backslash is written \\, a line
// feed \n, a carriage return \r, a tab \t, and any other code unit below
// U+0020 or a surrogate without its partner \uXXXX (four hex digits, one
// UTF-16 code unit). Reading also accepts a byte-order mark, CR LF line ends
// and \uXXXX for any code unit; empty lines are skipped. The manager writes
// its recorded misses in this form and `qordict gather --from-list` reads it.

// One text in its written form, without the line end.
QOR_API std::string EncodeTextListLine(const CString& text);

// Saves atomically: a failed write leaves the old file as it was. The error
// names the file.
QOR_API bool WriteTextListFile(const CString& path, const std::vector<CString>& texts, std::string& error);

// Parses a whole file's bytes; false with "line N: ..." on bad UTF-8 or a bad
// escape, and then `texts` holds nothing from this call.
QOR_API bool ParseTextList(const char* bytes, std::size_t length, std::vector<CString>& texts, std::string& error);

// Reads and parses a file (at most 1 GiB; pipes too); the error names the file.
QOR_API bool ReadTextListFile(const CString& path, std::vector<CString>& texts, std::string& error);
