#pragma once

#include <memory>

#include "base/CList.h"
#include "base/CString.h"
#include "base/QorApi.h"
#include "model/DictMode.h"

class CDictionaryManagerData;
class CQorDictionaryWord;
class CQorLanguageDict;

// The whole dictionary: its languages, the two master word lists (the
// vocabulary), the default language of each mode and the file it lives in.
// The manager owns everything it holds; a Load replaces all of it, so
// pointers taken before a Load are invalid after it.
class QOR_API CQorDictionaryManager {
public:
    CQorDictionaryManager();
    ~CQorDictionaryManager();
    CQorDictionaryManager(const CQorDictionaryManager&) = delete;
    CQorDictionaryManager& operator=(const CQorDictionaryManager&) = delete;

    // Languages
    CQorLanguageDict* Find(DWORD languageId) const;
    int Add(CQorLanguageDict* language);  // takes ownership on 1 only
    int Remove(CQorLanguageDict* language);
    int Remove(DWORD languageId);
    void RemoveAll();
    CList<CQorLanguageDict*, CQorLanguageDict*>* GetLanguageDictList();

    // Settings
    CString GetVersion() const;
    void SetVersion(const CString& version);
    int IsEnable() const;
    void SetEnable(int enable);
    DWORD GetSysDefaultLanguageLCID() const;
    void SetSysDefaultLanguageLCID(DWORD lcid);
    DWORD GetProjectDefaultLanguageLCID() const;
    void SetProjectDefaultLanguageLCID(DWORD lcid);
    int IsEnableFont() const;
    void SetEnableFont(int enable);

    // Master word lists; null after a Load that failed while reading.
    CQorDictionaryWord* GetSysDictWord();
    CQorDictionaryWord* GetProjectDictWord();

    // The language a mode shows: the one whose ID is the mode's default LCID;
    // null for another mode or when no language has that ID. The enable flags
    // are not consulted here.
    CQorLanguageDict* GetModeLanguage(DICTMODE mode) const;

    // What to show for a text in a mode: the display string of the mode's
    // default language, or the text itself when there is none.
    CString GetDisplayCharacter(DICTMODE mode, const CString& text) const;

    // The dictionary file. Save replaces the file only once the new content
    // is completely on disk: a failed Save leaves the old file as it was.
    int Load(CString path);
    int Save(CString path);
    int Save();
    CString GetFile() const;
    // Why the last Load or Save returned 0, in one English sentence naming the
    // file; empty after a success.
    CString GetLastFileError() const;

private:
    void Clean();

    std::unique_ptr<CDictionaryManagerData> m_pData;
};
