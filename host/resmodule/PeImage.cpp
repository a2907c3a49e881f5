#include "host/resmodule/PeImage.h"

#include <algorithm>
#include <set>

#include "host/resmodule/ByteReader.h"

namespace {

constexpr std::uint16_t kPe32 = 0x10B;
constexpr std::uint16_t kPe32Plus = 0x20B;
constexpr std::uint32_t kResourceDirectory = 2;
constexpr std::uint32_t kHighBit = 0x80000000u;
constexpr std::size_t kSectionHeaderSize = 40;

struct Section {
    std::uint32_t virtualAddress;
    std::uint32_t virtualSize;
    std::uint32_t rawSize;
    std::uint32_t rawOffset;
};

// The file bytes at an RVA and how many of them its section holds in the
// file; null when no section's data covers it. Raw data beyond the virtual
// size is file alignment padding, not part of the image (a virtual size of
// 0 is left by some linkers and means the raw size).
const unsigned char* Locate(const unsigned char* file, std::size_t fileSize, const std::vector<Section>& sections,
                            std::uint32_t rva, std::size_t& available) {
    for (const Section& section : sections) {
        if (rva < section.virtualAddress) continue;
        const std::uint64_t inSection = std::uint64_t(rva) - section.virtualAddress;
        const std::uint32_t mapped = section.virtualSize != 0 ? std::min(section.rawSize, section.virtualSize)
                                                               : section.rawSize;
        if (inSection >= mapped) continue;
        const std::uint64_t offset = std::uint64_t(section.rawOffset) + inSection;
        if (offset >= fileSize) return nullptr;
        const std::uint64_t inFile = std::min<std::uint64_t>(mapped - inSection, fileSize - offset);
        available = std::size_t(inFile);
        return file + offset;
    }
    return nullptr;
}

class ResourceWalker {
public:
    ResourceWalker(const unsigned char* file, std::size_t fileSize, const std::vector<Section>& sections,
                   const unsigned char* tree, std::size_t treeSize)
        : m_file(file), m_fileSize(fileSize), m_sections(sections), m_tree(tree), m_treeSize(treeSize) {}

    std::string Walk(std::vector<PeResource>& out) {
        PeResource resource;
        return Directory(0, 0, resource, out);
    }

private:
    // Levels: 0 types, 1 names, 2 languages.
    std::string Directory(std::uint32_t offset, int level, PeResource& resource, std::vector<PeResource>& out) {
        if (!m_visited.insert(offset).second) return "the resource directory loops back on itself";
        ByteReader header(m_tree, m_treeSize, offset);
        header.Skip(12);
        const std::size_t named = header.U16();
        const std::size_t ids = header.U16();
        if (header.Failed() || !header.Has((named + ids) * 8))
            return "a resource directory extends past the end of the resources";
        // Directories that overlap could otherwise list far more entries than
        // the bytes hold, and the work would grow with their square.
        m_entryBytes += 16 + (named + ids) * 8;
        if (m_entryBytes > m_treeSize) return "the resource directories hold more entries than fit in the resources";
        for (std::size_t i = 0; i < named + ids; ++i) {
            const std::uint32_t name = header.U32();
            const std::uint32_t target = header.U32();
            const bool isString = (name & kHighBit) != 0;
            if (level == 0) {
                if (isString) continue;  // named types hold nothing the host's texts live in
                resource.type = std::uint16_t(name);
            } else if (level == 1) {
                resource.nameId = isString ? 0 : std::uint16_t(name);
                resource.name.clear();
                if (isString) {
                    std::string error = NameString(name & ~kHighBit, resource.name);
                    if (!error.empty()) return error;
                }
            } else {
                if (isString) continue;  // a language is a number
                resource.language = std::uint16_t(name);
            }
            const bool isDirectory = (target & kHighBit) != 0;
            if (isDirectory != (level < 2)) return "the resource directory is not three levels deep";
            std::string error = isDirectory ? Directory(target & ~kHighBit, level + 1, resource, out)
                                            : DataEntry(target, resource, out);
            if (!error.empty()) return error;
        }
        return std::string();
    }

    std::string NameString(std::uint32_t offset, std::u16string& name) {
        ByteReader reader(m_tree, m_treeSize, offset);
        const std::size_t length = reader.U16();
        if (reader.Failed() || !reader.Has(length * 2)) return "a resource name extends past the end of the resources";
        for (std::size_t i = 0; i < length; ++i) name.push_back(char16_t(reader.U16()));
        return std::string();
    }

    std::string DataEntry(std::uint32_t offset, const PeResource& resource, std::vector<PeResource>& out) {
        ByteReader reader(m_tree, m_treeSize, offset);
        const std::uint32_t rva = reader.U32();
        const std::uint32_t size = reader.U32();
        if (reader.Failed()) return "a resource entry extends past the end of the resources";
        PeResource found = resource;
        found.size = size;
        found.data = Map(rva, size);
        if (!found.data && size != 0) return "the data of a resource lies outside the file";
        out.push_back(found);
        return std::string();
    }

private:
    const unsigned char* Map(std::uint32_t rva, std::size_t size) const {
        std::size_t available = 0;
        const unsigned char* bytes = Locate(m_file, m_fileSize, m_sections, rva, available);
        return bytes && size <= available ? bytes : nullptr;
    }

    const unsigned char* m_file;
    std::size_t m_fileSize;
    const std::vector<Section>& m_sections;
    const unsigned char* m_tree;
    std::size_t m_treeSize;
    std::set<std::uint32_t> m_visited;
    std::size_t m_entryBytes = 0;
};

}  // namespace

std::string ReadPeResources(const unsigned char* data, std::size_t size, std::vector<PeResource>& out) {
    out.clear();
    ByteReader dos(data, size);
    if (dos.U16() != 0x5A4D) return "not a program or library (no MZ header)";
    dos.Skip(0x3A);
    const std::uint32_t peOffset = dos.U32();
    if (dos.Failed()) return "the file is cut off inside its MZ header";

    ByteReader pe(data, size, peOffset);
    if (pe.U32() != 0x00004550) return "not a PE file (no PE signature)";
    pe.Skip(2);  // machine
    const std::size_t sectionCount = pe.U16();
    pe.Skip(12);
    const std::size_t optionalSize = pe.U16();
    pe.Skip(2);
    const std::size_t optionalStart = pe.Offset();
    const std::uint16_t magic = pe.U16();
    if (pe.Failed()) return "the file is cut off inside its PE header";
    if (magic != kPe32 && magic != kPe32Plus) return "the PE optional header has an unknown format";
    const std::size_t directoriesAt = optionalStart + (magic == kPe32 ? 96 : 112);
    ByteReader optional(data, size, optionalStart + (magic == kPe32 ? 92 : 108));
    const std::uint32_t directoryCount = optional.U32();
    if (optional.Failed() || directoriesAt > optionalStart + optionalSize)
        return "the PE optional header is cut off";
    if (directoryCount <= kResourceDirectory ||
        directoriesAt + (kResourceDirectory + 1) * 8 > optionalStart + optionalSize)
        return std::string();  // no resource directory: nothing to read
    ByteReader directory(data, size, directoriesAt + kResourceDirectory * 8);
    const std::uint32_t resourceRva = directory.U32();
    const std::uint32_t resourceSize = directory.U32();
    if (directory.Failed()) return "the PE optional header is cut off";

    ByteReader table(data, size, optionalStart + optionalSize);
    if (!table.Has(sectionCount * kSectionHeaderSize)) return "the section table extends past the end of the file";
    std::vector<Section> sections;
    for (std::size_t i = 0; i < sectionCount; ++i) {
        table.Skip(8);
        Section section;
        section.virtualSize = table.U32();
        section.virtualAddress = table.U32();
        section.rawSize = table.U32();
        section.rawOffset = table.U32();
        table.Skip(16);
        sections.push_back(section);
    }
    if (resourceRva == 0 || resourceSize == 0) return std::string();

    // The tree is read within the bytes of its section that the file holds.
    std::size_t treeSize = 0;
    const unsigned char* tree = Locate(data, size, sections, resourceRva, treeSize);
    if (!tree) return "the resource directory lies outside the file";
    if (treeSize > resourceSize) treeSize = resourceSize;
    std::vector<PeResource> found;
    std::string error = ResourceWalker(data, size, sections, tree, treeSize).Walk(found);
    if (!error.empty()) return error;
    out = std::move(found);
    return std::string();
}
