#include "model/LanguageDictionary.h"

#include <cstring>

#include "base/FontHandle.h"

CLanguageDictionary::CLanguageDictionary() = default;

CLanguageDictionary::~CLanguageDictionary() { QorDeleteFont(m_hFont); }

CDictionaryWordList* CLanguageDictionary::List(DICTMODE mode) noexcept {
    return mode == DICTMODE_SYSTEM ? &m_system : mode == DICTMODE_PROJECT ? &m_project : nullptr;
}

const CDictionaryWordList* CLanguageDictionary::List(DICTMODE mode) const noexcept {
    return mode == DICTMODE_SYSTEM ? &m_system : mode == DICTMODE_PROJECT ? &m_project : nullptr;
}

LOGFONTW CLanguageDictionary::DefaultFont() noexcept {
    LOGFONTW font;
    std::memset(&font, 0, sizeof font);
    font.lfHeight = -12;
    font.lfWeight = 400;
    font.lfCharSet = 134;  // GB2312_CHARSET
    const WCHAR face[] = QSTR("Times New Roman");
    std::memcpy(font.lfFaceName, face, sizeof face);
    return font;
}
