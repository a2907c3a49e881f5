#pragma once

#include <memory>
#include <string>

#include "sheets/SheetWriter.h"

class CAtomicFileWriter;

// Comma-separated values in UTF-8 with a byte-order mark (so that spreadsheet
// programs take it for UTF-8), records ending in CR LF, and a field quoted
// when it holds a comma, a quote or a line break, with its quotes doubled.
class QOR_API CCsvWriter final : public ISheetWriter {
public:
    CCsvWriter();
    ~CCsvWriter() override;

    void Begin(const CString& path, const CString& sheetName, const std::vector<CString>& headings) override;
    void AddRow(const std::vector<CString>& cells) override;
    void Finish() override;

private:
    void AppendRecord(const std::vector<CString>& cells);

    std::unique_ptr<CAtomicFileWriter> m_file;
    std::size_t m_columns = 0;
    std::string m_buffer;
};
