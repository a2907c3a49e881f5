#include "sheets/XlsxReader.h"

#include <cstdio>
#include <cstdlib>
#include <map>

#include "sheets/CellReference.h"
#include "sheets/OoxmlText.h"
#include "sheets/SheetError.h"
#include "sheets/XmlScanner.h"

namespace {

struct Relationship {
    std::string type;
    std::string target;  // part name, resolved
};

bool EndsWith(const std::string& text, const char* suffix) {
    const std::size_t n = std::char_traits<char>::length(suffix);
    return text.size() >= n && text.compare(text.size() - n, n, suffix) == 0;
}

// The part a relationship target names, seen from the folder of its source.
std::string ResolveTarget(const std::string& sourceFolder, const std::string& target) {
    std::string path = target[0] == '/' ? target.substr(1) : sourceFolder + target;
    std::vector<std::string> segments;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t slash = path.find('/', start);
        if (slash == std::string::npos) slash = path.size();
        const std::string segment = path.substr(start, slash - start);
        if (segment == "..") {
            if (!segments.empty()) segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = slash + 1;
    }
    std::string resolved;
    for (const std::string& segment : segments) resolved += (resolved.empty() ? "" : "/") + segment;
    return resolved;
}

std::string FolderOf(const std::string& part) {
    const std::size_t slash = part.rfind('/');
    return slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
}

// The relationships of a part, by ID; none when the part has no .rels.
std::map<std::string, Relationship> ReadRelationships(const CZipReader& zip, const std::string& part) {
    std::map<std::string, Relationship> relationships;
    const std::string folder = FolderOf(part);
    const std::string relsName = folder + "_rels/" + part.substr(folder.size()) + ".rels";
    if (!zip.Has(relsName)) return relationships;
    const std::string xml = zip.Extract(relsName);
    CXmlScanner scanner(xml, relsName);
    std::string id, type, target, mode;
    for (CXmlScanner::Token token; (token = scanner.Next()) != CXmlScanner::End;) {
        if (token != CXmlScanner::StartTag || scanner.Name() != "Relationship") continue;
        if (!scanner.Attribute("Id", id) || !scanner.Attribute("Type", type) || !scanner.Attribute("Target", target) ||
            target.empty())
            scanner.Fail("has a malformed relationship");
        if (scanner.Attribute("TargetMode", mode) && mode == "External") continue;
        relationships[id] = Relationship{type, ResolveTarget(folder, target)};
    }
    return relationships;
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
            if (inText) scanner.AppendText(text);
            break;
        case CXmlScanner::End:
            return;
        }
    }
}

std::vector<CString> ReadSharedStrings(const CZipReader& zip, const std::string& part) {
    std::vector<CString> strings;
    const std::string xml = zip.Extract(part);
    CXmlScanner scanner(xml, part);
    std::string text;
    for (CXmlScanner::Token token; (token = scanner.Next()) != CXmlScanner::End;) {
        if (token == CXmlScanner::StartTag && scanner.Name() == "si") {
            text.clear();
            ReadStringItem(scanner, text);
            strings.push_back(DecodedText(text));
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

CSheetData ReadWorksheet(const CZipReader& zip, const std::string& part, const CString& name,
                         const std::vector<CString>& sharedStrings) {
    CSheetData sheet(name);
    const std::string xml = zip.Extract(part);
    CXmlScanner scanner(xml, part);
    long row = -1;
    long column = -1;
    bool inSheetData = false;
    std::string attribute, type, value, inlineText;
    bool inCell = false, inValue = false, hasValue = false, hasInline = false;
    for (CXmlScanner::Token token; (token = scanner.Next()) != CXmlScanner::End;) {
        if (token == CXmlScanner::Text) {
            if (inValue) scanner.AppendText(value);
            continue;
        }
        const std::string_view tag = scanner.Name();
        if (token == CXmlScanner::StartTag) {
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
                CString text;
                if (type == "inlineStr") {
                    text = DecodedText(hasInline ? inlineText : value);
                } else if (!hasValue) {
                    // A cell with a format and no value.
                } else if (type == "s") {
                    char* end = nullptr;
                    const unsigned long index = std::strtoul(value.c_str(), &end, 10);
                    if (value.empty() || *end || index >= sharedStrings.size())
                        scanner.Fail("refers to a shared string \"" + value + "\" that does not exist");
                    text = sharedStrings[index];
                } else if (type == "b") {
                    text = value == "1" || value == "true" ? QSTR("True") : QSTR("False");
                } else if (type == "n") {
                    text = NumberText(value, scanner);
                } else if (type == "str") {
                    text = DecodedText(value);
                } else {
                    text = CString::FromUtf8(value);  // "e" and "d"
                }
                sheet.AddCell(row, column, text);
            }
        }
    }
    sheet.Seal();
    return sheet;
}

}  // namespace

CWorkbookData QorReadXlsx(const unsigned char* data, std::size_t size, CZipLimits limits) {
    CZipReader zip(data, size, limits);

    std::string workbookPart = "xl/workbook.xml";
    for (const auto& rel : ReadRelationships(zip, "")) {
        if (EndsWith(rel.second.type, "/officeDocument")) {
            workbookPart = rel.second.target;
            break;
        }
    }
    if (!zip.Has(workbookPart)) throw CSheetException("the file is not a workbook: it has no workbook part");
    const std::map<std::string, Relationship> relationships = ReadRelationships(zip, workbookPart);

    std::vector<CString> sharedStrings;
    for (const auto& rel : relationships)
        if (EndsWith(rel.second.type, "/sharedStrings")) sharedStrings = ReadSharedStrings(zip, rel.second.target);

    struct SheetEntry {
        CString name;
        std::string relationshipId;
    };
    std::vector<SheetEntry> entries;
    {
        const std::string xml = zip.Extract(workbookPart);
        CXmlScanner scanner(xml, workbookPart);
        std::string name, id;
        for (CXmlScanner::Token token; (token = scanner.Next()) != CXmlScanner::End;) {
            if (token != CXmlScanner::StartTag || scanner.Name() != "sheet") continue;
            if (!scanner.Attribute("name", name) || !scanner.Attribute("id", id))
                scanner.Fail("lists a sheet without a name or a part");
            entries.push_back(SheetEntry{CString::FromUtf8(name), id});
        }
    }

    CWorkbookData workbook;
    for (const SheetEntry& entry : entries) {
        const auto rel = relationships.find(entry.relationshipId);
        const std::string sheetName = entry.name.ToUtf8();
        if (rel == relationships.end())
            throw CSheetException("the worksheet \"" + sheetName + "\" of the workbook has no part");
        if (!EndsWith(rel->second.type, "/worksheet")) continue;
        if (!zip.Has(rel->second.target))
            throw CSheetException("the worksheet \"" + sheetName + "\" of the workbook is missing its part \"" +
                                  rel->second.target + "\"");
        workbook.sheets.push_back(ReadWorksheet(zip, rel->second.target, entry.name, sharedStrings));
    }
    return workbook;
}
