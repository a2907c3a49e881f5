#pragma once

#include "framework/ComboBox.h"
#include "framework/ListCtrl.h"
#include "pages/win/EditorPageContext.h"
#include "widgets/win/ChildLayout.h"
#include "widgets/win/StackedDialog.h"

// The settings page: file path and version, the multilingual and font
// switches, the default languages and the language list.
class QOR_API CDictionaryPage1 : public TCard {
public:
    explicit CDictionaryPage1(const EditorPageContext& context) noexcept : m_context(context) {}

    // Writes the switches and default languages into the manager; 0 with
    // the text to show in message when a needed default is not chosen.
    int ApplySettings(CString& message);
    // Refills both default-language combos with the enabled languages.
    void FillDefaultLanguageCombos();

protected:
    const wchar_t* GetHelpKey() const override { return L"[Dictionary] CDictionaryPage1::OnHelpInfo"; }
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    void InsertLanguageColumns();
    void LayOutChildren();

    EditorPageContext m_context;
    CChildLayout m_layout;
    CComboBox m_projectDefault;
    CComboBox m_systemDefault;
    CListCtrl m_languages;
    CString m_filePath;
    int m_multilingual = 0;
    int m_fontEnabled = 0;
    CString m_version;
};
