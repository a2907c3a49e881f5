#pragma once

#include "base/LogFont.h"
#include "host/ui/VarnPDialog.h"
#include "widgets/win/FontEdit.h"

class CQorDictionaryManager;
class CQorLanguageDict;

// Shows one language: its ID in decimal and hexadecimal with the platform's
// names for it, and its display font. OK stores an ID no other language has;
// a font chosen with the browse button shows at once and is kept on OK only.
class QOR_API CLanguageDialog : public CVarnPDialog {
public:
    explicit CLanguageDialog(CWnd* parent = nullptr) noexcept;

    // The template and strings are the library's whatever module is current.
    INT_PTR DoModal();

    CQorLanguageDict* m_pLanguage = nullptr;     // not owned
    CQorDictionaryManager* m_pManager = nullptr;  // not owned

protected:
    const wchar_t* GetHelpKey() const override { return L"[Dictionary] CLanguageDialog::OnHelpInfo"; }
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void ShowNames();
    void RememberFont();

    CFontEdit m_fontEdit;
    CString m_languageName;
    DWORD m_languageId = 2052;
    CString m_hexId;
    CString m_nativeName;
    // The language's font as it was when the dialog opened, for Cancel.
    LOGFONTW m_savedFont = {};
    int m_savedPointSize = 0;
    DWORD m_savedColor = 0;
};
