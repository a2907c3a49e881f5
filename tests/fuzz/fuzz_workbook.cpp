// libFuzzer target for the workbook reader: any bytes must give sheets or a
// CSheetException, never a crash, a hang or unbounded memory. The XML
// scanner must give the same tokens, or the same error, whether its text is
// in memory or pulled in pieces; a CSV sheet, once read, must hand out its
// rows without failing, since they are parsed again while being merged.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "sheets/CsvReader.h"
#include "sheets/SheetError.h"
#include "sheets/XlsxReader.h"
#include "sheets/XmlScanner.h"

namespace {

void TouchRows(const CSheetData& sheet) {
    // As the import does: from row 2, column B and a few languages.
    long rows = 0;
    sheet.VisitRows(1, std::min(sheet.GetUsedRowCount(), 64L), 6, [&](long, const std::vector<CString>& texts) {
        (void)texts[1].GetLength();
        return ++rows < 64;
    });
    (void)sheet.GetText(sheet.GetFirstRow(), sheet.GetFirstColumn());
}

std::string Scan(CXmlScanner& scanner) {
    std::string out, value;
    try {
        for (CXmlScanner::Token token; (token = scanner.Next()) != CXmlScanner::End;) {
            if (token == CXmlScanner::Text) {
                scanner.AppendText(out);  // pieces of one text join up
                continue;
            }
            out += token == CXmlScanner::StartTag ? "\n<" : "\n/";
            out += scanner.Name();
            if (token == CXmlScanner::StartTag && scanner.Attribute("r", value)) out += " r=" + value;
            if (token == CXmlScanner::StartTag && scanner.OwnNamespace(value)) out += " ns=" + value;
            out += "\n";
        }
    } catch (const CSheetException& e) {
        out += "\nerror " + e.GetReason();
    }
    return out;
}

template <class Make>
std::string ScanWith(Make make) {
    try {
        CXmlScanner scanner = make();
        return Scan(scanner);
    } catch (const CSheetException& e) {
        return "\nerror " + e.GetReason();
    }
}

void CompareScanners(const std::uint8_t* data, std::size_t size) {
    const std::string_view xml(reinterpret_cast<const char*>(data), size);
    const std::size_t piece = size > 0 ? 1 + data[0] % 13 : 1;
    std::size_t at = 0;
    const CXmlScanner::Source source = [&](char* buffer, std::size_t room) {
        const std::size_t n = std::min({piece, room, size - at});
        std::copy_n(xml.data() + at, n, buffer);
        at += n;
        return n;
    };
    if (ScanWith([&] { return CXmlScanner(xml, "fuzz"); }) != ScanWith([&] { return CXmlScanner(source, "fuzz"); }))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Small limits keep each run fast; the checks are the same at any size.
    CZipLimits limits;
    limits.maxPartSize = 8u << 20;
    limits.maxTotalSize = 24u << 20;
    limits.maxCellMemory = 16u << 20;
    limits.ratioGrace = 256u << 10;
    limits.checkCrc = false;
    try {
        CWorkbookData workbook = QorReadXlsx(data, size, limits);
        for (const CSheetData& sheet : workbook.sheets) TouchRows(sheet);
    } catch (const CSheetException&) {
    }
    CWorkbookData csv;
    try {
        csv = QorReadCsv(data, size, QSTR("fuzz"));
    } catch (const CSheetException&) {
    }
    for (const CSheetData& sheet : csv.sheets) TouchRows(sheet);  // outside the try: must not throw
    if (size <= (1u << 16)) CompareScanners(data, size);
    return 0;
}
