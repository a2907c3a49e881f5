#pragma once

#include <memory>
#include <string>

#include "sheets/SheetWriter.h"

class CAtomicFileWriter;
class CZipWriter;

// An Office Open XML workbook (.xlsx) with one worksheet. Headings are framed
// with a thin border, centred both ways, in columns 25 characters wide. Every
// data cell, an empty one too, is text marked with the quote prefix, as a cell
// typed with a leading apostrophe, so that no reader takes it for a number or
// a date.
// Rows go straight to the compressor: memory does not grow with the rows.
class QOR_API CXlsxWriter final : public ISheetWriter {
public:
    CXlsxWriter();
    ~CXlsxWriter() override;

    void Begin(const CString& path, const CString& sheetName, const std::vector<CString>& headings) override;
    void AddRow(const std::vector<CString>& cells) override;
    void Finish() override;

private:
    void AppendRow(const std::vector<CString>& cells, int style);
    void FlushXml(bool force);

    std::unique_ptr<CAtomicFileWriter> m_file;
    std::unique_ptr<CZipWriter> m_zip;
    std::vector<std::string> m_columnNames;
    std::string m_xml;
    long m_row = 0;
};
