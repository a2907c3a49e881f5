#pragma once

#include <memory>

#include "base/CList.h"
#include "base/CStringList.h"
#include "framework/ComboBox.h"
#include "framework/Edit.h"
#include "widgets/win/ListCtrlEx.h"

// Sent to the list's parent before a drop-down list opens: wParam = column,
// lParam = CStringList* (empty) that the parent fills with the choices.
constexpr UINT WM_EDITLIST_GETCHOICES = WM_APP + 1020;
// Sent to the list's parent for every finished in-place edit, committed or
// cancelled: wParam = the list's control ID, lParam = NMLVDISPINFOW* whose
// item holds row, column and the text (the initial text when cancelled).
constexpr UINT WM_EDITLIST_ENDEDIT = WM_APP + 1021;

class CEditListCtrl;

// The in-place edit box of a CEditListCtrl: a child of the list with ID 0,
// over one cell, that reports its text to the list's parent when it loses
// the focus and then closes.
class QOR_API CInPlaceEdit : public CEdit {
public:
    CInPlaceEdit() noexcept = default;

    int GetRow() const { return m_row; }
    int GetColumn() const { return m_column; }
    BOOL IsCancelled() const { return m_cancelled; }
    const CString& GetValidChars() const { return m_validChars; }
    const CString& GetInitialText() const { return m_initialText; }

    BOOL PreTranslateMessage(MSG* message) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnClose() override;

private:
    friend class CEditListCtrl;
    BOOL Open(CEditListCtrl* list, DWORD style, const RECT& rect, int row, int column, const CString& validChars,
              const CString& initialText);
    void Paste();

    int m_row = -1;
    int m_column = -1;
    BOOL m_cancelled = FALSE;
    CString m_validChars;
    CString m_initialText;
    CEditListCtrl* m_list = nullptr;
    bool m_finished = true;   // reported; the window waits for its WM_CLOSE
    bool m_abandoned = false;  // the list is going: nothing more to report
};

// The in-place drop-down list of a CEditListCtrl, for choice columns.
class QOR_API CInPlaceCombo : public CComboBox {
public:
    CInPlaceCombo() noexcept = default;

    int GetRow() const { return m_row; }
    int GetColumn() const { return m_column; }
    BOOL IsCancelled() const { return m_cancelled; }
    const CString& GetInitialText() const { return m_initialText; }
    const CStringList& GetChoices() const { return m_choices; }

    BOOL PreTranslateMessage(MSG* message) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommandReflect(UINT code) override;
    void OnClose() override;

private:
    friend class CEditListCtrl;
    BOOL Open(CEditListCtrl* list, DWORD style, const RECT& rect, int row, int column, const CStringList& choices,
              const CString& initialText);

    int m_row = -1;
    int m_column = -1;
    BOOL m_cancelled = FALSE;
    CString m_initialText;
    CStringList m_choices;
    CEditListCtrl* m_list = nullptr;
    bool m_finished = true;
    bool m_abandoned = false;
};

// A report list whose cells are edited in place: a left click (without
// Shift or Ctrl) on a cell of the focused row of a list with LVS_EDITLABELS
// opens an edit box over the cell, or a drop-down list for a choice column;
// read-only columns open nothing. Each list has its own editors.
class QOR_API CEditListCtrl : public CListCtrlEx {
public:
    // Columns 0 to kValidCharColumns - 1 can restrict the typed characters.
    enum : int { kValidCharColumns = 100 };

    CEditListCtrl() noexcept;
    ~CEditListCtrl() override;

    void SetChoiceColumn(int column, BOOL choice = TRUE);
    BOOL IsChoiceColumn(int column) const;
    void SetReadOnlyColumn(int column, BOOL readOnly = TRUE);
    BOOL IsReadOnlyColumn(int column) const;
    // The characters that may be typed into a column (empty: any); FALSE for
    // a column outside 0 to kValidCharColumns - 1, which accepts any.
    BOOL SetValidChars(int column, const CString& chars);
    CString GetValidChars(int column) const;

    // The window styles the editors are made with (WS_CHILD and WS_VISIBLE
    // are always added).
    DWORD GetEditStyle() const { return m_editStyle; }
    void SetEditStyle(DWORD style) { m_editStyle = style; }
    DWORD GetComboStyle() const { return m_comboStyle; }
    void SetComboStyle(DWORD style) { m_comboStyle = style; }

    // The editor windows while one is open (borrowed), else null.
    HWND GetEditWindow() const;
    HWND GetComboWindow() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotifyReflect(NMHDR* header, LRESULT* result) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    friend class CInPlaceEdit;
    friend class CInPlaceCombo;

    void OnLButtonDown(WPARAM wParam, LPARAM lParam);
    int ColumnAt(int row, POINT point) const;
    RECT CellRectScrolled(int row, int column);
    BOOL OpenDropDown(int row, int column, const CStringList& choices, const CString& text);
    BOOL OpenEdit(int row, int column, const CString& text);
    // An editor's finished edit, on its way to the parent.
    void SendEndEdit(int row, int column, const CString& text);
    void AbandonEditors();
    // An in-place edit is on: the list view's own label editor is refused.
    bool EditorBusy() const;

    CList<int, int> m_choiceColumns;
    CList<int, int> m_readOnlyColumns;
    DWORD m_editStyle = ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL;
    DWORD m_comboStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | CBS_DISABLENOSCROLL | CBS_OEMCONVERT | CBS_AUTOHSCROLL |
                         CBS_DROPDOWNLIST;
    CString m_validChars[kValidCharColumns];
    std::unique_ptr<CInPlaceEdit> m_edit;
    std::unique_ptr<CInPlaceCombo> m_combo;
    // When a click last opened an editor (0: never). The list view's own
    // label editor, which the same click starts later, stays shut meanwhile.
    DWORD m_clickEditTime = 0;
};
