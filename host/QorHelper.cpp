#include "host/QorHelper.h"

#include <windows.h>

#include <cwchar>
#include <string>

#include "base/CFile.h"
#include "base/Exceptions.h"
#include "host/HelpTopicsResource.h"
#include "host/HtmlHelpLoader.h"
#include "host/QorUtility.h"
#include "resources/DictionaryApp.h"

struct CQorHelperExpert::Topics {
    std::map<std::wstring, DWORD> ids;
};

CQorHelperExpert::CQorHelperExpert() : m_topics(new Topics) {}
CQorHelperExpert::~CQorHelperExpert() = default;

DWORD CQorHelperExpert::FindHelperID(const CString& key) const {
    auto found = m_topics->ids.find(std::wstring(key.GetString()));
    return found == m_topics->ids.end() ? 0 : found->second;
}

int CQorHelperExpert::LoadTopics(const CString& table) {
    int count = 0;
    int start = (!table.IsEmpty() && table[0] == 0xFEFF) ? 1 : 0;  // byte order mark
    while (start < table.GetLength()) {
        int end = table.Find(L'\n', start);
        if (end < 0) end = table.GetLength();
        CString line = table.Mid(start, end - start);
        start = end + 1;
        line.Trim();
        if (line.IsEmpty() || line[0] == L'#') continue;
        WCHAR* rest = nullptr;
        unsigned long id = std::wcstoul(line.GetString(), &rest, 0);
        if (rest == line.GetString() || (*rest != L' ' && *rest != L'\t')) continue;
        CString key(rest);
        key.Trim();
        if (key.IsEmpty()) continue;
        m_topics->ids[std::wstring(key.GetString())] = DWORD(id);
        ++count;
    }
    return count;
}

int CQorHelperExpert::LoadTopicsFile(const CString& path) {
    CFile file;
    if (!file.Open(path, CFile::modeRead)) return -1;
    try {
        std::string bytes(std::size_t(file.GetLength()), '\0');
        bytes.resize(file.Read(&bytes[0], bytes.size()));
        return LoadTopics(CString::FromUtf8(bytes));
    } catch (const CException&) {
        return -1;
    }
}

void CQorHelperExpert::RemoveAll() { m_topics->ids.clear(); }

namespace {

CString BuiltInTopics() {
    HMODULE module = QorGetModuleResourceHandle();
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDR_HELP_TOPICS), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    return bytes ? CString::FromUtf8(bytes, SizeofResource(module, found)) : CString();
}

CString HostTopicsPath() {
    CString help = CQorUtility::GetHelpFile();
    int slash = help.GetLength() - 1;
    while (slash >= 0 && help[slash] != L'\\') --slash;
    return help.Left(slash + 1) + L"HelpTopics.txt";
}

}  // namespace

CQorHelper::CQorHelper() {
    m_expert.LoadTopics(BuiltInTopics());
    m_expert.LoadTopicsFile(HostTopicsPath());
}

CQorHelper& CQorHelper::Instance() {
    static CQorHelper helper;
    return helper;
}

CQorHelperExpert* CQorHelper::GetHelperExpert() { return &m_expert; }

void CQorHelper::ShowTopic(const CString& key) {
    const DWORD topic = m_expert.FindHelperID(key);
    const CString helpFile = CQorUtility::GetHelpFile();
    if (m_viewer)
        m_viewer(key, topic, helpFile, m_viewerContext);
    else
        CHtmlHelpLoader::Platform().Call(nullptr, helpFile, 15 /* HH_HELP_CONTEXT */, topic);
}

BOOL QorShowHelpTopic(const CString& key) {
    CQorHelper::Instance().ShowTopic(key);
    return 1;
}
