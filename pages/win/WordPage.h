#pragma once

#include "framework/ProgressCtrl.h"
#include "model/DictMode.h"
#include "pages/win/EditorPageContext.h"
#include "widgets/win/ChildLayout.h"
#include "widgets/win/StackedDialog.h"

// What the system and the project word pages share: one master word list of
// the manager shown in a grid inside frame 24085, the buttons under it and
// the gathering progress bar. The two pages differ in their mode, their
// template and their help key.
class QOR_API CWordPage : public TCard {
public:
    CWordPage(const EditorPageContext& context, DICTMODE mode) noexcept : m_context(context), m_mode(mode) {}

    DICTMODE GetMode() const { return m_mode; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSize(UINT type, int cx, int cy) override;

    EditorPageContext m_context;

private:
    void LayOutChildren();

    DICTMODE m_mode;
    CChildLayout m_layout;
    CProgressCtrl m_progress;
};

// The system dictionary's words.
class QOR_API CDictionaryPage2 : public CWordPage {
public:
    explicit CDictionaryPage2(const EditorPageContext& context) noexcept : CWordPage(context, DICTMODE_SYSTEM) {}

protected:
    const wchar_t* GetHelpKey() const override { return L"[Dictionary] CDictionaryPage2::OnHelpInfo"; }
    BOOL OnInitDialog() override;
};

// The project dictionary's words.
class QOR_API CDictionaryPage3 : public CWordPage {
public:
    explicit CDictionaryPage3(const EditorPageContext& context) noexcept : CWordPage(context, DICTMODE_PROJECT) {}

protected:
    const wchar_t* GetHelpKey() const override { return L"[Dictionary] CDictionaryPage3::OnHelpInfo"; }
};
