// The workbook reader on files shaped the way other writers shape them, and
// on files made to break it.
#include <gtest/gtest.h>

#include <algorithm>

#include "SheetTestSupport.h"
#include "sheets/CsvReader.h"
#include "sheets/SheetError.h"
#include "sheets/WorkbookFile.h"
#include "sheets/XlsxReader.h"

namespace {

typedef std::vector<std::vector<std::string>> Rows;

CSheetData ReadOnlySheet(const std::vector<unsigned char>& bytes) {
    CWorkbookData workbook = QorReadXlsx(bytes.data(), bytes.size());
    EXPECT_EQ(workbook.sheets.size(), 1u);
    return workbook.sheets.empty() ? CSheetData() : workbook.sheets[0];
}

TEST(WorkbookReader, ValueKindsBecomeText) {
    const auto sheet = ReadOnlySheet(WorkbookWithSheet(
        "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>1</v></c><c r=\"B1\" t=\"s\"><v>0</v></c>"
        "<c r=\"C1\"><v>42</v></c><c r=\"D1\"><v>0.1</v></c><c r=\"E1\"><v>1E+20</v></c>"
        "<c r=\"F1\"><v>-2.50</v></c><c r=\"G1\"><v>1.5E-5</v></c><c r=\"H1\"><v>123456789012345678</v></c></row>"
        "<row r=\"2\"><c r=\"A2\" t=\"b\"><v>1</v></c><c r=\"B2\" t=\"b\"><v>0</v></c>"
        "<c r=\"C2\" t=\"e\"><v>#N/A</v></c><c r=\"D2\" t=\"str\"><f>A1&amp;\"!\"</f><v>x&lt;y</v></c>"
        "<c r=\"E2\" t=\"inlineStr\"><is><t xml:space=\"preserve\"> padded </t></is></c>"
        "<c r=\"F2\" s=\"3\"/><c r=\"G2\"><v>-0</v></c><c r=\"H2\"><v>45000.25</v></c></row>",
        "<si><t>plain</t></si>"
        "<si><r><rPr><b/></rPr><t>rich</t></r><r><t xml:space=\"preserve\"> text</t></r>"
        "<rPh sb=\"0\" eb=\"1\"><t>PHONETIC</t></rPh></si>"));
    EXPECT_EQ(Grid(sheet), (Rows{{"rich text", "plain", "42", "0.1", "1E+20", "-2.5", "1.5E-05", "1.23456789012346E+17"},
                                 {"True", "False", "#N/A", "x<y", " padded ", "", "0", "45000.25"}}));
}

TEST(WorkbookReader, SparseRowsAndCellsWithoutReferences) {
    // Rows and cells without r count on from the previous ones; gaps stay empty.
    const auto sheet = ReadOnlySheet(WorkbookWithSheet(
        "<row><c t=\"inlineStr\"><is><t>a</t></is></c><c t=\"inlineStr\"><is><t>b</t></is></c></row>"
        "<row r=\"4\"><c r=\"C4\" t=\"inlineStr\"><is><t>c</t></is></c><c t=\"inlineStr\"><is><t>d</t></is></c></row>"
        "<row><c><v>5</v></c></row>"));
    EXPECT_EQ(sheet.GetUsedRowCount(), 5);
    EXPECT_EQ(sheet.GetUsedColumnCount(), 4);
    EXPECT_EQ(Grid(sheet), (Rows{{"a", "b", "", ""}, {"", "", "", ""}, {"", "", "", ""}, {"", "", "c", "d"}, {"5", "", "", ""}}));
}

TEST(WorkbookReader, UsedRangeNeedNotStartAtA1) {
    const auto sheet = ReadOnlySheet(WorkbookWithSheet("<row r=\"3\"><c r=\"C3\"><v>1</v></c></row>"
                                                       "<row r=\"7\"><c r=\"E7\"><v>2</v></c></row>"));
    EXPECT_EQ(sheet.GetFirstRow(), 2);
    EXPECT_EQ(sheet.GetFirstColumn(), 2);
    EXPECT_EQ(sheet.GetUsedRowCount(), 5);
    EXPECT_EQ(sheet.GetUsedColumnCount(), 3);
}

TEST(WorkbookReader, PrefixedNamesEscapesAndOrder) {
    // Some writers prefix the main namespace; _xHHHH_ carries characters XML cannot.
    const std::string ns = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    const auto bytes = ZipOf({
        {"_rels/.rels", "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                        "<Relationship Id=\"a\" Type=\"" + rel + "/officeDocument\" Target=\"/book/main.xml\"/>"
                        "</Relationships>"},
        {"book/main.xml", "<x:workbook xmlns:x=\"" + ns + "\" xmlns:r=\"" + rel + "\"><x:sheets>"
                          "<x:sheet name=\"Zweite &amp; letzte\" sheetId=\"2\" r:id=\"s2\"/>"
                          "<x:sheet name=\"Chart\" sheetId=\"3\" r:id=\"c1\"/>"
                          "<x:sheet name=\"Erste\" sheetId=\"1\" r:id=\"s1\"/></x:sheets></x:workbook>"},
        {"book/_rels/main.xml.rels",
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"s1\" Type=\"" + rel + "/worksheet\" Target=\"sheets/one.xml\"/>"
         "<Relationship Id=\"s2\" Type=\"" + rel + "/worksheet\" Target=\"../book/sheets/two.xml\"/>"
         "<Relationship Id=\"c1\" Type=\"" + rel + "/chartsheet\" Target=\"charts/c.xml\"/></Relationships>"},
        {"book/sheets/one.xml", "<x:worksheet xmlns:x=\"" + ns + "\"><x:sheetData><x:row r=\"1\">"
                                "<x:c r=\"A1\" t=\"inlineStr\"><x:is><x:t>line_x000D_\nnext_x005F_x0041_</x:t></x:is></x:c>"
                                "</x:row></x:sheetData></x:worksheet>"},
        {"book/sheets/two.xml", "<worksheet xmlns=\"" + ns + "\"><sheetData><row r=\"2\"><c r=\"B2\" t=\"inlineStr\">"
                                "<is><t><![CDATA[<&>]]></t></is></c></row></sheetData></worksheet>"},
    });
    CWorkbookData workbook = QorReadXlsx(bytes.data(), bytes.size());
    ASSERT_EQ(workbook.sheets.size(), 2u);
    EXPECT_EQ(workbook.sheets[0].GetName().ToUtf8(), "Zweite & letzte");
    EXPECT_EQ(workbook.sheets[0].GetText(1, 1).ToUtf8(), "<&>");
    EXPECT_EQ(workbook.sheets[1].GetName().ToUtf8(), "Erste");
    EXPECT_EQ(workbook.sheets[1].GetText(0, 0).ToUtf8(), "line\r\nnext_x0041_");
}

TEST(WorkbookReader, HostileArchivesAreRefused) {
    const auto good = WorkbookWithSheet("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>");
    EXPECT_NO_THROW(QorReadXlsx(good.data(), good.size()));

    const std::string text = "Update,Original\r\n";
    EXPECT_NE(ReadError(std::vector<unsigned char>(text.begin(), text.end())).find("not a zip"), std::string::npos);
    EXPECT_NE(ReadError({}).find("not a zip"), std::string::npos);
    for (std::size_t cut : {good.size() / 3, good.size() / 2, good.size() - 10}) {
        auto truncated = good;
        truncated.resize(cut);
        EXPECT_NE(ReadError(truncated).find("truncated"), std::string::npos) << cut;
    }
    // A flipped byte inside compressed data.
    auto damaged = good;
    damaged[60] ^= 0x55;
    EXPECT_NE(ReadError(damaged), "read without error");

    // 8 MiB of spaces deflates to about 8 KiB.
    const std::string spaces(8u << 20, ' ');
    const auto bomb = WorkbookWithSheet("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>" + spaces);
    EXPECT_NE(ReadError(bomb).find("zip bomb"), std::string::npos);
    // The same with its directory claiming a small size.
    auto liar = bomb;
    const std::string central = "PK\x01\x02";
    const std::string name = "xl/worksheets/sheet1.xml";
    const auto at = std::search(liar.begin(), liar.end(), central.begin(), central.end()) - liar.begin();
    for (auto entry = std::size_t(at); entry + 46 < liar.size(); entry += 46 + liar[entry + 28] + 256u * liar[entry + 29]) {
        if (std::string(liar.begin() + std::ptrdiff_t(entry) + 46, liar.begin() + std::ptrdiff_t(entry) + 46 + 24) == name) {
            liar[entry + 24] = 100;
            liar[entry + 25] = liar[entry + 26] = liar[entry + 27] = 0;
        }
    }
    EXPECT_NE(liar, bomb);
    EXPECT_NE(ReadError(liar).find("zip bomb"), std::string::npos);
    CZipLimits small;
    small.maxPartSize = 100;
    EXPECT_NE(ReadError(good, small), "read without error");
}

TEST(WorkbookReader, HostileXmlIsRefused) {
    const std::string kBook = "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" xmlns:r=\"x\">";
    const std::string entities =
        "<!DOCTYPE worksheet [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">]>";
    auto withSheetXml = [&](const std::string& xml) {
        const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
        return ZipOf({{"xl/workbook.xml", kBook + "<sheets><sheet name=\"S\" r:id=\"r1\"/></sheets></workbook>"},
                      {"xl/_rels/workbook.xml.rels", "<Relationships><Relationship Id=\"r1\" Type=\"" + rel +
                                                         "worksheet\" Target=\"s.xml\"/></Relationships>"},
                      {"xl/s.xml", xml}});
    };
    EXPECT_NE(ReadError(withSheetXml("<?xml version=\"1.0\"?>" + entities + "<worksheet><sheetData><row><c t=\"inlineStr\">"
                                     "<is><t>&b;</t></is></c></row></sheetData></worksheet>"))
                  .find("document type"),
              std::string::npos);
    EXPECT_NE(ReadError(withSheetXml("<worksheet><sheetData><row><c t=\"inlineStr\"><is><t>&b;</t></is></c></row>"
                                     "</sheetData></worksheet>"))
                  .find("entity \"b\""),
              std::string::npos);
    EXPECT_NE(ReadError(withSheetXml("<worksheet><sheetData><row><c r=\"A1\"><v>1</v></c></row></sheetData>"))
                  .find("ends in the middle"),
              std::string::npos);
    EXPECT_NE(ReadError(withSheetXml("<worksheet><sheetData><row><c r=\"A1\"><v>1</c></v></row></sheetData></worksheet>"))
                  .find("mismatched"),
              std::string::npos);
    for (const char* ref : {"1A", "A0", "A01", "XFE1", "AAAA1", "A1048577", "a1", "B", ""}) {
        EXPECT_NE(ReadError(withSheetXml(std::string("<worksheet><sheetData><row><c r=\"") + ref +
                                         "\"><v>1</v></c></row></sheetData></worksheet>"))
                      .find("malformed cell reference"),
                  std::string::npos)
            << ref;
    }
    EXPECT_NE(ReadError(WorkbookWithSheet("<row><c t=\"s\"><v>3</v></c></row>", "<si><t>only</t></si>"))
                  .find("shared string"),
              std::string::npos);
    EXPECT_NE(ReadError(WorkbookWithSheet("<row><c><v>twelve</v></c></row>")).find("not a number"), std::string::npos);
    // A workbook that names a worksheet whose part is not there.
    EXPECT_NE(ReadError(ZipOf({{"xl/workbook.xml", kBook + "<sheets><sheet name=\"S\" r:id=\"r1\"/></sheets></workbook>"},
                               {"xl/_rels/workbook.xml.rels",
                                "<Relationships><Relationship Id=\"r1\" Type=\"a/worksheet\" Target=\"gone.xml\"/>"
                                "</Relationships>"}}))
                  .find("missing its part"),
              std::string::npos);
}

TEST(WorkbookReader, OnlyASpreadsheetIsAWorkbook) {
    const std::string ns = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    const std::string package = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    const std::string types = "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">";
    const std::string mainType = "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";
    auto mainRel = [&](const std::string& target) {
        return package + "<Relationship Id=\"a\" Type=\"" + rel + "/officeDocument\" Target=\"" + target +
               "\"/></Relationships>";
    };
    const std::string sheetRels = package + "<Relationship Id=\"r1\" Type=\"" + rel +
                                  "/worksheet\" Target=\"s.xml\"/></Relationships>";
    const std::string book = "<workbook xmlns=\"" + ns + "\" xmlns:r=\"" + rel +
                             "\"><sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"r1\"/></sheets></workbook>";
    const std::string sheet = "<worksheet xmlns=\"" + ns + "\"><sheetData/></worksheet>";
    auto expectRefused = [](const std::vector<unsigned char>& bytes, const char* reason) {
        EXPECT_NE(ReadError(bytes).find(reason), std::string::npos) << ReadError(bytes);
    };

    // A text document, whose relationships name a worksheet part besides.
    expectRefused(ZipOf({{"[Content_Types].xml", types + "<Override PartName=\"/word/document.xml\" ContentType=\""
                                                 "application/vnd.openxmlformats-officedocument.wordprocessingml."
                                                 "document.main+xml\"/></Types>"},
                         {"_rels/.rels", mainRel("word/document.xml")},
                         {"word/document.xml", "<w:document xmlns:w=\"http://schemas.openxmlformats.org/"
                                               "wordprocessingml/2006/main\"><w:body/></w:document>"},
                         {"word/_rels/document.xml.rels", sheetRels}, {"word/s.xml", sheet}}),
                  "not a workbook");
    // Package relationships without a main part, beside a workbook part.
    expectRefused(ZipOf({{"_rels/.rels", package + "<Relationship Id=\"a\" Type=\"" + rel +
                                             "/extended-properties\" Target=\"docProps/app.xml\"/></Relationships>"},
                         {"xl/workbook.xml", book}, {"xl/_rels/workbook.xml.rels", sheetRels}, {"xl/s.xml", sheet}}),
                  "not a workbook");
    // A workbook part whose content type is another one.
    expectRefused(ZipOf({{"[Content_Types].xml", types + "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                                                 "</Types>"},
                         {"_rels/.rels", mainRel("xl/workbook.xml")}, {"xl/workbook.xml", book},
                         {"xl/_rels/workbook.xml.rels", sheetRels}, {"xl/s.xml", sheet}}),
                  "not a workbook");
    // A main part in another vocabulary, named as a workbook.
    expectRefused(ZipOf({{"_rels/.rels", mainRel("xl/workbook.xml")},
                         {"xl/workbook.xml", "<workbook xmlns=\"urn:other\"><sheets/></workbook>"}}),
                  "not a workbook");
    // Sheets that are no worksheets, or none at all.
    expectRefused(ZipOf({{"_rels/.rels", mainRel("xl/workbook.xml")}, {"xl/workbook.xml", book},
                         {"xl/_rels/workbook.xml.rels", sheetRels},
                         {"xl/s.xml", "<chartsheet xmlns=\"" + ns + "\"/>"}}),
                  "not a worksheet");
    expectRefused(ZipOf({{"_rels/.rels", mainRel("xl/workbook.xml")},
                         {"xl/workbook.xml", "<workbook xmlns=\"" + ns + "\"><sheets/></workbook>"}}),
                  "no worksheet");

    // The same with the right names reads; the content type may come by
    // extension, and strict documents use another namespace.
    EXPECT_EQ(ReadError(ZipOf({{"[Content_Types].xml", types + "<Default Extension=\"XML\" ContentType=\"" + mainType +
                                                       "\"/></Types>"},
                               {"_rels/.rels", mainRel("xl/workbook.xml")}, {"xl/workbook.xml", book},
                               {"xl/_rels/workbook.xml.rels", sheetRels}, {"xl/s.xml", sheet}})),
              "read without error");
    EXPECT_EQ(ReadError(ZipOf({{"[Content_Types].xml", types + "<Override PartName=\"/XL/Workbook.xml\" ContentType=\"" +
                                                       mainType + "\"/></Types>"},
                               {"_rels/.rels", mainRel("xl/workbook.xml")},
                               {"xl/workbook.xml", "<x:workbook xmlns:x=\"http://purl.oclc.org/ooxml/spreadsheetml/main\" "
                                                   "xmlns:r=\"" + rel + "\"><x:sheets><x:sheet name=\"S\" "
                                                   "sheetId=\"1\" r:id=\"r1\"/></x:sheets></x:workbook>"},
                               {"xl/_rels/workbook.xml.rels", sheetRels}, {"xl/s.xml", sheet}})),
              "read without error");
}

TEST(CsvReader, QuotingLineBreaksAndSparseFields) {
    const std::string csv = "\xEF\xBB\xBF" "a,\"b,c\",\"say \"\"hi\"\"\"\r\n"
                            ",\"two\r\nlines\",\n"
                            "\r\n"
                            "last,,x";
    CWorkbookData workbook =
        QorReadCsv(reinterpret_cast<const unsigned char*>(csv.data()), csv.size(), QSTR("words"));
    ASSERT_EQ(workbook.sheets.size(), 1u);
    EXPECT_EQ(workbook.sheets[0].GetName().ToUtf8(), "words");
    EXPECT_EQ(Grid(workbook.sheets[0]),
              (Rows{{"a", "b,c", "say \"hi\""}, {"", "two\r\nlines", ""}, {"", "", ""}, {"last", "", "x"}}));
    const std::string open = "a,\"never closed";
    EXPECT_THROW(QorReadCsv(reinterpret_cast<const unsigned char*>(open.data()), open.size(), QSTR("x")),
                 CSheetException);
}

TEST(WorkbookFile, FailuresNameTheFileAndGiveNothing) {
    ScratchDir dir;
    CWorkbookData data;
    CString error;
    EXPECT_FALSE(QorReadWorkbookFile(dir.Path("missing.xlsx"), data, error));
    EXPECT_NE(error.ToUtf8().find("missing.xlsx"), std::string::npos);
    const std::string junk = "PK\x03\x04 not really";
    WriteBytes(dir.Path("junk.xlsx"), std::vector<unsigned char>(junk.begin(), junk.end()));
    EXPECT_FALSE(QorReadWorkbookFile(dir.Path("junk.xlsx"), data, error));
    EXPECT_NE(error.ToUtf8().find("junk.xlsx"), std::string::npos);
    EXPECT_TRUE(data.sheets.empty());
    WriteBytes(dir.Path("List.CSV"), {'x', ',', 'y'});
    ASSERT_TRUE(QorReadWorkbookFile(dir.Path("List.CSV"), data, error)) << error.ToUtf8();
    EXPECT_EQ(data.sheets.at(0).GetName().ToUtf8(), "List");
}

}  // namespace
