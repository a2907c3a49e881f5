// libFuzzer target for the workbook reader: any bytes must give sheets or a
// CSheetException, never a crash, a hang or unbounded memory.
#include <cstddef>
#include <cstdint>

#include "sheets/CsvReader.h"
#include "sheets/SheetError.h"
#include "sheets/XlsxReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Small limits keep each run fast; the checks are the same at any size.
    CZipLimits limits;
    limits.maxPartSize = 8u << 20;
    limits.ratioGrace = 256u << 10;
    limits.checkCrc = false;
    try {
        CWorkbookData workbook = QorReadXlsx(data, size, limits);
        for (const CSheetData& sheet : workbook.sheets) {
            // Touch the used range as the import does.
            for (long r = 0; r < sheet.GetUsedRowCount() && r < 64; ++r)
                (void)sheet.GetText(sheet.GetFirstRow() + r, sheet.GetFirstColumn());
        }
    } catch (const CSheetException&) {
    }
    try {
        QorReadCsv(data, size, QSTR("fuzz"));
    } catch (const CSheetException&) {
    }
    return 0;
}
