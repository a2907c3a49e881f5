// Workbooks and CSV files built to exhaust memory or time: what the readers
// refuse, and what the sheets they give keep in memory.
#include <gtest/gtest.h>

#include "SheetTestSupport.h"
#include "sheets/CsvReader.h"
#include "sheets/SheetError.h"
#include "sheets/XlsxReader.h"

namespace {

const std::string kNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const std::string kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const std::string kPackageRel = "http://schemas.openxmlformats.org/package/2006/relationships";

// A workbook whose worksheets name the given parts, which hold the given XML.
std::vector<unsigned char> Book(const std::vector<std::string>& sheetParts,
                                const std::vector<std::pair<std::string, std::string>>& parts) {
    std::string book = "<workbook xmlns=\"" + kNs + "\" xmlns:r=\"" + kRel + "\"><sheets>";
    std::string rels = "<Relationships xmlns=\"" + kPackageRel + "\">";
    for (std::size_t i = 0; i < sheetParts.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        book += "<sheet name=\"S" + n + "\" sheetId=\"" + n + "\" r:id=\"r" + n + "\"/>";
        rels += "<Relationship Id=\"r" + n + "\" Type=\"" + kRel + "/worksheet\" Target=\"/" + sheetParts[i] + "\"/>";
    }
    std::vector<std::pair<std::string, std::string>> all = {
        {"_rels/.rels", "<Relationships xmlns=\"" + kPackageRel + "\"><Relationship Id=\"a\" Type=\"" + kRel +
                            "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
        {"xl/workbook.xml", book + "</sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels", rels + "</Relationships>"}};
    all.insert(all.end(), parts.begin(), parts.end());
    return ZipOf(all);
}

std::string Worksheet(const std::string& sheetData) {
    return "<worksheet xmlns=\"" + kNs + "\"><sheetData>" + sheetData + "</sheetData></worksheet>";
}

// Spaces compress far better than a workbook does: let them through.
CZipLimits Generous() {
    CZipLimits limits;
    limits.maxRatio = 1u << 20;
    return limits;
}

TEST(WorkbookLimits, TheInflatedTotalIsBoundedAndEachPartReadOnce) {
    // Three parts, each below the part limit, above the total together.
    const std::string padded = Worksheet(std::string(6u << 20, ' '));
    const auto three = Book({"xl/a.xml", "xl/b.xml", "xl/c.xml"}, {{"xl/a.xml", padded}, {"xl/b.xml", padded}, {"xl/c.xml", padded}});
    CZipLimits limits = Generous();
    limits.maxPartSize = 8u << 20;
    limits.maxTotalSize = 16u << 20;
    EXPECT_NE(ReadError(three, limits).find("zip bomb"), std::string::npos);
    limits.maxTotalSize = 20u << 20;
    EXPECT_EQ(ReadError(three, limits), "read without error");

    // Sheets that name one part would inflate it again for each of them.
    const auto twice = Book({"xl/a.xml", "xl/b.xml", "XL/A.xml"},
                            {{"xl/a.xml", Worksheet("<row><c><v>1</v></c></row>")}, {"xl/b.xml", Worksheet("")}});
    EXPECT_NE(ReadError(twice).find("more than one worksheet"), std::string::npos);
}

void Put(std::vector<unsigned char>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back((unsigned char)(value >> (8 * i)));
}

std::uint32_t Crc32(const std::string& data) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char ch : data) {
        crc ^= ch;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

// A zip of stored (not deflated) parts, as some writers make them.
std::vector<unsigned char> StoredZip(const std::vector<std::pair<std::string, std::string>>& parts) {
    std::vector<unsigned char> out, directory;
    for (const auto& part : parts) {
        const std::uint32_t offset = std::uint32_t(out.size()), crc = Crc32(part.second);
        const std::uint32_t size = std::uint32_t(part.second.size()), nameSize = std::uint32_t(part.first.size());
        Put(out, 0x04034b50, 4), Put(out, 20, 2), Put(out, 0, 2), Put(out, 0, 2), Put(out, 0, 4);
        Put(out, crc, 4), Put(out, size, 4), Put(out, size, 4), Put(out, nameSize, 2), Put(out, 0, 2);
        out.insert(out.end(), part.first.begin(), part.first.end());
        out.insert(out.end(), part.second.begin(), part.second.end());
        Put(directory, 0x02014b50, 4), Put(directory, 20, 2), Put(directory, 20, 2), Put(directory, 0, 4);
        Put(directory, 0, 4), Put(directory, crc, 4), Put(directory, size, 4), Put(directory, size, 4);
        Put(directory, nameSize, 2), Put(directory, 0, 4), Put(directory, 0, 4), Put(directory, 0, 4);
        Put(directory, offset, 4);
        directory.insert(directory.end(), part.first.begin(), part.first.end());
    }
    const std::uint32_t start = std::uint32_t(out.size());
    out.insert(out.end(), directory.begin(), directory.end());
    Put(out, 0x06054b50, 4), Put(out, 0, 4), Put(out, std::uint32_t(parts.size()), 2);
    Put(out, std::uint32_t(parts.size()), 2), Put(out, std::uint32_t(directory.size()), 4), Put(out, start, 4);
    Put(out, 0, 2);
    return out;
}

// Makes the zip directory declare a size for a part other than its own.
void DeclareSize(std::vector<unsigned char>& zip, const std::string& name, std::uint32_t size) {
    for (std::size_t at = 0; at + 46 < zip.size(); ++at) {
        if (zip[at] != 'P' || zip[at + 1] != 'K' || zip[at + 2] != 1 || zip[at + 3] != 2) continue;
        const std::size_t nameSize = zip[at + 28] + 256u * zip[at + 29];
        if (std::string(zip.begin() + std::ptrdiff_t(at) + 46, zip.begin() + std::ptrdiff_t(at + 46 + nameSize)) != name)
            continue;
        for (int i = 0; i < 4; ++i) zip[at + 24 + std::size_t(i)] = (unsigned char)(size >> (8 * i));
    }
}

TEST(WorkbookLimits, TheTotalCountsWhatInflatesNotWhatIsDeclared) {
    const std::string padded = Worksheet(std::string(6u << 20, ' '));
    auto liar = Book({"xl/a.xml", "xl/b.xml"}, {{"xl/a.xml", padded}, {"xl/b.xml", padded}});
    DeclareSize(liar, "xl/b.xml", 100);
    CZipLimits limits = Generous();
    limits.maxPartSize = 8u << 20;
    limits.maxTotalSize = 10u << 20;
    EXPECT_NE(ReadError(liar, limits).find("in all"), std::string::npos) << ReadError(liar, limits);
    limits.maxTotalSize = 16u << 20;
    EXPECT_NE(ReadError(liar, limits).find("size does not match"), std::string::npos) << ReadError(liar, limits);
}

TEST(WorkbookLimits, StoredPartsReadAsDeflatedOnesUnderTheSameLimits) {
    const std::string ns = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    const std::vector<std::pair<std::string, std::string>> parts = {
        {"_rels/.rels", "<Relationships xmlns=\"" + kPackageRel + "\"><Relationship Id=\"a\" Type=\"" + kRel +
                            "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
        {"xl/workbook.xml", "<workbook xmlns=\"" + kNs + "\" xmlns:r=\"" + kRel +
                                "\"><sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"r1\"/></sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels", "<Relationships xmlns=\"" + kPackageRel + "\"><Relationship Id=\"r1\" Type=\"" +
                                           kRel + "/worksheet\" Target=\"s.xml\"/></Relationships>"},
        {"xl/s.xml", Worksheet("<row><c t=\"inlineStr\"><is><t>stored</t></is></c><c><v>2</v></c></row>" +
                               std::string(300000, ' '))}};
    const auto stored = StoredZip(parts);
    CWorkbookData workbook = QorReadXlsx(stored.data(), stored.size());
    ASSERT_EQ(workbook.sheets.size(), 1u);
    EXPECT_EQ(Grid(workbook.sheets[0]), Grid(QorReadXlsx(ZipOf(parts).data(), ZipOf(parts).size()).sheets.at(0)));
    EXPECT_EQ(workbook.sheets[0].GetText(0, 0).ToUtf8(), "stored");

    auto damaged = stored;
    damaged[damaged.size() / 2] ^= 0x01;  // inside the padding of the sheet
    EXPECT_NE(ReadError(damaged).find("checksum"), std::string::npos) << ReadError(damaged);
    CZipLimits limits;
    limits.maxTotalSize = 200000;
    EXPECT_NE(ReadError(stored, limits).find("zip bomb"), std::string::npos);
}

TEST(WorkbookLimits, EmptyCellsCostNoMemory) {
    if (HeapInUse() < 0) GTEST_SKIP() << "the heap cannot be measured here";
    // 128 full rows of <c/>, 2 Mi cells in all, and one value among them.
    std::string row = "<row>";
    for (int c = 0; c < 16384; ++c) row += "<c/>";
    row += "</row>";
    std::string rows;
    for (int r = 0; r < 128; ++r) rows += r == 64 ? "<row><c r=\"B65\"><v>7</v></c><c r=\"XFD65\"/></row>" : row;
    const auto bytes = Book({"xl/s.xml"}, {{"xl/s.xml", Worksheet(rows)}});

    const long long before = HeapInUse();
    CWorkbookData workbook = QorReadXlsx(bytes.data(), bytes.size(), Generous());
    const long long kept = HeapInUse() - before;
    ASSERT_EQ(workbook.sheets.size(), 1u);
    const CSheetData& sheet = workbook.sheets[0];
    EXPECT_EQ(sheet.GetUsedRowCount(), 128);
    EXPECT_EQ(sheet.GetUsedColumnCount(), 16384);
    EXPECT_EQ(sheet.GetText(64, 1).ToUtf8(), "7");
    EXPECT_EQ(sheet.GetText(64, 0).ToUtf8(), "");
    EXPECT_LT(kept, 1 << 20) << "bytes kept for 2 Mi empty cells";
}

TEST(WorkbookLimits, EmptyCellsStillReplaceAndWidenInAnyOrder) {
    CSheetData sheet(QSTR("s"));
    sheet.AddCell(900, 0, QSTR("far"));
    sheet.AddCell(5, 5, QSTR("old"));
    // Far more empty cells than cells, out of order: settled on the way.
    for (long r = 0; r < 40000; ++r) sheet.AddEmptyCell(r % 1000, r % 50);
    sheet.AddCell(5, 5, QSTR("new"));
    sheet.AddCell(7, 7, QSTR("gone"));
    sheet.AddEmptyCell(7, 7);
    sheet.AddCell(8, 8, QSTR(""));  // a value, if an empty one
    sheet.AddEmptyCell(1200, 60);   // beyond every cell: nothing to erase
    sheet.Seal();
    EXPECT_EQ(sheet.GetFirstRow(), 0);
    EXPECT_EQ(sheet.GetUsedRowCount(), 1201);
    EXPECT_EQ(sheet.GetUsedColumnCount(), 61);
    EXPECT_EQ(sheet.GetText(5, 5).ToUtf8(), "new");
    EXPECT_EQ(sheet.GetText(7, 7).ToUtf8(), "");
    // Erased by an empty cell listed after it.
    EXPECT_EQ(sheet.GetText(900, 0).ToUtf8(), "");
    std::vector<std::string> cells;
    for (const CSheetData::Cell& cell : sheet.GetCells())
        cells.push_back(std::to_string(cell.row) + "," + std::to_string(cell.column) + "=" + cell.text.ToUtf8());
    EXPECT_EQ(cells, (std::vector<std::string>{"5,5=new", "8,8="}));

    // A copy keeps its cells when the original takes more.
    CSheetData copy = sheet;
    sheet.AddCell(5, 5, QSTR("newer"));
    sheet.Seal();
    EXPECT_EQ(copy.GetText(5, 5).ToUtf8(), "new");
    EXPECT_EQ(sheet.GetText(5, 5).ToUtf8(), "newer");

    // Rows come in order, empty ones too, each with the columns asked for.
    std::vector<std::string> rows;
    sheet.VisitRows(4, 9, 7, [&](long row, const std::vector<CString>& texts) {
        std::string line = std::to_string(row) + ":";
        for (const CString& text : texts) line += text.ToUtf8() + "|";
        rows.push_back(line);
        return row < 6;
    });
    EXPECT_EQ(rows, (std::vector<std::string>{"4:|||||||", "5:|||||newer||", "6:|||||||"}));
}

TEST(WorkbookLimits, CellsAndSharedStringsHaveAMemoryBudget) {
    std::string row = "<row>";
    for (int c = 0; c < 10000; ++c) row += "<c><v>" + std::to_string(c) + "</v></c>";
    const auto cells = Book({"xl/s.xml"}, {{"xl/s.xml", Worksheet(row + "</row>")}});
    std::string items;
    for (int i = 0; i < 10000; ++i) items += "<si><t>text " + std::to_string(i) + "</t></si>";
    auto strings = WorkbookWithSheet("<row><c t=\"s\"><v>0</v></c></row>", items);

    CZipLimits small;
    small.maxCellMemory = 256u << 10;
    EXPECT_NE(ReadError(cells, small).find("more data"), std::string::npos);
    EXPECT_NE(ReadError(strings, small).find("more data"), std::string::npos);
    EXPECT_EQ(ReadError(cells), "read without error");
    EXPECT_EQ(ReadError(strings), "read without error");
    // Cells that repeat one shared string share its text.
    std::string repeats = "<row>";
    for (int c = 0; c < 4000; ++c) repeats += "<c t=\"s\"><v>0</v></c>";
    strings = WorkbookWithSheet(repeats + "</row>", "<si><t>" + std::string(30000, 'x') + "</t></si>");
    EXPECT_EQ(ReadError(strings, small), "read without error");

    // A text no cell holds, which would have to be kept whole to be read.
    const auto longText = Book({"xl/s.xml"}, {{"xl/s.xml", Worksheet("<row><c t=\"str\"><v>" + std::string(2u << 20, '7') +
                                                                       "</v></c></row>")}});
    EXPECT_NE(ReadError(longText, Generous()).find("too long"), std::string::npos);
}

TEST(WorkbookLimits, ACsvSheetKeepsItsTextNotOneObjectPerCell) {
    if (HeapInUse() < 0) GTEST_SKIP() << "the heap cannot be measured here";
    std::string csv;
    for (int r = 0; r < 1000; ++r) {
        for (int c = 0; c < 999; ++c) csv += "1,";
        csv += std::to_string(r) + "\r\n";
    }
    const long long before = HeapInUse();
    CWorkbookData workbook = QorReadCsv(reinterpret_cast<const unsigned char*>(csv.data()), csv.size(), QSTR("big"));
    const long long kept = HeapInUse() - before;
    ASSERT_EQ(workbook.sheets.size(), 1u);
    const CSheetData& sheet = workbook.sheets[0];
    EXPECT_EQ(sheet.GetUsedRowCount(), 1000);
    EXPECT_EQ(sheet.GetUsedColumnCount(), 1000);
    EXPECT_EQ(sheet.GetText(998, 999).ToUtf8(), "998");
    EXPECT_EQ(sheet.GetText(3, 5).ToUtf8(), "1");
    EXPECT_EQ(sheet.GetText(1000, 0).ToUtf8(), "");
    EXPECT_LT(kept, 2 * (long long)csv.size()) << "bytes kept for a CSV file of " << csv.size();
}

}  // namespace
