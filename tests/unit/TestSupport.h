#pragma once

#include <string>
#include <vector>

#include "base/CString.h"

// A string from UTF-8 source text.
inline CString S(const char* utf8) { return CString::FromUtf8(std::string(utf8)); }

// A scratch folder removed with everything in it when the test ends.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    CString Path(const char* name) const;
    std::vector<std::string> List() const;  // file names in the folder

private:
    std::string m_dir;
};

std::vector<unsigned char> ReadBytes(const CString& path);
void WriteBytes(const CString& path, const std::vector<unsigned char>& bytes);
