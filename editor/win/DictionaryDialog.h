#pragma once

#include "framework/ImageList.h"
#include "framework/TreeCtrl.h"
#include "host/ui/VarnPDialog.h"
#include "widgets/win/StackedDialog.h"
#include "widgets/win/XSplitterWnd.h"

class CDictionaryPage1;
class CDictionaryPage2;
class CDictionaryPage3;
class CQorDictionaryManager;
class CQorProjectDirector;

// The editor's frame: the page tree on the left, the splitter bar, the
// stacked pages on the right, OK and Cancel below. Pages report their
// changes through SetModified; the flag is what the host learns.
class QOR_API CDictionaryDialog : public CVarnPDialog {
public:
    CDictionaryDialog(CQorDictionaryManager* manager, CQorProjectDirector* project, DWORD projectFlag,
                      CWnd* parent = nullptr) noexcept;
    ~CDictionaryDialog() override;

    int GetModified() const { return m_modified; }
    void SetModified() { m_modified = 1; }
    DWORD GetProjectFlag() const { return m_projectFlag; }

    // Null until the dialog window exists.
    CDictionaryPage1* GetPage1() const { return m_page1; }
    CDictionaryPage2* GetPage2() const { return m_page2; }
    CDictionaryPage3* GetPage3() const { return m_page3; }
    TStackedDialog& GetStackedPages() { return m_stacked; }

protected:
    const wchar_t* GetHelpKey() const override { return L"[Dictionary] CDictionaryDialog::OnHelpInfo"; }
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnSize(UINT type, int cx, int cy) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FillTree();
    void CreatePages();
    void OnTreeDoubleClick();
    void FitPagesToPlaceholder();

    CQorDictionaryManager* m_manager;
    CQorProjectDirector* m_project;
    int m_modified = 0;
    DWORD m_projectFlag;
    CImageList m_treeImages;
    CxSplitterWnd m_splitter;
    HTREEITEM m_rootItem = nullptr;
    HTREEITEM m_languageItem = nullptr;
    HTREEITEM m_systemItem = nullptr;
    HTREEITEM m_projectItem = nullptr;
    CDictionaryPage1* m_page1 = nullptr;  // owned by the stacked pages
    CDictionaryPage2* m_page2 = nullptr;
    CDictionaryPage3* m_page3 = nullptr;
    CWnd m_placeholder;  // borrowed: the static the stacked pages live in
    TStackedDialog m_stacked;
    CTreeCtrl m_tree;
};
