#pragma once

#include <memory>

#include "base/CList.h"
#include "base/CString.h"
#include "base/LogFont.h"
#include "base/QorApi.h"
#include "model/DictMode.h"

class CArchive;
class CLanguageDictionary;
class CQorDictWordElement;

// One target language: its ID (a Windows LCID), whether it is in use, the
// font its texts are shown in, and its system and project word lists.
// Word operations ignore the enable flag; only the display-string look-up
// honours it.
class QOR_API CQorLanguageDict final {
public:
    CQorLanguageDict();
    CQorLanguageDict(const CQorLanguageDict& source);
    ~CQorLanguageDict();
    void operator=(const CQorLanguageDict& source);

    void Serialize(CArchive& ar);

    CString GetDisplayCharacter(DICTMODE mode, const CString& text) const;
    int IsEnable() const;
    void SetEnable(int enable);
    DWORD GetLanguageID() const;
    void SetLanguageID(DWORD id);
    void GetFont(LOGFONTW& font) const;
    void SetFont(LOGFONTW font);
    DWORD GetFontColor() const;
    void SetFontColor(DWORD color);
    int GetFontPointSize() const;
    void SetFontPointSize(int tenthsOfPoint);
    // The cached font object. The language owns a stored handle from then on
    // and deletes it when cleaned or loaded; storing another one does not
    // delete the previous one.
    virtual HFONT GetFontSafeHwnd();
    virtual void SetFontSafeHwnd(HFONT font);

    int AddWord(DICTMODE mode, CQorDictWordElement* entry);
    int RemoveWord(DICTMODE mode, CQorDictWordElement* entry);
    int RemoveWord(DICTMODE mode, CString original);
    int RemoveAllWord(DICTMODE mode);
    CQorDictWordElement* FindWord(DICTMODE mode, CString original) const;
    int RenameOriginalCharacter(DICTMODE mode, const CString& oldOriginal, const CString& newOriginal);
    int RenameOriginalCharacter(DICTMODE mode, CQorDictWordElement* entry, CString newOriginal);
    // The live word list of a mode, for iteration and positional access (null
    // for an unknown mode); change it only through the operations above.
    CList<CQorDictWordElement*, CQorDictWordElement*>* GetDictionaryList(DICTMODE mode);

private:
    void Clean();
    // Without data a language has the defaults, shared; the first change
    // gives it its own.
    const CLanguageDictionary* Read() const;
    CLanguageDictionary* Write();

    std::unique_ptr<CLanguageDictionary> m_pData;
};
