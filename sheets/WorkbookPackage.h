#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "sheets/XmlScanner.h"
#include "sheets/ZipReader.h"

// A relationship of a package part: its type, and the part it names.
struct CRelationship {
    std::string type;
    std::string target;  // part name, resolved
    // Whether the type ends in "/" and kind, as in every namespace of the format.
    bool Is(const char* kind) const;
};

// The parts of an Office Open XML package as the workbook reader takes them:
// each part is read at most once, and what is kept of them counts against
// one budget (CZipLimits::maxCellMemory). Failures throw CSheetException.
class CWorkbookPackage {
public:
    CWorkbookPackage(const unsigned char* data, std::size_t size, const CZipLimits& limits);

    bool Has(const std::string& part) const { return m_zip.Has(part); }
    // The part's bytes as they inflate, for a CXmlScanner.
    CXmlScanner::Source Read(const std::string& part);
    // The workbook part the package names as its main part, refused unless
    // it is a spreadsheet's by its content type and its root element.
    std::string MainWorkbookPart();
    // The relationships of a part by ID; none when the part has none.
    std::map<std::string, CRelationship> ReadRelationships(const std::string& part);
    // Of the current start tag: whether it is a spreadsheet's workbook element.
    static bool IsWorkbookRoot(const CXmlScanner& scanner);
    // Memory taken by what is kept of the workbook.
    void Charge(std::uint64_t bytes);

private:
    void CheckContentType(const std::string& part);

    CZipReader m_zip;
    std::set<std::string> m_read;  // in lower case, as part names compare
    std::uint64_t m_budget;
    std::uint64_t m_limit;
};
