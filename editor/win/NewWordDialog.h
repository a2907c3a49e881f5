#pragma once

#include "base/CString.h"
#include "host/ui/VarnPDialog.h"

class CQorDictionaryManager;
class CQorDictionaryWord;
class CQorDictWordElement;

// Asks for the original string of a new word. The caller sets the word list
// the text must be new to, the entry to name and the manager that translates
// the dialog, then runs it; on IDOK the entry carries the text and the time of
// OK, but adding it to a list is still the caller's task.
class QOR_API CNewWordDialog : public CVarnPDialog {
public:
    explicit CNewWordDialog(CWnd* parent = nullptr) noexcept;

    // The template and the strings are the library's, whatever module the
    // host has made current.
    INT_PTR DoModal();

    CQorDictionaryWord* m_pWordList = nullptr;      // not owned
    CQorDictWordElement* m_pEntry = nullptr;        // not owned
    CQorDictionaryManager* m_pManager = nullptr;    // not owned
    CString m_strOriginal;

protected:
    const wchar_t* GetHelpKey() const override { return L"[Dictionary] CNewWordDialog::OnHelpInfo"; }
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void Refuse(const CString& message);
};
