#include <cstring>

#include "base/CFile.h"
#include "base/Exceptions.h"

std::size_t CMemFile::Read(void* buffer, std::size_t count) {
    std::size_t left = m_size - m_position;
    if (count > left) count = left;
    if (count) std::memcpy(buffer, m_data + m_position, count);
    m_position += count;
    return count;
}

void CMemFile::Write(const void*, std::size_t) { throw CFileException("a memory file is read-only"); }
