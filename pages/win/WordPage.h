#pragma once

#include <initializer_list>
#include <memory>
#include <vector>

#include "framework/ImageList.h"
#include "framework/ProgressCtrl.h"
#include "checks/DictionaryCheck.h"
#include "model/DictMode.h"
#include "pages/WordCellCheck.h"
#include "pages/win/BusyControls.h"
#include "pages/win/EditorPageContext.h"
#include "pages/win/ResourceGathering.h"
#include "pages/win/VirtualGridCtrl.h"
#include "widgets/win/ChildLayout.h"
#include "widgets/win/StackedDialog.h"

class CQorDictionaryWord;

// What the system and the project word pages share: one master word list of
// the manager in a grid over frame 24085, one column per enabled language,
// the buttons under it and the gathering progress bar. The two pages differ
// in their mode, their template and their help key; only the system page
// gathers words.
class QOR_API CWordPage : public TCard {
public:
    CWordPage(const EditorPageContext& context, DICTMODE mode) noexcept;
    ~CWordPage() override;

    DICTMODE GetMode() const { return m_mode; }
    // The page's master word list, or null without a manager.
    CQorDictionaryWord* GetMasterList() const;
    CVirtualGridCtrl* GetGrid() const { return m_grid.get(); }
    const std::vector<DWORD>& GetLanguageColumns() const { return m_languageColumns; }

    // The languages or their enable flags changed: the columns follow.
    void RebuildLanguageColumns();
    // The grid's requests.
    void OnCellEdited(int row, int column, const CString& text);
    int FindWord(const CString& text, DWORD flags, int start);
    WordCellCheck CheckCell(int row, int column);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnDestroy() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The row header's width once the rows are bound; the project page keeps 30.
    virtual void FitRowHeader() {}

    EditorPageContext m_context;

private:
    static BOOL CellText(CVarnPGridDisplayInfo* info, LPARAM page);
    void CreateGrid();
    void BindRows();
    void PlaceGrid();
    void LayOutChildren();
    void AddWord();
    void DeleteSelectedWords();
    void OpenFind();
    void ExchangeWithWorkbook(bool import);
    void GatherResourceTexts();
    void OnMergeTimer();
    void FinishGathering();
    void UpdateFunctionDiagram();
    std::vector<HWND> Controls(std::initializer_list<int> ids) const;
    void RefreshSaveAndReport();
    void SetModified();

    DICTMODE m_mode;
    CImageList m_images;
    std::vector<DWORD> m_languageColumns;
    std::unique_ptr<CVirtualGridCtrl> m_grid;
    CChildLayout m_layout;
    CProgressCtrl m_progress;
    CResourceGathering m_gathering;
    std::unique_ptr<BusyControls> m_gatheringBusy;  // while gathering
    ULONGLONG m_rowsBoundAt = 0;                    // the grid's last update during a gathering
    // Remembers which languages have begun; made anew whenever the words change.
    std::unique_ptr<CDictionaryChecker> m_checker;
};

// The system dictionary's words.
class QOR_API CDictionaryPage2 : public CWordPage {
public:
    explicit CDictionaryPage2(const EditorPageContext& context) noexcept : CWordPage(context, DICTMODE_SYSTEM) {}

protected:
    const wchar_t* GetHelpKey() const override { return L"[Dictionary] CDictionaryPage2::OnHelpInfo"; }
    BOOL OnInitDialog() override;
    void FitRowHeader() override;
};

// The project dictionary's words.
class QOR_API CDictionaryPage3 : public CWordPage {
public:
    explicit CDictionaryPage3(const EditorPageContext& context) noexcept : CWordPage(context, DICTMODE_PROJECT) {}

protected:
    const wchar_t* GetHelpKey() const override { return L"[Dictionary] CDictionaryPage3::OnHelpInfo"; }
};
