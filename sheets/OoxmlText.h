#pragma once

#include <string>

#include "base/CString.h"
#include "base/QorApi.h"

// Text of spreadsheet cells in Office Open XML. XML cannot carry most control
// characters, a carriage return would be turned into a line feed by every XML
// reader, and lone surrogates have no UTF-8 form: these travel as _xHHHH_, and
// a literal "_xHHHH_" in the text is protected as "_x005F_xHHHH_".

// Appends the text as escaped XML character data in UTF-8.
void QorAppendCellXml(std::string& out, const WCHAR* text, int length);
// The longest text a cell holds in Excel; longer texts are cut there.
constexpr int kQorMaxCellText = 32767;
// Undoes the _xHHHH_ escapes of a cell text read from XML.
QOR_API CString QorDecodeCellEscapes(const CString& text);
