#include "sheets/WorkbookPackage.h"

#include <memory>
#include <vector>

#include "sheets/SheetError.h"
#include "sheets/ZipPartReader.h"

namespace {

const char* const kMainNamespaces[] = {
    "http://schemas.openxmlformats.org/spreadsheetml/2006/main",
    "http://purl.oclc.org/ooxml/spreadsheetml/main",  // strict documents
};
const char* const kMainContentTypes[] = {
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml",
    "application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml",
    "application/vnd.ms-excel.sheet.macroEnabled.main+xml",
    "application/vnd.ms-excel.template.macroEnabled.main+xml",
    "application/vnd.ms-excel.addin.macroEnabled.main+xml",
};

[[noreturn]] void NotAWorkbook(const std::string& why) { throw CSheetException("the file is not a workbook: " + why); }

std::string Lower(std::string text) {
    for (char& ch : text)
        if (ch >= 'A' && ch <= 'Z') ch = char(ch + 32);
    return text;
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

}  // namespace

bool CRelationship::Is(const char* kind) const {
    const std::string suffix = std::string("/") + kind;
    return type.size() >= suffix.size() && type.compare(type.size() - suffix.size(), suffix.size(), suffix) == 0;
}

CWorkbookPackage::CWorkbookPackage(const unsigned char* data, std::size_t size, const CZipLimits& limits)
    : m_zip(data, size, limits), m_budget(0), m_limit(limits.maxCellMemory) {}

CXmlScanner::Source CWorkbookPackage::Read(const std::string& part) {
    // Parts named again would inflate again: a way to multiply the work.
    if (!m_read.insert(Lower(part)).second)
        throw CSheetException("the workbook refers to its part \"" + part + "\" more than once");
    std::shared_ptr<CZipPartReader> reader(m_zip.Open(part));
    return [reader](char* buffer, std::size_t size) { return reader->Read(buffer, size); };
}

void CWorkbookPackage::Charge(std::uint64_t bytes) {
    m_budget += bytes;
    if (m_budget > m_limit)
        throw CSheetException("the workbook holds more data than can be read at once (over " +
                              std::to_string(m_limit >> 20) + " MiB)");
}

std::map<std::string, CRelationship> CWorkbookPackage::ReadRelationships(const std::string& part) {
    std::map<std::string, CRelationship> relationships;
    const std::string folder = FolderOf(part);
    const std::string relsName = folder + "_rels/" + part.substr(folder.size()) + ".rels";
    if (!Has(relsName)) return relationships;
    CXmlScanner scanner(Read(relsName), relsName);
    std::string id, type, target, mode;
    for (CXmlScanner::Token token; (token = scanner.Next()) != CXmlScanner::End;) {
        if (token != CXmlScanner::StartTag || scanner.Name() != "Relationship") continue;
        if (!scanner.Attribute("Id", id) || !scanner.Attribute("Type", type) || !scanner.Attribute("Target", target) ||
            target.empty())
            scanner.Fail("has a malformed relationship");
        if (scanner.Attribute("TargetMode", mode) && mode == "External") continue;
        Charge(128 + id.size() + type.size() + target.size());
        relationships[id] = CRelationship{type, ResolveTarget(folder, target)};
    }
    return relationships;
}

std::string CWorkbookPackage::MainWorkbookPart() {
    // Without package relationships, where workbooks keep it.
    std::string main = "xl/workbook.xml";
    if (Has("_rels/.rels")) {
        main.clear();
        for (const auto& rel : ReadRelationships("")) {
            if (rel.second.Is("officeDocument")) {
                main = rel.second.target;
                break;
            }
        }
        if (main.empty()) NotAWorkbook("it names no main part");
    }
    if (!Has(main)) NotAWorkbook("it has no workbook part");
    if (Has("[Content_Types].xml")) CheckContentType(main);
    return main;
}

void CWorkbookPackage::CheckContentType(const std::string& part) {
    const std::string partName = Lower("/" + part);
    const std::size_t dot = partName.rfind('.');
    const std::string extension = dot == std::string::npos || dot < partName.rfind('/') ? "" : partName.substr(dot + 1);
    CXmlScanner scanner(Read("[Content_Types].xml"), "[Content_Types].xml");
    std::string byName, byExtension, value, type;
    for (CXmlScanner::Token token; (token = scanner.Next()) != CXmlScanner::End;) {
        if (token != CXmlScanner::StartTag || !scanner.Attribute("ContentType", type)) continue;
        if (scanner.Name() == "Override" && scanner.Attribute("PartName", value) && Lower(value) == partName)
            byName = type;
        else if (scanner.Name() == "Default" && scanner.Attribute("Extension", value) && Lower(value) == extension)
            byExtension = type;
    }
    const std::string& contentType = byName.empty() ? byExtension : byName;
    for (const char* spreadsheet : kMainContentTypes)
        if (contentType == spreadsheet) return;
    NotAWorkbook(contentType.empty() ? "its content types name no spreadsheet"
                                     : "its main part is of the type \"" + contentType + "\"");
}

bool CWorkbookPackage::IsWorkbookRoot(const CXmlScanner& scanner) {
    std::string uri;
    if (scanner.Name() != "workbook" || !scanner.OwnNamespace(uri)) return false;
    for (const char* ns : kMainNamespaces)
        if (uri == ns) return true;
    return false;
}
