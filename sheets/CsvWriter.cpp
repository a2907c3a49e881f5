#include "sheets/CsvWriter.h"

#include "base/CFile.h"
#include "base/Exceptions.h"

CCsvWriter::CCsvWriter() = default;
CCsvWriter::~CCsvWriter() = default;

void CCsvWriter::Begin(const CString& path, const CString& sheetName, const std::vector<CString>& headings) {
    m_file = std::make_unique<CAtomicFileWriter>();
    if (!m_file->Open(path)) throw CFileException(m_file->GetError());
    m_columns = headings.size();
    m_buffer = "\xEF\xBB\xBF";
    AppendRecord(headings);
}

void CCsvWriter::AddRow(const std::vector<CString>& cells) {
    if (!m_file) return;
    AppendRecord(cells);
    if (m_buffer.size() >= 64 * 1024) {
        m_file->File().Write(m_buffer.data(), m_buffer.size());
        m_buffer.clear();
    }
}

void CCsvWriter::AppendRecord(const std::vector<CString>& cells) {
    for (std::size_t c = 0; c < m_columns; ++c) {
        if (c) m_buffer += ',';
        if (c >= cells.size()) continue;
        const std::string text = cells[c].ToUtf8();
        if (text.find_first_of(",\"\r\n") == std::string::npos) {
            m_buffer += text;
            continue;
        }
        m_buffer += '"';
        for (char ch : text) {
            if (ch == '"') m_buffer += '"';
            m_buffer += ch;
        }
        m_buffer += '"';
    }
    m_buffer += "\r\n";
}

void CCsvWriter::Finish() {
    if (!m_file) return;
    m_file->File().Write(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
    m_file->Commit();
    m_file.reset();
}
