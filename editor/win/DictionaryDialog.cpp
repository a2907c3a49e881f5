#include "editor/win/DictionaryDialog.h"

#include "editor/DictionaryDialogLayout.h"
#include "editor/TreeTarget.h"
#include "framework/DataExchange.h"
#include "pages/win/DictionaryPage1.h"
#include "pages/win/WordPage.h"
#include "resources/DictionaryApp.h"
#include "resources/Resource.h"
#include "translate/DLLLocalResource.h"
#include "translate/TextHelpers.h"
#include "translate/WndResourcePool.h"

namespace {
RECT ClientRectOf(HWND window) {
    RECT rect = {};
    GetClientRect(window, &rect);
    return rect;
}

void MoveTo(HWND window, const PixelRect& rect) {
    MoveWindow(window, rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
}
}  // namespace

CDictionaryDialog::CDictionaryDialog(CQorDictionaryManager* manager, CQorProjectDirector* project,
                                     DWORD projectFlag, CWnd* parent) noexcept
    : CVarnPDialog(IDD_DICTIONARY_DIALOG, parent),
      m_manager(manager),
      m_project(project),
      m_projectFlag(projectFlag),
      m_stacked(IDD_STACKED_PAGES) {}

CDictionaryDialog::~CDictionaryDialog() {
    // The pages and the bar go while the dialog they talk to still exists.
    DestroyWindow();
}

void CDictionaryDialog::DoDataExchange(CDataExchange* pDX) { DDX_Control(pDX, IDC_DICT_TREE, m_tree); }

BOOL CDictionaryDialog::OnInitDialog() {
    CDLLLocalResource libraryResources;
    m_splitter.BindWithControl(this, IDC_SPLITTER_BAR);
    m_splitter.SetMinWidth(120, 120);
    m_splitter.AttachAsLeftPane(IDC_DICT_TREE);
    m_splitter.AttachAsRightPane(IDC_PAGE_PLACEHOLDER);
    m_splitter.RecalcLayout();

    CVarnPDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, FALSE, nullptr);
    FillTree();
    CreatePages();
    ShowWindow(m_stacked.GetSafeHwnd(), SW_SHOW);
    UpdateData(FALSE);

    if (m_manager) {
        CWndResourcePool pool;
        pool.InitialResourcePool(GetSafeHwnd(), m_manager, 1);
        pool.ChangeLanguage(DICTMODE_SYSTEM);
    }
    // The first layout is the one WM_SIZE would give, so a dialog that is
    // never resized looks the same as one that is.
    const RECT client = ClientRectOf(GetSafeHwnd());
    OnSize(SIZE_RESTORED, client.right, client.bottom);
    return TRUE;
}

void CDictionaryDialog::FillTree() {
    const HINSTANCE resources = QorGetModuleResourceHandle();
    m_treeImages.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 2);
    for (UINT icon : {IDI_DICTIONARY, IDI_LANGUAGE_MANAGEMENT, IDI_SYSTEM_DICTIONARY, IDI_PROJECT_DICTIONARY}) {
        // Icons from LoadIcon are shared by the module; they are not destroyed.
        m_treeImages.Add(LoadIconW(resources, MAKEINTRESOURCEW(icon)));
    }
    m_tree.SetImageList(m_treeImages, TVSIL_NORMAL);

    auto text = [&](UINT id) { return LoadDictString(m_manager, resources, id); };
    m_rootItem = m_tree.InsertItem(text(IDS_DICTIONARY), 0, 0);
    m_languageItem = m_tree.InsertItem(text(IDS_LANGUAGE_MANAGEMENT), 1, 1, m_rootItem);
    m_systemItem = m_tree.InsertItem(text(IDS_SYSTEM_DICTIONARY), 2, 2, m_rootItem);
    if (m_projectFlag) m_projectItem = m_tree.InsertItem(text(IDS_PROJECT_DICTIONARY), 3, 3, m_rootItem);
    m_tree.Expand(m_rootItem, TVE_EXPAND);
}

void CDictionaryDialog::CreatePages() {
    m_placeholder.Attach(GetDlgItem(GetSafeHwnd(), IDC_PAGE_PLACEHOLDER));
    if (!m_stacked.Create(IDD_STACKED_PAGES, &m_placeholder)) return;

    const EditorPageContext context{m_manager, m_project, m_projectFlag, this};
    m_page1 = static_cast<CDictionaryPage1*>(m_stacked.AddPage(IDD_SETTINGS_PAGE, new CDictionaryPage1(context)));
    m_page2 = static_cast<CDictionaryPage2*>(m_stacked.AddPage(IDD_SYSTEM_WORDS_PAGE, new CDictionaryPage2(context)));
    m_page3 = static_cast<CDictionaryPage3*>(m_stacked.AddPage(IDD_PROJECT_WORDS_PAGE, new CDictionaryPage3(context)));
}

BOOL CDictionaryDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->hwndFrom != m_tree.GetSafeHwnd()) return CVarnPDialog::OnNotify(wParam, lParam, result);
    switch (header->code) {
    case NM_DBLCLK:
        OnTreeDoubleClick();
        *result = 0;
        return TRUE;
    case TVN_SELCHANGEDW:
        *result = 0;
        return TRUE;
    }
    return CVarnPDialog::OnNotify(wParam, lParam, result);
}

void CDictionaryDialog::OnTreeDoubleClick() {
    POINT cursor = {};
    GetCursorPos(&cursor);
    ScreenToClient(m_tree.GetSafeHwnd(), &cursor);
    const HTREEITEM hit = m_tree.HitTest(cursor);
    auto parentOf = [this](HTREEITEM item) { return m_tree.GetParentItem(item); };
    UINT page = 0;
    if (LiesUnder(hit, m_languageItem, parentOf))
        page = IDD_SETTINGS_PAGE;
    else if (LiesUnder(hit, m_systemItem, parentOf))
        page = IDD_SYSTEM_WORDS_PAGE;
    else if (LiesUnder(hit, m_projectItem, parentOf))
        page = IDD_PROJECT_WORDS_PAGE;
    if (page) m_stacked.ActivatePage(page);
}

void CDictionaryDialog::OnOK() {
    if (!m_page1) {
        CVarnPDialog::OnOK();
        return;
    }
    CString message;
    if (m_page1->ApplySettings(message)) {
        CVarnPDialog::OnOK();
        return;
    }
    const CString caption = LoadDictString(m_manager, QorGetModuleResourceHandle(), IDS_WARNING);
    m_stacked.ActivatePage(IDD_SETTINGS_PAGE);
    MessageBoxW(GetSafeHwnd(), message, caption, MB_ICONEXCLAMATION);
}

void CDictionaryDialog::OnSize(UINT type, int cx, int cy) {
    CVarnPDialog::OnSize(type, cx, cy);
    if (!IsWindow(m_tree.GetSafeHwnd())) return;
    const RECT client = ClientRectOf(GetSafeHwnd());
    const DictionaryDialogLayout layout =
        LayOutDictionaryDialog(PixelRect{client.left, client.top, client.right, client.bottom});
    const HWND self = GetSafeHwnd();
    struct Placement {
        HWND window;
        const PixelRect& rect;
    };
    for (const Placement& placement : {Placement{m_tree.GetSafeHwnd(), layout.tree},
                                       Placement{GetDlgItem(self, IDC_SPLITTER_BAR), layout.splitter},
                                       Placement{GetDlgItem(self, IDC_PAGE_PLACEHOLDER), layout.pageArea},
                                       Placement{GetDlgItem(self, IDCANCEL), layout.cancelButton},
                                       Placement{GetDlgItem(self, IDOK), layout.okButton}}) {
        if (!IsWindow(placement.window)) return;
        MoveTo(placement.window, placement.rect);
    }
    FitPagesToPlaceholder();
}

// The stacked pages follow the placeholder after a drag of the bar as after
// a resize; otherwise a wider page area would cut the pages off.
void CDictionaryDialog::FitPagesToPlaceholder() {
    if (!IsWindow(m_stacked.GetSafeHwnd())) return;
    const RECT area = ClientRectOf(GetDlgItem(GetSafeHwnd(), IDC_PAGE_PLACEHOLDER));
    MoveWindow(m_stacked.GetSafeHwnd(), area.left, area.top, area.right, area.bottom, TRUE);
    for (UINT id : {IDD_SETTINGS_PAGE, IDD_SYSTEM_WORDS_PAGE, IDD_PROJECT_WORDS_PAGE})
        if (TStackedDialog::PageRecord* record = m_stacked.FindPage(id))
            MoveWindow(record->page->GetSafeHwnd(), area.left, area.top, area.right, area.bottom, TRUE);
}

LRESULT CDictionaryDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SPLITTER_MOVED) {
        FitPagesToPlaceholder();
        return 0;
    }
    return CVarnPDialog::WindowProc(message, wParam, lParam);
}
