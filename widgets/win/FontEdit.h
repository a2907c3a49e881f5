#pragma once

#include "host/ui/VarnPEdit.h"

class CQorDictionaryManager;
class CQorLanguageDict;

// The font field of the language properties dialog: shows the face name of
// its language's font, drawn in that font and the font's colour. Its browse
// button opens the font chooser on the language's font and writes a
// confirmed choice (font, size, colour) into the language at once.
class QOR_API CFontEdit : public CVarnPEdit {
public:
    CFontEdit() noexcept;
    ~CFontEdit() override;

    // The font the box shows its text in, made from font (null: none of its
    // own); the previous one is released.
    void SetTextFont(const LOGFONTW* font);
    HFONT GetTextFont() const { return m_font.get(); }

    void SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return m_textColor; }
    void SetBkColor(COLORREF color);
    COLORREF GetBkColor() const { return m_bkColor; }

    // Not owned.
    void SetLanguage(CQorLanguageDict* language) { m_language = language; }
    CQorLanguageDict* GetLanguage() const { return m_language; }
    void SetManager(CQorDictionaryManager* manager) { m_manager = manager; }
    CQorDictionaryManager* GetManager() const { return m_manager; }

protected:
    void OnBrowse() override;
    HBRUSH OnCtlColorReflect(HDC dc, UINT message) override;

private:
    void Redraw();

    COLORREF m_textColor;
    COLORREF m_bkColor;
    UniqueFont m_font;
    UniqueBrush m_bkBrush;
    CQorLanguageDict* m_language = nullptr;
    CQorDictionaryManager* m_manager = nullptr;
};
