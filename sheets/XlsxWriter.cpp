#include "sheets/XlsxWriter.h"

#include <cstdio>

#include "base/CFile.h"
#include "base/Exceptions.h"
#include "sheets/CellReference.h"
#include "sheets/OoxmlText.h"
#include "sheets/SheetError.h"
#include "sheets/ZipWriter.h"

namespace {

const char kXmlDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
const char kMainNs[] = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const char kRelNs[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// Cell formats of styles.xml, by index.
constexpr int kHeadingStyle = 1;
constexpr int kTextStyle = 2;

std::string ContentTypes() {
    return std::string(kXmlDeclaration) +
           "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
           "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
           "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
           "<Override PartName=\"/xl/workbook.xml\" "
           "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
           "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
           "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
           "<Override PartName=\"/xl/styles.xml\" "
           "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
           "</Types>";
}

std::string PackageRelationships() {
    return std::string(kXmlDeclaration) +
           "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
           "<Relationship Id=\"rId1\" "
           "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
           "Target=\"xl/workbook.xml\"/>"
           "</Relationships>";
}

std::string Workbook(const CString& sheetName) {
    std::string name;
    QorAppendCellXml(name, sheetName.GetString(), sheetName.GetLength());
    std::string xml = std::string(kXmlDeclaration) + "<workbook xmlns=\"" + kMainNs + "\" xmlns:r=\"" + kRelNs +
                      "\"><bookViews><workbookView/></bookViews><sheets><sheet name=\"";
    for (char ch : name) xml += ch == '"' ? std::string("&quot;") : std::string(1, ch);
    return xml + "\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
}

std::string WorkbookRelationships() {
    return std::string(kXmlDeclaration) +
           "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
           "<Relationship Id=\"rId1\" "
           "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
           "Target=\"worksheets/sheet1.xml\"/>"
           "<Relationship Id=\"rId2\" "
           "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
           "Target=\"styles.xml\"/>"
           "</Relationships>";
}

// Border colour: indexed 8 is the palette's black, Excel's colour index 1.
std::string Styles() {
    const std::string side = "style=\"thin\"><color indexed=\"8\"/>";
    return std::string(kXmlDeclaration) + "<styleSheet xmlns=\"" + kMainNs +
           "\">"
           "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font></fonts>"
           "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
           "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
           "<borders count=\"2\"><border><left/><right/><top/><bottom/><diagonal/></border>"
           "<border><left " + side + "</left><right " + side + "</right><top " + side + "</top><bottom " + side +
           "</bottom><diagonal/></border></borders>"
           "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
           "<cellXfs count=\"3\">"
           "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
           "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"1\" xfId=\"0\" applyBorder=\"1\" "
           "applyAlignment=\"1\"><alignment horizontal=\"center\" vertical=\"center\"/></xf>"
           "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" quotePrefix=\"1\"/>"
           "</cellXfs>"
           "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
           "</styleSheet>";
}

}  // namespace

CXlsxWriter::CXlsxWriter() = default;
CXlsxWriter::~CXlsxWriter() = default;

void CXlsxWriter::Begin(const CString& path, const CString& sheetName, const std::vector<CString>& headings) {
    if (headings.empty() || long(headings.size()) > kQorMaxColumns)
        throw CSheetException("a worksheet takes 1 to 16384 columns");
    m_file = std::make_unique<CAtomicFileWriter>();
    if (!m_file->Open(path)) throw CFileException(m_file->GetError());
    m_zip = std::make_unique<CZipWriter>(m_file->File());
    m_columnNames.clear();
    for (std::size_t c = 0; c < headings.size(); ++c) m_columnNames.push_back(QorColumnName(long(c)));

    m_zip->BeginEntry("[Content_Types].xml");
    m_zip->Write(ContentTypes());
    m_zip->BeginEntry("_rels/.rels");
    m_zip->Write(PackageRelationships());
    m_zip->BeginEntry("xl/workbook.xml");
    m_zip->Write(Workbook(sheetName.Left(31)));
    m_zip->BeginEntry("xl/_rels/workbook.xml.rels");
    m_zip->Write(WorkbookRelationships());
    m_zip->BeginEntry("xl/styles.xml");
    m_zip->Write(Styles());
    m_zip->BeginEntry("xl/worksheets/sheet1.xml");

    // A width set to 25 characters is stored with the cell padding of the
    // default font, as Excel stores it.
    m_xml = std::string(kXmlDeclaration) + "<worksheet xmlns=\"" + kMainNs + "\" xmlns:r=\"" + kRelNs +
            "\"><sheetViews><sheetView workbookViewId=\"0\"/></sheetViews>"
            "<sheetFormatPr defaultRowHeight=\"15\"/><cols><col min=\"1\" max=\"" +
            std::to_string(headings.size()) + "\" width=\"25.7109375\" customWidth=\"1\"/></cols><sheetData>";
    m_row = 0;
    AppendRow(headings, kHeadingStyle);
}

void CXlsxWriter::AddRow(const std::vector<CString>& cells) {
    if (!m_zip) return;
    if (m_row >= kQorMaxRows) throw CSheetException("a worksheet holds at most 1048576 rows");
    AppendRow(cells, kTextStyle);
    FlushXml(false);
}

void CXlsxWriter::AppendRow(const std::vector<CString>& cells, int style) {
    const std::string row = std::to_string(++m_row);
    m_xml += "<row r=\"" + row + "\">";
    const std::string styleText = std::to_string(style);
    for (std::size_t c = 0; c < m_columnNames.size(); ++c) {
        m_xml += "<c r=\"";
        m_xml += m_columnNames[c];
        m_xml += row;
        m_xml += "\" s=\"";
        m_xml += styleText;
        // An empty one is text too, or a spreadsheet program takes the
        // column for numbers where it has none.
        static const CString kEmpty;
        const CString& text = c < cells.size() ? cells[c] : kEmpty;
        const WCHAR* p = text.GetString();
        const int length = text.GetLength();
        const bool keepSpaces = length > 0 && (p[0] == ' ' || p[0] == '\t' || p[0] == '\n' || p[length - 1] == ' ' ||
                                               p[length - 1] == '\t' || p[length - 1] == '\n');
        m_xml += keepSpaces ? "\" t=\"inlineStr\"><is><t xml:space=\"preserve\">" : "\" t=\"inlineStr\"><is><t>";
        QorAppendCellXml(m_xml, p, length);
        m_xml += "</t></is></c>";
    }
    m_xml += "</row>";
}

void CXlsxWriter::FlushXml(bool force) {
    if (force || m_xml.size() >= 64 * 1024) {
        m_zip->Write(m_xml);
        m_xml.clear();
    }
}

void CXlsxWriter::Finish() {
    if (!m_zip) return;
    m_xml += "</sheetData><pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
             "footer=\"0.3\"/></worksheet>";
    FlushXml(true);
    m_zip->Finish();
    m_zip.reset();
    m_file->Commit();
    m_file.reset();
}
