#include "model/QorDictWordElement.h"

#include "base/CArchive.h"
#include "base/LoadArena.h"
#include "model/DictWordElementData.h"

CQorDictWordElement::CQorDictWordElement() : m_pData(new CDictWordElementData) {}

CQorDictWordElement::~CQorDictWordElement() = default;

void* CQorDictWordElement::operator new(std::size_t bytes) { return ArenaAllocate(bytes); }

void CQorDictWordElement::operator delete(void* memory) noexcept { ArenaFree(memory); }

void CQorDictWordElement::operator=(const CQorDictWordElement& source) {
    if (!m_pData) m_pData.reset(new CDictWordElementData);
    if (!source.m_pData || this == &source) return;
    *m_pData = *source.m_pData;
}

void CQorDictWordElement::Serialize(CArchive& ar) {
    if (!m_pData) return;
    if (ar.IsStoring()) {
        ar << 1 << m_pData->m_original << m_pData->m_display << m_pData->m_updated;
        return;
    }
    int marker;
    ar >> marker;
    if (marker < 1) return;
    ar >> m_pData->m_original >> m_pData->m_display >> m_pData->m_updated;
}

CString CQorDictWordElement::GetOriginalCharacter() const { return GetOriginalCharacterRef(); }

const CString& CQorDictWordElement::GetOriginalCharacterRef() const noexcept {
    static const CString none;
    return m_pData ? m_pData->m_original : none;
}

CString CQorDictWordElement::GetDisplayCharacter() const { return m_pData ? m_pData->m_display : CString(); }

void CQorDictWordElement::SetOriginalCharacter(const CString& text) {
    if (m_pData) m_pData->m_original = text;
}

void CQorDictWordElement::SetDisplayCharacter(const CString& text) {
    if (m_pData) m_pData->m_display = text;
}

COleDateTime CQorDictWordElement::GetUpdateDateTime() const {
    return m_pData ? m_pData->m_updated : COleDateTime::GetCurrentTime();
}

void CQorDictWordElement::SetUpdateDateTime(COleDateTime time) {
    if (m_pData) m_pData->m_updated = time;
}
