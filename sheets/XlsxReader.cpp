#include "sheets/XlsxReader.h"

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <set>

#include "sheets/CellReference.h"
#include "sheets/OoxmlText.h"
#include "sheets/SheetError.h"
#include "sheets/WorkbookPackage.h"
#include "sheets/XmlScanner.h"

namespace {

// UTF-8 bytes of one text, far above the 32767 characters a cell holds in
// Excel: more is only a way to fill memory.
constexpr std::size_t kMaxText = 1u << 20;
// What a kept cell or string costs besides its characters, as the budget
// counts it: the entry, and the text's own buffer.
constexpr std::uint64_t kCellCost = 32;
constexpr std::uint64_t kTextCost = 48;

std::uint64_t TextCost(const CString& text) { return kTextCost + 2 * std::uint64_t(text.GetLength()); }

void CheckLength(const std::string& text, const CXmlScanner& scanner) {
    if (text.size() > kMaxText) scanner.Fail("holds a text too long for a cell");
}

CString DecodedText(const std::string& utf8) { return QorDecodeCellEscapes(CString::FromUtf8(utf8)); }

// Collects the text of a string item (<si> or <is>) up to its end tag: the
// <t> elements directly inside or inside rich text runs, not phonetic runs.
void ReadStringItem(CXmlScanner& scanner, std::string& text) {
    int depth = 1;
    int phonetic = 0;
    bool inText = false;
    while (depth > 0) {
        switch (scanner.Next()) {
        case CXmlScanner::StartTag:
            ++depth;
            if (scanner.Name() == "rPh") ++phonetic;
            else if (scanner.Name() == "t" && phonetic == 0) inText = true;
            break;
        case CXmlScanner::EndTag:
            --depth;
            if (scanner.Name() == "rPh") --phonetic;
            else if (scanner.Name() == "t") inText = false;
            break;
        case CXmlScanner::Text:
            if (inText) {
                scanner.AppendText(text);
                CheckLength(text, scanner);
            }
            break;
        case CXmlScanner::End:
            return;
        }
    }
}

std::deque<CString> ReadSharedStrings(CWorkbookPackage& package, const std::string& part) {
    std::deque<CString> strings;
    CXmlScanner scanner(package.Read(part), part);
    std::string text;
    for (CXmlScanner::Token token; (token = scanner.Next()) != CXmlScanner::End;) {
        if (token == CXmlScanner::StartTag && scanner.Name() == "si") {
            text.clear();
            ReadStringItem(scanner, text);
            strings.push_back(DecodedText(text));
            package.Charge(TextCost(strings.back()));
        }
    }
    return strings;
}

CString NumberText(const std::string& value, const CXmlScanner& scanner) {
    const char* begin = value.c_str();
    while (*begin == ' ' || *begin == '\t' || *begin == '\n') ++begin;
    char* end = nullptr;
    double number = std::strtod(begin, &end);
    while (end && (*end == ' ' || *end == '\t' || *end == '\n')) ++end;
    if (end == begin || *end != '\0') scanner.Fail("holds a number cell whose value is not a number");
    if (number == 0) number = 0;  // no "-0"
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15G", number);
    return CString::FromUtf8(buffer, std::char_traits<char>::length(buffer));
}

CSheetData ReadWorksheet(CWorkbookPackage& package, const std::string& part, const CString& name,
                         const std::deque<CString>& sharedStrings) {
    CSheetData sheet(name);
    CXmlScanner scanner(package.Read(part), part);
    bool atRoot = true;
    long row = -1;
    long column = -1;
    bool inSheetData = false;
    std::string attribute, type, value, inlineText;
    bool inCell = false, inValue = false, hasValue = false, hasInline = false;
    for (CXmlScanner::Token token; (token = scanner.Next()) != CXmlScanner::End;) {
        if (token == CXmlScanner::Text) {
            if (inValue) {
                scanner.AppendText(value);
                CheckLength(value, scanner);
            }
            continue;
        }
        const std::string_view tag = scanner.Name();
        if (token == CXmlScanner::StartTag) {
            if (atRoot && tag != "worksheet")
                throw CSheetException("the worksheet \"" + name.ToUtf8() + "\" of the workbook is not a worksheet");
            atRoot = false;
            if (tag == "sheetData") {
                inSheetData = true;
            } else if (!inSheetData) {
                continue;
            } else if (tag == "row") {
                if (scanner.Attribute("r", attribute)) {
                    char* end = nullptr;
                    const long r = std::strtol(attribute.c_str(), &end, 10);
                    if (attribute.empty() || *end || r < 1 || r > kQorMaxRows)
                        scanner.Fail("has a malformed row number \"" + attribute + "\"");
                    row = r - 1;
                } else {
                    ++row;
                }
                if (row >= kQorMaxRows) scanner.Fail("has more rows than a worksheet holds");
                column = -1;
            } else if (tag == "c") {
                if (scanner.Attribute("r", attribute)) {
                    long r = 0;
                    if (!QorParseCellReference(attribute.data(), attribute.size(), r, column))
                        scanner.Fail("has a malformed cell reference \"" + attribute + "\"");
                    row = r;
                } else {
                    if (row < 0) row = 0;
                    if (++column >= kQorMaxColumns) scanner.Fail("has more columns than a worksheet holds");
                }
                if (!scanner.Attribute("t", type)) type = "n";
                inCell = true;
                hasValue = hasInline = false;
                value.clear();
                inlineText.clear();
            } else if (inCell && tag == "v") {
                inValue = true;
                hasValue = true;
            } else if (inCell && tag == "is") {
                hasInline = true;
                ReadStringItem(scanner, inlineText);
            }
        } else if (token == CXmlScanner::EndTag) {
            if (tag == "sheetData") {
                inSheetData = false;
            } else if (tag == "v") {
                inValue = false;
            } else if (tag == "c" && inCell) {
                inCell = false;
                if (!hasValue && !(hasInline && type == "inlineStr")) {
                    // A cell with a format and no value.
                    sheet.AddEmptyCell(row, column);
                    continue;
                }
                CString text;
                bool shared = false;
                if (type == "inlineStr") {
                    text = DecodedText(hasInline ? inlineText : value);
                } else if (type == "s") {
                    char* end = nullptr;
                    const unsigned long index = std::strtoul(value.c_str(), &end, 10);
                    if (value.empty() || *end || index >= sharedStrings.size())
                        scanner.Fail("refers to a shared string \"" + value + "\" that does not exist");
                    text = sharedStrings[index];
                    shared = true;
                } else if (type == "b") {
                    text = value == "1" || value == "true" ? QSTR("True") : QSTR("False");
                } else if (type == "n") {
                    text = NumberText(value, scanner);
                } else if (type == "str") {
                    text = DecodedText(value);
                } else {
                    text = CString::FromUtf8(value);  // "e" and "d"
                }
                package.Charge(kCellCost + (shared || text.IsEmpty() ? 0 : TextCost(text)));
                sheet.AddCell(row, column, text);
            }
        }
    }
    sheet.Seal();
    return sheet;
}

}  // namespace

CWorkbookData QorReadXlsx(const unsigned char* data, std::size_t size, CZipLimits limits) {
    CWorkbookPackage package(data, size, limits);
    const std::string workbookPart = package.MainWorkbookPart();

    struct SheetEntry {
        CString name;
        std::string relationshipId;
    };
    std::vector<SheetEntry> entries;
    {
        CXmlScanner scanner(package.Read(workbookPart), workbookPart);
        std::string name, id;
        bool atRoot = true;
        for (CXmlScanner::Token token; (token = scanner.Next()) != CXmlScanner::End;) {
            if (token != CXmlScanner::StartTag) continue;
            if (atRoot && !CWorkbookPackage::IsWorkbookRoot(scanner))
                throw CSheetException("the file is not a workbook: its main part \"" + workbookPart +
                                      "\" is not a spreadsheet's workbook");
            atRoot = false;
            if (scanner.Name() != "sheet") continue;
            if (!scanner.Attribute("name", name) || !scanner.Attribute("id", id))
                scanner.Fail("lists a sheet without a name or a part");
            package.Charge(kCellCost + kTextCost + name.size() * 2 + id.size());
            entries.push_back(SheetEntry{CString::FromUtf8(name), id});
        }
        if (atRoot) throw CSheetException("the file is not a workbook: its main part \"" + workbookPart + "\" is empty");
    }
    const std::map<std::string, CRelationship> relationships = package.ReadRelationships(workbookPart);

    std::deque<CString> sharedStrings;
    for (const auto& rel : relationships) {
        if (rel.second.Is("sharedStrings")) {
            sharedStrings = ReadSharedStrings(package, rel.second.target);
            break;
        }
    }

    CWorkbookData workbook;
    std::set<std::string> worksheetParts;
    for (const SheetEntry& entry : entries) {
        const auto rel = relationships.find(entry.relationshipId);
        const std::string sheetName = entry.name.ToUtf8();
        if (rel == relationships.end())
            throw CSheetException("the worksheet \"" + sheetName + "\" of the workbook has no part");
        if (!rel->second.Is("worksheet")) continue;
        const std::string& part = rel->second.target;
        if (!package.Has(part))
            throw CSheetException("the worksheet \"" + sheetName + "\" of the workbook is missing its part \"" + part +
                                  "\"");
        std::string lower = part;
        for (char& ch : lower) ch = ch >= 'A' && ch <= 'Z' ? char(ch + 32) : ch;
        if (!worksheetParts.insert(lower).second)
            throw CSheetException("the workbook names the part \"" + part + "\" for more than one worksheet");
        workbook.sheets.push_back(ReadWorksheet(package, part, entry.name, sharedStrings));
    }
    if (workbook.sheets.empty()) throw CSheetException("the workbook has no worksheet");
    return workbook;
}
