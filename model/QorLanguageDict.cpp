#include "model/QorLanguageDict.h"

#include <cstring>

#include "base/CArchive.h"
#include "base/FontHandle.h"
#include "model/LanguageDictionary.h"

CQorLanguageDict::CQorLanguageDict() = default;

CQorLanguageDict::CQorLanguageDict(const CQorLanguageDict& source) { *this = source; }

const CLanguageDictionary* CQorLanguageDict::Read() const {
    static const CLanguageDictionary defaults;
    return m_pData ? m_pData.get() : &defaults;
}

CLanguageDictionary* CQorLanguageDict::Write() {
    if (!m_pData) m_pData.reset(new CLanguageDictionary);
    return m_pData.get();
}

CQorLanguageDict::~CQorLanguageDict() { Clean(); }

void CQorLanguageDict::Clean() { m_pData.reset(); }

void CQorLanguageDict::operator=(const CQorLanguageDict& source) {
    if (this == &source) return;
    const CLanguageDictionary& from = *source.Read();
    Write();
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
        const CLanguageDictionary& d = *Read();
        ar << 1 << 1 << d.m_enable << unsigned(d.m_id);
        ar.Write(&d.m_font, sizeof d.m_font);
        ar << unsigned(d.m_fontColor) << d.m_fontPointSize;
        d.m_system.Store(ar);
        d.m_project.Store(ar);
        return;
    }
    // A record without data loads as the defaults, which take no memory of
    // their own: a file of such records costs little more than its size.
    m_pData.reset();
    int marker;
    ar >> marker;
    if (marker < 1) return;
    ar >> marker;
    if (marker < 1) return;
    CLanguageDictionary& d = *Write();
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
    const CLanguageDictionary* data = Read();
    if (!data->m_enable) return text;
    const CDictionaryWordList* list = data->List(mode);
    return list ? list->GetDisplayCharacter(text) : text;
}

int CQorLanguageDict::IsEnable() const { return Read()->m_enable; }

void CQorLanguageDict::SetEnable(int enable) {
    Write()->m_enable = enable;
}

DWORD CQorLanguageDict::GetLanguageID() const { return Read()->m_id; }

void CQorLanguageDict::SetLanguageID(DWORD id) {
    Write()->m_id = id;
}

void CQorLanguageDict::GetFont(LOGFONTW& font) const {
    font = Read()->m_font;
}

void CQorLanguageDict::SetFont(LOGFONTW font) {
    Write()->m_font = font;
}

DWORD CQorLanguageDict::GetFontColor() const { return Read()->m_fontColor; }

void CQorLanguageDict::SetFontColor(DWORD color) {
    Write()->m_fontColor = color;
}

int CQorLanguageDict::GetFontPointSize() const { return Read()->m_fontPointSize; }

void CQorLanguageDict::SetFontPointSize(int tenthsOfPoint) {
    Write()->m_fontPointSize = tenthsOfPoint;
}

HFONT CQorLanguageDict::GetFontSafeHwnd() { return Read()->GetFontHandle(); }

void CQorLanguageDict::SetFontSafeHwnd(HFONT font) {
    Write()->SetFontHandle(font);
}

int CQorLanguageDict::AddWord(DICTMODE mode, CQorDictWordElement* entry) {
    CDictionaryWordList* list = Write()->List(mode);
    return list ? list->AddWord(entry) : 0;
}

int CQorLanguageDict::RemoveWord(DICTMODE mode, CQorDictWordElement* entry) {
    CDictionaryWordList* list = Write()->List(mode);
    return list ? list->RemoveWord(entry) : 0;
}

int CQorLanguageDict::RemoveWord(DICTMODE mode, CString original) {
    CDictionaryWordList* list = Write()->List(mode);
    return list ? list->RemoveWord(original) : 0;
}

int CQorLanguageDict::RemoveAllWord(DICTMODE mode) {
    CDictionaryWordList* list = Write()->List(mode);
    if (!list) return 0;
    list->Clean();
    return 1;
}

CQorDictWordElement* CQorLanguageDict::FindWord(DICTMODE mode, CString original) const {
    const CDictionaryWordList* list = Read()->List(mode);
    return list ? list->FindWord(original) : nullptr;
}

int CQorLanguageDict::RenameOriginalCharacter(DICTMODE mode, const CString& oldOriginal, const CString& newOriginal) {
    CDictionaryWordList* list = Write()->List(mode);
    return list ? list->RenameOriginalCharacter(oldOriginal, newOriginal) : 0;
}

int CQorLanguageDict::RenameOriginalCharacter(DICTMODE mode, CQorDictWordElement* entry, CString newOriginal) {
    CDictionaryWordList* list = Write()->List(mode);
    return list ? list->RenameOriginalCharacter(entry, newOriginal) : 0;
}

CList<CQorDictWordElement*, CQorDictWordElement*>* CQorLanguageDict::GetDictionaryList(DICTMODE mode) {
    CDictionaryWordList* list = Write()->List(mode);
    return list ? &list->m_entries : nullptr;
}
