#include "pages/win/DictListCtrl.h"

#include "model/QorDictionaryManager.h"
#include "model/QorLanguageDict.h"

CQorLanguageDict* CDictListCtrl::LanguageAt(int row) const {
    if (!m_manager || row < 0) return nullptr;
    auto* languages = m_manager->GetLanguageDictList();
    if (row >= languages->GetCount()) return nullptr;
    return languages->GetAt(languages->FindIndex(row));
}

COLORREF CDictListCtrl::OnGetCellTextColor(int row, int column) {
    CQorLanguageDict* language = column == kFontColumn ? LanguageAt(row) : nullptr;
    return language ? COLORREF(language->GetFontColor()) : CEditListCtrl::OnGetCellTextColor(row, column);
}

HFONT CDictListCtrl::OnGetCellFont(int row, int column, LPARAM) {
    CQorLanguageDict* language = column == kFontColumn ? LanguageAt(row) : nullptr;
    if (!language) return nullptr;
    if (HFONT cached = language->GetFontSafeHwnd()) return cached;
    // The language owns the font from here on; a font change releases it.
    LOGFONTW font = {};
    language->GetFont(font);
    HFONT made = CreateFontIndirectW(&font);
    language->SetFontSafeHwnd(made);
    return made;
}
