#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <vector>

#include "base/CList.h"
#include "base/CString.h"
#include "base/QorApi.h"
#include "model/DictMode.h"
#include "model/QorLanguageDict.h"

class CDictionaryManagerData;
class CQorDictionaryWord;

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
    // The same answer from a language the caller already took with
    // GetModeLanguage (as the resource pools do once per relabel), so that
    // the miss recorder sees this look-up too. Inline: with the recorder
    // off, a caller pays one test of a flag and no call.
    CString GetDisplayCharacterIn(const CQorLanguageDict& language, DICTMODE mode, const CString& text) const {
        if (m_recordMisses.load(std::memory_order_relaxed)) return LookUpRecordingMiss(language, mode, text);
        return language.GetDisplayCharacter(mode, text);
    }

    // The miss recorder: while on, every look-up above that reaches an enabled
    // language without a translation for the text (no entry, or an empty
    // one) records the text, once, ignoring the case of a-z, in the order
    // first seen, at most maxTexts of them; further misses are only counted.
    // It keeps its texts across Load and when switched off. Off, it costs a
    // look-up one test of a flag. Look-ups may run on several threads.
    void EnableMissRecorder(bool on, std::size_t maxTexts = 10000);
    bool IsMissRecorderEnabled() const;
    std::vector<CString> GetMisses() const;
    // Misses not kept because the recorder was full (each look-up counts).
    std::size_t GetDroppedMissCount() const;
    void ClearMisses();
    // Writes the misses as a UTF-8 text list (model/TextListFile.h), which
    // `qordict gather --from-list` reads. Like Save: 1, or 0 with
    // GetLastFileError, and the old file left as it was.
    int SaveMisses(const CString& path);

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
    CString LookUpRecordingMiss(const CQorLanguageDict& language, DICTMODE mode, const CString& text) const;

    std::unique_ptr<CDictionaryManagerData> m_pData;
    // Read without a lock by every look-up; the recorder itself has its own.
    std::atomic<bool> m_recordMisses{false};
};
