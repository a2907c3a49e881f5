#include "model/QorDictionaryWord.h"

#include "base/CArchive.h"
#include "model/DictionaryWordList.h"

CQorDictionaryWord::CQorDictionaryWord() : m_pList(new CDictionaryWordList) {}

CQorDictionaryWord::~CQorDictionaryWord() { Clean(); }

void CQorDictionaryWord::Clean() { m_pList.reset(); }

void CQorDictionaryWord::operator=(const CQorDictionaryWord& source) {
    if (!m_pList) m_pList.reset(new CDictionaryWordList);
    if (source.m_pList) m_pList->CopyFrom(*source.m_pList);
    else m_pList->Clean();
}

void CQorDictionaryWord::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << 1;
        if (m_pList) m_pList->Serialize(ar);
        else ar << 1 << 0;
        return;
    }
    m_pList.reset(new CDictionaryWordList);
    int marker;
    ar >> marker;
    if (marker >= 1) m_pList->Serialize(ar);
}

int CQorDictionaryWord::AddWord(CQorDictWordElement* entry) { return m_pList ? m_pList->AddWord(entry) : 0; }

int CQorDictionaryWord::RemoveWord(CQorDictWordElement* entry) { return m_pList ? m_pList->RemoveWord(entry) : 0; }

int CQorDictionaryWord::RemoveWord(CString original) { return m_pList ? m_pList->RemoveWord(original) : 0; }

CQorDictWordElement* CQorDictionaryWord::FindWord(CString original) const {
    return m_pList ? m_pList->FindWord(original) : nullptr;
}

int CQorDictionaryWord::RenameOriginalCharacter(CQorDictWordElement* entry, CString newOriginal) {
    return m_pList ? m_pList->RenameOriginalCharacter(entry, newOriginal) : 0;
}

int CQorDictionaryWord::RenameOriginalCharacter(const CString& oldOriginal, const CString& newOriginal) {
    return m_pList ? m_pList->RenameOriginalCharacter(oldOriginal, newOriginal) : 0;
}

CList<CQorDictWordElement*, CQorDictWordElement*>* CQorDictionaryWord::GetDictionaryList() {
    return m_pList ? &m_pList->m_entries : nullptr;
}

CString CQorDictionaryWord::GetDisplayCharacter(const CString& original) const {
    return m_pList ? m_pList->GetDisplayCharacter(original) : CString();
}
