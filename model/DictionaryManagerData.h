#pragma once

#include <memory>

#include "base/CList.h"
#include "base/CString.h"
#include "model/MissRecorder.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"

class CDictionaryManagerData {
public:
    CDictionaryManagerData();
    CDictionaryManagerData(const CDictionaryManagerData&) = delete;
    CDictionaryManagerData& operator=(const CDictionaryManagerData&) = delete;
    ~CDictionaryManagerData();

    void DeleteLanguages() noexcept;

    CString m_version = QSTR("1.0.0.0");
    int m_enable = 1;
    DWORD m_sysDefaultLcid = 2057;
    DWORD m_projectDefaultLcid = 2057;
    int m_enableFont = 0;
    CString m_file;
    CList<CQorLanguageDict*, CQorLanguageDict*> m_languages;
    std::unique_ptr<CQorDictionaryWord> m_sysWords;
    std::unique_ptr<CQorDictionaryWord> m_projectWords;
    CString m_lastFileError;
    CMissRecorder m_misses;
};
