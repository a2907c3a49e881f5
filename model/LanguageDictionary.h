#pragma once

#include "base/LogFont.h"
#include "model/DictMode.h"
#include "model/DictionaryWordList.h"

// The data of one language. Owns its two word lists and the cached font.
class CLanguageDictionary {
public:
    CLanguageDictionary();
    CLanguageDictionary(const CLanguageDictionary&) = delete;
    CLanguageDictionary& operator=(const CLanguageDictionary&) = delete;
    virtual ~CLanguageDictionary();

    virtual HFONT GetFontHandle() const { return m_hFont; }
    virtual void SetFontHandle(HFONT font) { m_hFont = font; }

    // The list a mode selects; null for an unknown mode.
    CDictionaryWordList* List(DICTMODE mode) noexcept;
    const CDictionaryWordList* List(DICTMODE mode) const noexcept;

    static LOGFONTW DefaultFont() noexcept;

    CDictionaryWordList m_system;
    CDictionaryWordList m_project;
    DWORD m_id = LANGID_NONE;
    LOGFONTW m_font = DefaultFont();
    HFONT m_hFont = nullptr;
    DWORD m_fontColor = 0;
    int m_fontPointSize = 110;
    int m_enable = 0;
};
