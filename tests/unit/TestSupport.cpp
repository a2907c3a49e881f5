#include "TestSupport.h"

#include <filesystem>
#include <fstream>
#include <cstring>
#include <random>

namespace fs = std::filesystem;

static fs::path NativePath(const CString& path) {
#if defined(_WIN32)
    return fs::path(std::wstring(path.GetString()));
#else
    return fs::path(path.ToUtf8());
#endif
}

ScratchDir::ScratchDir() {
    std::random_device random;
    fs::path dir = fs::temp_directory_path() / ("qordict-test-" + std::to_string(random()));
    fs::create_directories(dir);
    m_dir = dir.u8string();
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    fs::remove_all(fs::u8path(m_dir), ignored);
}

CString ScratchDir::Path(const char* name) const { return CString::FromUtf8((fs::u8path(m_dir) / name).u8string()); }

std::vector<std::string> ScratchDir::List() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::u8path(m_dir))) names.push_back(entry.path().filename().u8string());
    return names;
}

std::vector<unsigned char> ReadBytes(const CString& path) {
    std::ifstream in(NativePath(path), std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const CString& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(NativePath(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

FileBytes& FileBytes::Int32(std::int32_t value) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<unsigned char>(std::uint32_t(value) >> (8 * i)));
    return *this;
}

FileBytes& FileBytes::Byte(unsigned char value) {
    bytes.push_back(value);
    return *this;
}

FileBytes& FileBytes::Word(std::uint16_t value) {
    bytes.push_back(static_cast<unsigned char>(value));
    bytes.push_back(static_cast<unsigned char>(value >> 8));
    return *this;
}

FileBytes& FileBytes::Double(double value) {
    std::uint64_t raw;
    std::memcpy(&raw, &value, 8);
    for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<unsigned char>(raw >> (8 * i)));
    return *this;
}

FileBytes& FileBytes::String(const CString& text) {
    Byte(0xFF).Word(0xFFFE);
    int n = text.GetLength();
    if (n < 255) Byte(static_cast<unsigned char>(n));
    else if (n < 0xFFFE) Byte(0xFF).Word(static_cast<std::uint16_t>(n));
    else Byte(0xFF).Word(0xFFFF).Int32(n);
    for (int i = 0; i < n; ++i) Word(static_cast<std::uint16_t>(text[i]));
    return *this;
}

FileBytes& FileBytes::AnsiString(const std::string& text) {
    Byte(static_cast<unsigned char>(text.size()));
    bytes.insert(bytes.end(), text.begin(), text.end());
    return *this;
}

FileBytes& FileBytes::Zeros(std::size_t count) {
    bytes.insert(bytes.end(), count, 0);
    return *this;
}

FileBytes& FileBytes::Entry(const CString& original, const CString& display, double date) {
    return Int32(1).String(original).String(display).Date(0, date);
}

FileBytes& FileBytes::ManagerHead(int languages, std::uint32_t sysLcid, std::uint32_t projectLcid) {
    return Int32(1).String(S("1.0.0.0")).Int32(1).Int32(std::int32_t(sysLcid)).Int32(std::int32_t(projectLcid)).Int32(0).Int32(languages);
}

FileBytes& FileBytes::LanguageHead(std::uint32_t id, int enable) {
    Int32(1).Int32(1).Int32(enable).Int32(std::int32_t(id));
    Zeros(92);  // font record
    return Int32(0).Int32(110);
}
