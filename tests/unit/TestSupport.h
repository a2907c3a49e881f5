#pragma once

#include <cstdint>
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

// Builds dictionary-file bytes by hand, field by field.
class FileBytes {
public:
    FileBytes& Int32(std::int32_t value);
    FileBytes& Byte(unsigned char value);
    FileBytes& Word(std::uint16_t value);
    FileBytes& Double(double value);
    FileBytes& String(const CString& text);  // the Unicode form the writer uses
    FileBytes& AnsiString(const std::string& bytes);
    FileBytes& Date(int status, double value) { return Int32(status).Double(value); }
    FileBytes& Zeros(std::size_t count);
    // An entry record, a word list record with its entries, an empty one.
    FileBytes& Entry(const CString& original, const CString& display, double date = 45000.5);
    FileBytes& EmptyWordList() { return Int32(1).Int32(0); }
    // The manager record's head: marker, version, enable, LCIDs, font enable, N.
    FileBytes& ManagerHead(int languages, std::uint32_t sysLcid = 2057, std::uint32_t projectLcid = 2057);
    // A language record with default font and the given empty-or-not lists written by the caller after.
    FileBytes& LanguageHead(std::uint32_t id, int enable);

    std::vector<unsigned char> bytes;
};
