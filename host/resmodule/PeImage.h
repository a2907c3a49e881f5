#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The resources of a PE file (an .exe or .dll, 32 or 64 bit) read from its
// bytes alone, as a data file: nothing is loaded or run. Every offset, size
// and count in the file is checked against the bytes there are, and a
// directory that is reached twice (a loop) is damage.
struct PeResource {
    std::uint16_t type = 0;       // an ID; resources of named types are not listed
    std::uint16_t nameId = 0;     // 0 when the name is a string
    std::u16string name;          // the name when it is a string
    std::uint16_t language = 0;
    const unsigned char* data = nullptr;
    std::size_t size = 0;
};

// The resources in the order of the resource directory (types, names and
// languages as stored: named entries, then IDs ascending). Returns an empty
// string, or why the file is not a PE image or is damaged; `out` then holds
// nothing. A file without resources is not damaged.
std::string ReadPeResources(const unsigned char* data, std::size_t size, std::vector<PeResource>& out);
