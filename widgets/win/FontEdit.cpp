#include "widgets/win/FontEdit.h"

#include <commdlg.h>

#include "model/QorLanguageDict.h"

CFontEdit::CFontEdit() noexcept
    : m_textColor(GetSysColor(COLOR_WINDOWTEXT)),
      m_bkColor(GetSysColor(COLOR_WINDOW)),
      m_bkBrush(CreateSolidBrush(m_bkColor)) {}

CFontEdit::~CFontEdit() {
    // A dialog's box outlives this object: it must not keep a font that goes now.
    if (GetSafeHwnd() && m_font) SetFont(nullptr, FALSE);
}

void CFontEdit::Redraw() {
    if (GetSafeHwnd()) InvalidateRect(GetSafeHwnd(), nullptr, TRUE);
}

void CFontEdit::SetTextFont(const LOGFONTW* font) {
    UniqueFont made(font ? CreateFontIndirectW(font) : nullptr);
    // The box lets go of the old font before it is deleted.
    if (GetSafeHwnd()) SetFont(made.get(), TRUE);
    m_font = std::move(made);
    Redraw();
}

void CFontEdit::SetTextColor(COLORREF color) {
    m_textColor = color;
    Redraw();
}

void CFontEdit::SetBkColor(COLORREF color) {
    UniqueBrush brush(CreateSolidBrush(color));
    if (!brush) return;
    m_bkColor = color;
    m_bkBrush = std::move(brush);
    Redraw();
}

HBRUSH CFontEdit::OnCtlColorReflect(HDC dc, UINT) {
    ::SetTextColor(dc, m_textColor);
    ::SetBkColor(dc, m_bkColor);
    return m_bkBrush.get();
}

void CFontEdit::OnBrowse() {
    if (!m_language) return;
    // A language without font data starts the chooser from what the box shows.
    LOGFONTW font = {};
    HFONT shown = GetSafeHwnd() ? GetFont() : nullptr;
    if (!shown || !GetObjectW(shown, sizeof font, &font)) GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    m_language->GetFont(font);

    CHOOSEFONTW choose = {};
    choose.lStructSize = sizeof choose;
    // Owned by the dialog the box is on, so the chooser stays in front of it.
    choose.hwndOwner = GetSafeHwnd() ? GetAncestor(GetSafeHwnd(), GA_ROOT) : nullptr;
    choose.lpLogFont = &font;
    choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    choose.rgbColors = COLORREF(m_language->GetFontColor());
    if (!ChooseFontW(&choose)) return;

    const CString face(font.lfFaceName);
    m_language->SetFont(font);
    m_language->SetFontPointSize(choose.iPointSize);
    m_language->SetFontColor(DWORD(choose.rgbColors));
    SetTextFont(&font);
    m_textColor = COLORREF(m_language->GetFontColor());
    Redraw();
    SetWindowText(face);
}
