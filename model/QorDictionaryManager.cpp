#include "model/QorDictionaryManager.h"

#include <memory>
#include <new>
#include <vector>

#include "base/CArchive.h"
#include "base/CFile.h"
#include "base/Exceptions.h"
#include "base/LoadArena.h"
#include "model/DictionaryManagerData.h"
#include "model/RetiredDictionary.h"
#include "model/TextListFile.h"

CDictionaryManagerData::CDictionaryManagerData()
    : m_sysWords(new CQorDictionaryWord), m_projectWords(new CQorDictionaryWord) {}

CDictionaryManagerData::~CDictionaryManagerData() { DeleteLanguages(); }

void CDictionaryManagerData::DeleteLanguages() noexcept {
    while (!m_languages.IsEmpty()) delete m_languages.RemoveHead();
}

CQorDictionaryManager::CQorDictionaryManager() : m_pData(new CDictionaryManagerData) {}

CQorDictionaryManager::~CQorDictionaryManager() { Clean(); }

void CQorDictionaryManager::Clean() { m_pData.reset(); }

CQorLanguageDict* CQorDictionaryManager::Find(DWORD languageId) const {
    if (!m_pData) return nullptr;
    for (POSITION pos = m_pData->m_languages.GetHeadPosition(); pos;) {
        CQorLanguageDict* language = m_pData->m_languages.GetNext(pos);
        if (language->GetLanguageID() == languageId) return language;
    }
    return nullptr;
}

int CQorDictionaryManager::Add(CQorLanguageDict* language) {
    if (!m_pData || !language || Find(language->GetLanguageID())) return 0;
    m_pData->m_languages.AddTail(language);
    return 1;
}

int CQorDictionaryManager::Remove(CQorLanguageDict* language) {
    if (!m_pData || !language) return 0;
    POSITION pos = m_pData->m_languages.Find(language);
    if (!pos) return 0;
    m_pData->m_languages.RemoveAt(pos);
    delete language;
    return 1;
}

int CQorDictionaryManager::Remove(DWORD languageId) {
    CQorLanguageDict* language = Find(languageId);
    return language ? Remove(language) : 0;
}

void CQorDictionaryManager::RemoveAll() {
    if (m_pData) m_pData->DeleteLanguages();
}

CList<CQorLanguageDict*, CQorLanguageDict*>* CQorDictionaryManager::GetLanguageDictList() {
    return m_pData ? &m_pData->m_languages : nullptr;
}

CString CQorDictionaryManager::GetVersion() const { return m_pData ? m_pData->m_version : CString(); }

void CQorDictionaryManager::SetVersion(const CString& version) {
    if (m_pData) m_pData->m_version = version;
}

int CQorDictionaryManager::IsEnable() const { return m_pData ? m_pData->m_enable : 0; }

void CQorDictionaryManager::SetEnable(int enable) {
    if (m_pData) m_pData->m_enable = enable;
}

DWORD CQorDictionaryManager::GetSysDefaultLanguageLCID() const {
    return m_pData ? m_pData->m_sysDefaultLcid : LANGID_NONE;
}

void CQorDictionaryManager::SetSysDefaultLanguageLCID(DWORD lcid) {
    if (m_pData) m_pData->m_sysDefaultLcid = lcid;
}

DWORD CQorDictionaryManager::GetProjectDefaultLanguageLCID() const {
    return m_pData ? m_pData->m_projectDefaultLcid : LANGID_NONE;
}

void CQorDictionaryManager::SetProjectDefaultLanguageLCID(DWORD lcid) {
    if (m_pData) m_pData->m_projectDefaultLcid = lcid;
}

int CQorDictionaryManager::IsEnableFont() const { return m_pData ? m_pData->m_enableFont : 0; }

void CQorDictionaryManager::SetEnableFont(int enable) {
    if (m_pData) m_pData->m_enableFont = enable;
}

CQorDictionaryWord* CQorDictionaryManager::GetSysDictWord() { return m_pData ? m_pData->m_sysWords.get() : nullptr; }

CQorDictionaryWord* CQorDictionaryManager::GetProjectDictWord() {
    return m_pData ? m_pData->m_projectWords.get() : nullptr;
}

CQorLanguageDict* CQorDictionaryManager::GetModeLanguage(DICTMODE mode) const {
    if (!m_pData) return nullptr;
    switch (mode) {
    case DICTMODE_SYSTEM:
        return Find(m_pData->m_sysDefaultLcid);
    case DICTMODE_PROJECT:
        return Find(m_pData->m_projectDefaultLcid);
    }
    return nullptr;
}

CString CQorDictionaryManager::GetDisplayCharacter(DICTMODE mode, const CString& text) const {
    if (!m_pData || !m_pData->m_enable) return text;
    const CQorLanguageDict* language = GetModeLanguage(mode);
    if (!language) return text;
    if (m_recordMisses.load(std::memory_order_relaxed)) return m_pData->m_misses.LookUp(*language, mode, text);
    return language->GetDisplayCharacter(mode, text);
}

CString CQorDictionaryManager::LookUpRecordingMiss(const CQorLanguageDict& language, DICTMODE mode,
                                                   const CString& text) const {
    return m_pData ? m_pData->m_misses.LookUp(language, mode, text) : language.GetDisplayCharacter(mode, text);
}

void CQorDictionaryManager::EnableMissRecorder(bool on, std::size_t maxTexts) {
    if (!m_pData) return;
    m_pData->m_misses.SetMaxTexts(maxTexts);
    m_recordMisses.store(on, std::memory_order_relaxed);
}

bool CQorDictionaryManager::IsMissRecorderEnabled() const { return m_recordMisses.load(std::memory_order_relaxed); }

std::vector<CString> CQorDictionaryManager::GetMisses() const {
    return m_pData ? m_pData->m_misses.GetTexts() : std::vector<CString>();
}

std::size_t CQorDictionaryManager::GetDroppedMissCount() const {
    return m_pData ? m_pData->m_misses.GetDroppedCount() : 0;
}

void CQorDictionaryManager::ClearMisses() {
    if (m_pData) m_pData->m_misses.Clear();
}

int CQorDictionaryManager::SaveMisses(const CString& path) {
    if (!m_pData) return 0;
    m_pData->m_lastFileError.Empty();
    std::string error;
    try {
        if (WriteTextListFile(path, m_pData->m_misses.GetTexts(), error)) return 1;
    } catch (const std::bad_alloc&) {
        error = "cannot save '" + path.ToNativeText() + "': out of memory";
    }
    m_pData->m_lastFileError = CString::FromNativeText(error);
    return 0;
}

CString CQorDictionaryManager::GetFile() const { return m_pData ? m_pData->m_file : CString(); }

CString CQorDictionaryManager::GetLastFileError() const { return m_pData ? m_pData->m_lastFileError : CString(); }

namespace {

constexpr std::size_t kMaxStreamBytes = std::size_t(1) << 30;

std::vector<unsigned char> ReadStream(CFile& file) {
    std::vector<unsigned char> bytes;
    std::size_t got = 0;
    do {
        if (bytes.size() >= kMaxStreamBytes)
            throw CFileException("cannot load '" + file.GetFilePath().ToNativeText() + "': the stream is longer than 1 GiB");
        bytes.resize(bytes.size() + (std::size_t(1) << 20));
        got = file.Read(bytes.data() + bytes.size() - (std::size_t(1) << 20), std::size_t(1) << 20);
        bytes.resize(bytes.size() - (std::size_t(1) << 20) + got);
    } while (got > 0);
    return bytes;
}

}  // namespace

int CQorDictionaryManager::Load(CString path) {
    if (!m_pData) return 0;
    CDictionaryManagerData& d = *m_pData;
    CLoadArena storage;
    CRetiredDictionary old(d, storage);
    d.m_sysWords.reset(new CQorDictionaryWord);
    d.m_projectWords.reset(new CQorDictionaryWord);
    d.m_lastFileError.Empty();

    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone)) {
        d.m_lastFileError = CString::FromNativeText(file.GetOpenError());
        return 0;
    }
    d.m_file = path;
    std::string failure;
    std::vector<unsigned char> streamed;
    std::unique_ptr<CMemFile> memory;
    try {
        // The reader bounds what it allocates by the bytes left, so a pipe
        // or device, whose length shows only at its end, is read whole first.
        CFile* source = &file;
        if (file.IsStream()) {
            streamed = ReadStream(file);
            memory = std::make_unique<CMemFile>(streamed.data(), streamed.size());
            source = memory.get();
        }
        CArchive ar(source, CArchive::load);
        int marker;
        ar >> marker;
        if (marker >= 1) {
            int enable, enableFont, count;
            unsigned sysLcid, projectLcid;
            // Each setting is kept as soon as it is read, even if a later field fails.
            ar >> d.m_version >> enable;
            d.m_enable = enable;
            ar >> sysLcid;
            d.m_sysDefaultLcid = sysLcid;
            ar >> projectLcid;
            d.m_projectDefaultLcid = projectLcid;
            ar >> enableFont;
            d.m_enableFont = enableFont;
            ar >> count;
            ar.CheckCount(count, 4, "languages");
            for (int i = 0; i < count; ++i) {
                CArchiveContext where(ar, "language", i);
                std::unique_ptr<CQorLanguageDict> language(new CQorLanguageDict);
                language->Serialize(ar);
                d.m_languages.AddTail(language.release());
            }
            {
                CArchiveContext where(ar, "system master list");
                d.m_sysWords->Serialize(ar);
            }
            CArchiveContext where(ar, "project master list");
            d.m_projectWords->Serialize(ar);
        }
        ar.Close();
        file.Close();
        return 1;
    } catch (const CException& e) {
        failure = e.GetReason();
    } catch (const std::bad_alloc&) {
        failure = "out of memory";
    }
    d.DeleteLanguages();
    d.m_sysWords.reset();
    d.m_projectWords.reset();
    d.m_lastFileError = CString::FromNativeText("cannot load '" + path.ToNativeText() + "': " + failure);
    return 0;
}

int CQorDictionaryManager::Save(CString path) {
    if (!m_pData) return 0;
    CDictionaryManagerData& d = *m_pData;
    d.m_lastFileError.Empty();
    CAtomicFileWriter writer;
    if (!writer.Open(path)) {
        d.m_lastFileError = CString::FromNativeText(writer.GetError());
        return 0;
    }
    d.m_file = path;
    try {
        CArchive ar(&writer.File(), CArchive::store);
        ar << 1 << d.m_version << d.m_enable << unsigned(d.m_sysDefaultLcid) << unsigned(d.m_projectDefaultLcid)
           << d.m_enableFont << int(d.m_languages.GetCount());
        for (POSITION pos = d.m_languages.GetHeadPosition(); pos;) d.m_languages.GetNext(pos)->Serialize(ar);
        if (d.m_sysWords) d.m_sysWords->Serialize(ar);
        if (d.m_projectWords) d.m_projectWords->Serialize(ar);
        ar.Close();
        writer.Commit();
        return 1;
    } catch (const CException& e) {
        d.m_lastFileError = CString::FromNativeText(e.GetReason());
    } catch (const std::bad_alloc&) {
        d.m_lastFileError = CString::FromNativeText("cannot save '" + path.ToNativeText() + "': out of memory");
    }
    return 0;
}

int CQorDictionaryManager::Save() {
    if (!m_pData) return 0;
    if (m_pData->m_file.IsEmpty()) {
        m_pData->m_lastFileError = QSTR("no file to save to: the dictionary was never loaded or saved");
        return 0;
    }
    return Save(m_pData->m_file);
}
