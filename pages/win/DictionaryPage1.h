#pragma once

#include "framework/ComboBox.h"
#include "framework/ImageList.h"
#include "pages/win/DictListCtrl.h"
#include "pages/win/EditorPageContext.h"
#include "widgets/win/ChildLayout.h"
#include "widgets/win/StackedDialog.h"

// The settings page: file path and version, the multilingual and font
// switches, the default languages and the language list, whose check boxes
// are the languages' enable flags.
class QOR_API CDictionaryPage1 : public TCard {
public:
    explicit CDictionaryPage1(const EditorPageContext& context) noexcept : m_context(context) {}

    // Writes the switches and default languages into the manager; 0 with
    // the text to show in message when a needed default is not chosen.
    int ApplySettings(CString& message);
    // Refills both default-language combos with the enabled languages.
    void FillDefaultLanguageCombos();
    // Shows the language dialog for language; IDOK or IDCANCEL.
    int EditLanguage(CQorLanguageDict* language);

    BOOL PreTranslateMessage(MSG* message) override;

    enum { kSelectAllCommand = 0xF001 };

protected:
    const wchar_t* GetHelpKey() const override { return L"[Dictionary] CDictionaryPage1::OnHelpInfo"; }
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnSize(UINT type, int cx, int cy) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void SetUpLanguageList();
    void SeedAndCountLanguages();
    void LayOutChildren();
    void EnableLanguageChoice();
    void AnswerCell(NMLVDISPINFOW* info);
    void ToggleLanguageUnderCursor();
    void EditLanguageAt(int row);
    void AddLanguage();
    void DeleteSelectedLanguages();
    void SelectAllLanguages();
    void NoteDefaultLanguageChoice();
    void OnSwitch(UINT id);
    void LanguagesChanged();
    void SetModified();
    void Save();
    int RowUnderCursor(UINT* flags) const;

    EditorPageContext m_context;
    CImageList m_images;
    CChildLayout m_layout;
    CComboBox m_projectDefault;
    CComboBox m_systemDefault;
    CDictListCtrl m_languages;
    CString m_filePath;
    int m_multilingual = 0;
    int m_fontEnabled = 0;
    CString m_version;
};
