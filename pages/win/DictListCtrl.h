#pragma once

#include "widgets/win/EditListCtrl.h"

class CQorDictionaryManager;
class CQorLanguageDict;

// The settings page's language list: row r is the language at position r of
// the manager's list (the list holds no copy), and the font column is drawn
// in each language's own font and colour.
class QOR_API CDictListCtrl : public CEditListCtrl {
public:
    static constexpr int kFontColumn = 4;

    void SetManager(CQorDictionaryManager* manager) { m_manager = manager; }
    // The language of a row, or null outside the list.
    CQorLanguageDict* LanguageAt(int row) const;

protected:
    COLORREF OnGetCellTextColor(int row, int column) override;
    HFONT OnGetCellFont(int row, int column, LPARAM itemData) override;

private:
    CQorDictionaryManager* m_manager = nullptr;
};
