#include "model/QorLanguageDict.h"

#include <cstring>

#include "base/CArchive.h"
#include "base/FontHandle.h"
#include "model/LanguageDictionary.h"

CQorLanguageDict::CQorLanguageDict() : m_pData(new CLanguageDictionary) {}

CQorLanguageDict::CQorLanguageDict(const CQorLanguageDict& source) : m_pData(new CLanguageDictionary) {
    *this = source;
}

CQorLanguageDict::~CQorLanguageDict() { Clean(); }

void CQorLanguageDict::Clean() { m_pData.reset(); }

void CQorLanguageDict::operator=(const CQorLanguageDict& source) {
    if (!m_pData) m_pData.reset(new CLanguageDictionary);
    if (this == &source || !source.m_pData) return;
    const CLanguageDictionary& from = *source.m_pData;
    m_pData->m_enable = from.m_enable;
    m_pData->m_id = from.m_id;
    m_pData->m_font = from.m_font;
    m_pData->m_fontColor = from.m_fontColor;
    m_pData->m_fontPointSize = from.m_fontPointSize;
    // An existing font object is kept even though the record may now differ.
    if (!m_pData->m_hFont) m_pData->m_hFont = QorCreateFont(m_pData->m_font);
    m_pData->m_system.CopyFrom(from.m_system);
    m_pData->m_project.CopyFrom(from.m_project);
}

void CQorLanguageDict::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        if (!m_pData) {
            // Without data the record ends after its first marker's place.
            ar << 1 << 0;
            return;
        }
        CLanguageDictionary& d = *m_pData;
        ar << 1 << 1 << d.m_enable << unsigned(d.m_id);
        ar.Write(&d.m_font, sizeof d.m_font);
        ar << unsigned(d.m_fontColor) << d.m_fontPointSize;
        d.m_system.Serialize(ar);
        d.m_project.Serialize(ar);
        return;
    }
    m_pData.reset(new CLanguageDictionary);
    CLanguageDictionary& d = *m_pData;
    int marker;
    ar >> marker;
    if (marker < 1) return;
    ar >> marker;
    if (marker < 1) return;
    unsigned id, color;
    ar >> d.m_enable >> id;
    d.m_id = id;
    // Unchecked, as the framework reads it: a file cut here fails at the next field.
    ar.Read(&d.m_font, sizeof d.m_font);
    ar >> color >> d.m_fontPointSize;
    d.m_fontColor = color;
    {
        CArchiveContext where(ar, "system word list");
        d.m_system.Serialize(ar);
    }
    CArchiveContext where(ar, "project word list");
    d.m_project.Serialize(ar);
}

CString CQorLanguageDict::GetDisplayCharacter(DICTMODE mode, const CString& text) const {
    if (!m_pData) return CString();
    if (!m_pData->m_enable) return text;
    const CDictionaryWordList* list = m_pData->List(mode);
    return list ? list->GetDisplayCharacter(text) : text;
}

int CQorLanguageDict::IsEnable() const { return m_pData ? m_pData->m_enable : 0; }

void CQorLanguageDict::SetEnable(int enable) {
    if (m_pData) m_pData->m_enable = enable;
}

DWORD CQorLanguageDict::GetLanguageID() const { return m_pData ? m_pData->m_id : LANGID_NONE; }

void CQorLanguageDict::SetLanguageID(DWORD id) {
    if (m_pData) m_pData->m_id = id;
}

void CQorLanguageDict::GetFont(LOGFONTW& font) const {
    if (m_pData) font = m_pData->m_font;
}

void CQorLanguageDict::SetFont(LOGFONTW font) {
    if (m_pData) m_pData->m_font = font;
}

DWORD CQorLanguageDict::GetFontColor() const { return m_pData ? m_pData->m_fontColor : 0; }

void CQorLanguageDict::SetFontColor(DWORD color) {
    if (m_pData) m_pData->m_fontColor = color;
}

int CQorLanguageDict::GetFontPointSize() const { return m_pData ? m_pData->m_fontPointSize : 0; }

void CQorLanguageDict::SetFontPointSize(int tenthsOfPoint) {
    if (m_pData) m_pData->m_fontPointSize = tenthsOfPoint;
}

HFONT CQorLanguageDict::GetFontSafeHwnd() { return m_pData ? m_pData->GetFontHandle() : nullptr; }

void CQorLanguageDict::SetFontSafeHwnd(HFONT font) {
    if (m_pData) m_pData->SetFontHandle(font);
}

int CQorLanguageDict::AddWord(DICTMODE mode, CQorDictWordElement* entry) {
    CDictionaryWordList* list = m_pData ? m_pData->List(mode) : nullptr;
    return list ? list->AddWord(entry) : 0;
}

int CQorLanguageDict::RemoveWord(DICTMODE mode, CQorDictWordElement* entry) {
    CDictionaryWordList* list = m_pData ? m_pData->List(mode) : nullptr;
    return list ? list->RemoveWord(entry) : 0;
}

int CQorLanguageDict::RemoveWord(DICTMODE mode, CString original) {
    CDictionaryWordList* list = m_pData ? m_pData->List(mode) : nullptr;
    return list ? list->RemoveWord(original) : 0;
}

int CQorLanguageDict::RemoveAllWord(DICTMODE mode) {
    CDictionaryWordList* list = m_pData ? m_pData->List(mode) : nullptr;
    if (!list) return 0;
    list->Clean();
    return 1;
}

CQorDictWordElement* CQorLanguageDict::FindWord(DICTMODE mode, CString original) const {
    const CDictionaryWordList* list = m_pData ? m_pData->List(mode) : nullptr;
    return list ? list->FindWord(original) : nullptr;
}

int CQorLanguageDict::RenameOriginalCharacter(DICTMODE mode, const CString& oldOriginal, const CString& newOriginal) {
    CDictionaryWordList* list = m_pData ? m_pData->List(mode) : nullptr;
    return list ? list->RenameOriginalCharacter(oldOriginal, newOriginal) : 0;
}

int CQorLanguageDict::RenameOriginalCharacter(DICTMODE mode, CQorDictWordElement* entry, CString newOriginal) {
    CDictionaryWordList* list = m_pData ? m_pData->List(mode) : nullptr;
    return list ? list->RenameOriginalCharacter(entry, newOriginal) : 0;
}

CList<CQorDictWordElement*, CQorDictWordElement*>* CQorLanguageDict::GetDictionaryList(DICTMODE mode) {
    CDictionaryWordList* list = m_pData ? m_pData->List(mode) : nullptr;
    return list ? &list->m_entries : nullptr;
}
