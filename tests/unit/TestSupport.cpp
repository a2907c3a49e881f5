#include "TestSupport.h"

#include <filesystem>
#include <fstream>
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
