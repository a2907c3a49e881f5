#include "host/resmodule/QorResModuleManager.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "host/resmodule/PeImage.h"
#include "host/resmodule/ResourceTexts.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint16_t kMenu = 4;
constexpr std::uint16_t kDialog = 5;
constexpr std::uint16_t kStringTable = 6;
// Far above any module a host ships; a larger file is not read into memory.
constexpr std::uintmax_t kMaxModuleBytes = 256u << 20;

fs::path ToPath(const CString& text) {
#if defined(_WIN32)
    return fs::path(std::wstring(text.GetString(), std::size_t(text.GetLength())));
#else
    // Hosts write Windows paths; a backslash is taken as a separator here too.
    std::string path = text.ToUtf8();
    std::replace(path.begin(), path.end(), '\\', '/');
    return fs::u8path(path);
#endif
}

bool IsSeparator(WCHAR c) { return c == '\\' || c == '/'; }

CString FromPath(const fs::path& path) {
#if defined(_WIN32)
    const std::wstring text = path.native();
    return CString(text.c_str(), int(text.size()));
#else
    return CString::FromUtf8(path.native());
#endif
}

CString Text(const std::string& utf8) { return CString::FromUtf8(utf8); }

CString FromUtf16(const std::u16string& text) {
    return CString(reinterpret_cast<const WCHAR*>(text.data()), int(text.size()));
}

bool IsModuleName(const CString& name) {
    if (name.GetLength() < 5) return false;
    CString extension = name.Right(4);
    extension.MakeLower();
    return extension == CString(QSTR(".dll")) || extension == CString(QSTR(".exe"));
}

bool Stopped(const std::atomic<bool>* stop) { return stop && stop->load(); }

}  // namespace

CQorResModuleManager::CQorResModuleManager() = default;
CQorResModuleManager::~CQorResModuleManager() = default;

std::vector<CString> CQorResModuleManager::ListModules(const CString& folder, CString* error) {
    CString base = folder;
    // "C:\\" keeps its separator: "C:" would be the drive's current folder.
    while (base.GetLength() > 1 && IsSeparator(base[base.GetLength() - 1]) && base[base.GetLength() - 2] != ':')
        base = base.Left(base.GetLength() - 1);
    const WCHAR separator = base.Find('\\') >= 0 ? WCHAR('\\') : WCHAR('/');
    std::vector<CString> names;
    std::error_code failure;
    fs::directory_iterator entries(ToPath(base), failure);
    for (; !failure && entries != fs::directory_iterator(); entries.increment(failure)) {
        std::error_code ignored;
        if (!entries->is_regular_file(ignored)) continue;
        const CString name = FromPath(entries->path().filename());
        if (IsModuleName(name)) names.push_back(name);
    }
    if (failure) {
        if (error) *error = Text("cannot list the folder ") + base + Text(": " + failure.message());
        return {};
    }
    std::sort(names.begin(), names.end(), [](const CString& a, const CString& b) {
        const int folded = a.CompareNoCase(b);
        return folded != 0 ? folded < 0 : a.Compare(b) < 0;
    });
    const bool joined = base.IsEmpty() || IsSeparator(base[base.GetLength() - 1]);
    for (CString& name : names) name = joined ? base + name : base + CString(separator) + name;
    return names;
}

CString CQorResModuleManager::ReadModuleImage(const BYTE* data, std::size_t size, WORD language,
                                              std::vector<CString>& strings, const std::atomic<bool>* stop) {
    std::vector<PeResource> resources;
    std::string error = ReadPeResources(data, size, resources);
    if (!error.empty()) return Text(error);
    std::vector<std::u16string> texts;
    for (const PeResource& resource : resources) {
        if (Stopped(stop)) break;
        if (resource.language != language) continue;
        if (resource.type == kStringTable) error = ReadStringTableTexts(resource.data, resource.size, texts);
        else if (resource.type == kMenu) error = ReadMenuTexts(resource.data, resource.size, texts);
        else if (resource.type == kDialog) error = ReadDialogTexts(resource.data, resource.size, texts);
        if (!error.empty()) return Text(error);
    }
    for (const std::u16string& text : texts) strings.push_back(FromUtf16(text));
    return CString();
}

ResModuleReport CQorResModuleManager::ReadModule(const CString& path, WORD language, std::vector<CString>& strings,
                                                 const std::atomic<bool>* stop) {
    ResModuleReport report;
    const fs::path file = ToPath(path);
    report.fileName = FromPath(file.filename());
    std::error_code failure;
    const std::uintmax_t size = fs::file_size(file, failure);
    if (failure) {
        report.skipReason = Text("cannot read it: " + failure.message());
        return report;
    }
    if (size > kMaxModuleBytes) {
        report.skipReason = Text("larger than 256 MiB");
        return report;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        report.skipReason = Text("cannot open it");
        return report;
    }
    std::vector<BYTE> bytes(static_cast<std::size_t>(size));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()))) {
        report.skipReason = Text("cannot read it: it ended before its " + std::to_string(size) + " bytes");
        return report;
    }
    const std::size_t before = strings.size();
    report.skipReason = ReadModuleImage(bytes.data(), bytes.size(), language, strings, stop);
    report.strings = int(strings.size() - before);
    return report;
}

BOOL CQorResModuleManager::EnumResource(const CString& folder, WORD language) {
    m_strings.clear();
    m_reports.clear();
    CString error;
    const std::vector<CString> modules = ListModules(folder, &error);
    if (!error.IsEmpty()) return FALSE;
    for (const CString& module : modules) {
        if (Stopped(m_stop)) break;
        m_reports.push_back(ReadModule(module, language, m_strings, m_stop));
    }
    return TRUE;
}

void CQorResModuleManager::GetResStrings(CStringList& list) const {
    for (const CString& text : m_strings) list.AddTail(text);
}
