#include "pages/win/WordPage.h"

#include "editor/MessageText.h"
#include "editor/win/DictionaryDialog.h"
#include "editor/win/DictionarySave.h"
#include "editor/win/NewWordDialog.h"
#include "framework/DataExchange.h"
#include "host/QorUtility.h"
#include "host/ui/VarnPVisualManager.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "pages/WordPageRules.h"
#include "pages/win/FunctionDiagramUpdate.h"
#include "pages/win/WordSheetExchange.h"
#include "resources/DictionaryApp.h"
#include "resources/Resource.h"
#include "translate/TextHelpers.h"
#include "translate/WndResourcePool.h"
#include "widgets/ChildLayoutGeometry.h"

namespace {
constexpr int kStretch = kAnchorKeepNearEdge | kAnchorFollowFarSide;
constexpr int kKeepPlace = kAnchorKeepSize | kAnchorKeepNearEdge;
constexpr int kKeepToFarEdge = kAnchorKeepSize | kAnchorFollowFarSide;
constexpr UINT kGridId = 1;
constexpr int kTimeColumnWidth = 130;
constexpr int kTextColumnWidth = 150;
constexpr WORD kResourceLanguage = 0x0804;  // the language the host's modules are written in

// The function-diagram button is offered only where the host's configuration
// file exists and does not switch it off.
bool FunctionDiagramWanted() {
    CString path = CQorUtility::GetModuleUpperLevelPath();
    path += L"\\Config\\QorFunctionDiagramConfig.ini";
    if (GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) return false;
    wchar_t visible[260] = {};
    GetPrivateProfileStringW(L"FunctionDiagramExportDictory", L"Visible", L"1", visible, 260, path);
    return lstrcmpW(visible, L"1") == 0;
}

CString Text(CQorDictionaryManager* manager, UINT id) {
    return LoadDictString(manager, QorGetModuleResourceHandle(), id);
}

void TranslateWindow(HWND window, CQorDictionaryManager* manager) {
    if (!manager || !window) return;
    CWndResourcePool pool;
    pool.InitialResourcePool(window, manager, 1);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
}
}  // namespace

CWordPage::CWordPage(const EditorPageContext& context, DICTMODE mode) noexcept : m_context(context), m_mode(mode) {}

CWordPage::~CWordPage() = default;

CQorDictionaryWord* CWordPage::GetMasterList() const {
    CQorDictionaryManager* manager = m_context.manager;
    if (!manager) return nullptr;
    return m_mode == DICTMODE_SYSTEM ? manager->GetSysDictWord() : manager->GetProjectDictWord();
}

void CWordPage::DoDataExchange(CDataExchange* pDX) { DDX_Control(pDX, IDC_GATHER_PROGRESS, m_progress); }

BOOL CWordPage::OnInitDialog() {
    TCard::OnInitDialog();
    CreateGrid();
    m_progress.SetStep(1);
    ShowWindow(m_progress.GetSafeHwnd(), SW_HIDE);
    // What the project page would gather is not settled: a button that does
    // nothing would mislead.
    if (m_mode != DICTMODE_SYSTEM) EnableWindow(GetDlgItem(GetSafeHwnd(), IDC_UPDATE_DICTIONARY), FALSE);
    LayOutChildren();
    UpdateData(FALSE);
    TranslateWindow(GetSafeHwnd(), m_context.manager);
    return TRUE;
}

void CWordPage::CreateGrid() {
    m_images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 4);
    m_images.Add(LoadIconW(QorGetModuleResourceHandle(), MAKEINTRESOURCEW(IDI_LANGUAGE_ROW)));
    m_grid = std::make_unique<CVirtualGridCtrl>(*this);
    // The grid is the page's child over the frame, so that Tab reaches it.
    RECT place = {};
    if (!m_grid->Create(WS_CHILD | WS_TABSTOP, place, this, kGridId)) {
        m_grid.reset();
        return;
    }
    m_grid->SetImageList(m_images);
    m_grid->SetScrollBarsStyle(1);
    m_grid->EnableVirtualMode(CellText, LPARAM(this));
    m_grid->SetVirtualRows(0);
    m_grid->EnableMarkSortedColumn(TRUE, FALSE);
    m_grid->EnableHeader(TRUE, 5);
    m_grid->EnableRowHeader(TRUE, 0xFFFFFFFF, 30);
    CVarnPGridColors colors;
    CVarnPVisualManager::GetInstance()->GetGridColors(colors);
    m_grid->SetColorTheme(colors, FALSE);
    RebuildLanguageColumns();
    m_grid->FreezeColumns(2, TRUE);
    PlaceGrid();
    ShowWindow(m_grid->GetSafeHwnd(), SW_SHOW);
    m_grid->AdjustLayout();
}

void CWordPage::RebuildLanguageColumns() {
    if (!m_grid) return;
    CQorDictionaryManager* manager = m_context.manager;
    m_languageColumns = manager ? LanguageColumnsOf(*manager) : std::vector<DWORD>();
    m_gathering.SetLanguageColumns(m_languageColumns);
    m_grid->DeleteAllColumns();
    m_grid->InsertColumn(0, Text(manager, IDS_COL_UPDATE_TIME), kTimeColumnWidth, -1, TRUE);
    m_grid->InsertColumn(1, Text(manager, IDS_COL_ORIGINAL), kTextColumnWidth, -1, TRUE);
    for (DWORD id : m_languageColumns)
        m_grid->InsertColumn(m_grid->GetColumnCount(), GetLCIDNativeName(id), kTextColumnWidth, -1, TRUE);
    BindRows();
    m_grid->AdjustLayout();
}

void CWordPage::BindRows() {
    m_checker.reset();
    CQorDictionaryWord* master = GetMasterList();
    if (!m_grid || !master) return;
    m_grid->SetVirtualRows(int(master->GetDictionaryList()->GetCount()));
    FitRowHeader();
}

BOOL CWordPage::CellText(CVarnPGridDisplayInfo* info, LPARAM param) {
    auto* page = reinterpret_cast<CWordPage*>(param);
    CQorDictionaryWord* master = page->GetMasterList();
    if (!master) return FALSE;
    info->value = COleVariant(WordCellText(*page->m_context.manager, WordAtRow(*master, info->row), info->column,
                                           page->m_languageColumns, page->m_mode));
    return TRUE;
}

void CWordPage::OnCellEdited(int row, int column, const CString& text) {
    CQorDictionaryWord* master = GetMasterList();
    if (!master) return;
    if (ApplyWordCellEdit(*m_context.manager, *master, WordAtRow(*master, row), column, text, m_languageColumns,
                          m_mode))
        SetModified();
}

WordCellCheck CWordPage::CheckCell(int row, int column) {
    CQorDictionaryWord* master = GetMasterList();
    if (!master) return WordCellCheck();
    if (!m_checker) m_checker = std::make_unique<CDictionaryChecker>(*m_context.manager);
    return CheckWordCell(*m_context.manager, *m_checker, WordAtRow(*master, row), column, m_languageColumns, m_mode);
}

int CWordPage::FindWord(const CString& text, DWORD flags, int start) {
    CQorDictionaryWord* master = GetMasterList();
    return master ? FindOriginalRow(*master, text, flags, start) : -1;
}

void CWordPage::PlaceGrid() {
    HWND frame = GetDlgItem(GetSafeHwnd(), IDC_GRID_AREA);
    if (!m_grid || !frame) return;
    RECT rect = {};
    GetWindowRect(frame, &rect);
    MapWindowPoints(nullptr, GetSafeHwnd(), reinterpret_cast<POINT*>(&rect), 2);
    // Inside the frame's line.
    InflateRect(&rect, -1, -1);
    MoveWindow(m_grid->GetSafeHwnd(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

void CWordPage::LayOutChildren() {
    m_layout.Capture(GetSafeHwnd());
    m_layout.SetAllFlags(kKeepPlace, kKeepToFarEdge);
    m_layout.SetFlags(GetDlgItem(GetSafeHwnd(), IDC_GRID_AREA), kStretch, kStretch);
    m_layout.SetFlags(m_progress.GetSafeHwnd(), kStretch, kKeepToFarEdge);
}

void CWordPage::OnSize(UINT type, int cx, int cy) {
    m_layout.Resize();
    TCard::OnSize(type, cx, cy);
    PlaceGrid();
}

void CWordPage::OnDestroy() {
    // Nothing may reach this window or the dictionary once it is gone.
    m_gathering.Stop();
    m_gatheringBusy.reset();
    TCard::OnDestroy();
    if (m_grid) m_grid->DestroyWindow();
}

BOOL CWordPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDC_ADD:
            AddWord();
            return TRUE;
        case IDC_DELETE:
            DeleteSelectedWords();
            return TRUE;
        case IDC_FIND_WORD:
            OpenFind();
            return TRUE;
        case IDC_IMPORT_EXCEL:
            ExchangeWithWorkbook(true);
            return TRUE;
        case IDC_EXPORT_EXCEL:
            ExchangeWithWorkbook(false);
            return TRUE;
        case IDC_UPDATE_DICTIONARY:
            GatherResourceTexts();
            return TRUE;
        case IDC_FUNCTION_DIAGRAM:
            UpdateFunctionDiagram();
            return TRUE;
        }
    }
    return TCard::OnCommand(wParam, lParam);
}

void CWordPage::AddWord() {
    CQorDictionaryWord* master = GetMasterList();
    if (!master || !m_grid) return;
    auto entry = std::make_unique<CQorDictWordElement>();
    entry->SetOriginalCharacter(L"New string");
    CNewWordDialog dialog(this);
    dialog.m_pWordList = master;
    dialog.m_pEntry = entry.get();
    dialog.m_pManager = m_context.manager;
    if (dialog.DoModal() != IDOK || !master->AddWord(entry.get())) return;
    entry.release();
    const int count = int(master->GetDictionaryList()->GetCount());
    BindRows();
    const int last = count > 0 ? count - 1 : 0;
    m_grid->EnsureVisible(last);
    m_grid->SelectRow(last, FALSE);
    SaveDictionaryOrTell(m_context.manager, GetSafeHwnd());
    SetModified();
}

void CWordPage::DeleteSelectedWords() {
    if (!m_grid) return;
    std::vector<int> rows;
    for (int row = m_grid->GetTotalRowCount() - 1; row >= 0; --row)
        if (m_grid->IsRowSelected(row)) rows.push_back(row);
    if (rows.empty()) return;
    CString count;
    count.Format(L"%u", unsigned(rows.size()));
    const CString question = InsertIntoMessage(Text(m_context.manager, IDS_CONFIRM_DELETE_COUNT), count);
    if (MessageBoxW(GetSafeHwnd(), question, Text(m_context.manager, IDS_WARNING), MB_YESNO | MB_ICONEXCLAMATION) !=
        IDYES)
        return;
    CQorDictionaryWord* master = GetMasterList();
    if (!master) return;
    RemoveWordRows(*master, rows);
    BindRows();
    if (!m_context.manager->GetFile().IsEmpty()) SaveDictionaryOrTell(m_context.manager, GetSafeHwnd());
    SetModified();
}

void CWordPage::OpenFind() {
    if (!m_grid || !m_grid->GetSafeHwnd()) return;
    m_grid->OpenFindReplaceDlg(TRUE);
    TranslateWindow(m_grid->GetFindReplaceDlg(), m_context.manager);
}

void CWordPage::ExchangeWithWorkbook(bool import) {
    if (!m_context.manager) return;
    WordSheetExchange exchange;
    exchange.manager = m_context.manager;
    exchange.mode = m_mode;
    exchange.languageColumns = m_languageColumns;
    exchange.owner = GetSafeHwnd();
    // Nothing that changes the words may start while the exchange pumps messages.
    exchange.busyControls = Controls({IDC_ADD, IDC_DELETE, IDC_FIND_WORD, IDC_UPDATE_DICTIONARY, IDC_IMPORT_EXCEL,
                                      IDC_EXPORT_EXCEL, IDC_FUNCTION_DIAGRAM});
    if (m_grid) exchange.busyControls.push_back(m_grid->GetSafeHwnd());
    if (!import) {
        ExportWordSheet(exchange);
        return;
    }
    // The import saved what it merged; the host must still learn that the
    // dictionary changed.
    const bool changed = ImportWordSheet(exchange);
    BindRows();
    if (changed) SetModified();
}

LRESULT CWordPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == CResourceGathering::kWakeMessage) {
        m_gathering.OnWake();
        return 0;
    }
    if (message == WM_TIMER && wParam == CResourceGathering::kMergeTimer) {
        OnMergeTimer();
        return 0;
    }
    return TCard::WindowProc(message, wParam, lParam);
}

std::vector<HWND> CWordPage::Controls(std::initializer_list<int> ids) const {
    std::vector<HWND> controls;
    for (int id : ids)
        if (HWND control = GetDlgItem(GetSafeHwnd(), id)) controls.push_back(control);
    return controls;
}

void CWordPage::GatherResourceTexts() {
    if (m_mode != DICTMODE_SYSTEM || !GetMasterList() || m_gathering.IsActive()) return;
    m_progress.SetPos(0);
    ShowWindow(m_progress.GetSafeHwnd(), SW_SHOW);
    if (!m_gathering.Start(GetSafeHwnd(), CQorUtility::GetModulePath(), kResourceLanguage, *m_context.manager, m_mode,
                           m_languageColumns)) {
        ShowWindow(m_progress.GetSafeHwnd(), SW_HIDE);
        return;
    }
    // A second gathering, or a workbook exchange iterating the lists that
    // the merge grows, must wait for this one.
    m_gatheringBusy = std::make_unique<BusyControls>(
        Controls({IDC_UPDATE_DICTIONARY, IDC_FUNCTION_DIAGRAM, IDC_IMPORT_EXCEL, IDC_EXPORT_EXCEL}));
    SetModified();
}

void CWordPage::OnMergeTimer() {
    const CResourceGathering::Step step = m_gathering.OnMergeTimer();
    if (step.moduleCount >= 0) m_progress.SetRange32(0, step.moduleCount);
    for (int i = 0; i < step.modulesDone; ++i) m_progress.StepIt();
    // The grid follows a few times a second: a repaint per tick would cost
    // more than the merge.
    if (step.changed && GetTickCount64() - m_rowsBoundAt >= 250) {
        BindRows();
        m_rowsBoundAt = GetTickCount64();
    }
    if (step.complete) FinishGathering();
}

void CWordPage::FinishGathering() {
    ShowWindow(m_progress.GetSafeHwnd(), SW_HIDE);
    m_gatheringBusy.reset();
    RefreshSaveAndReport();
}

void CWordPage::UpdateFunctionDiagram() {
    if (m_mode != DICTMODE_SYSTEM || m_gathering.IsActive()) return;
    const FunctionDiagramOutcome outcome =
        UpdateFromFunctionDiagramPlugin(m_context.manager, m_languageColumns, m_progress);
    if (!outcome.ran) return;
    if (outcome.changed) SetModified();
    ShowWindow(m_progress.GetSafeHwnd(), SW_HIDE);
    RefreshSaveAndReport();
}

// Both gatherings end alike: the grid shows every word, the file has them
// and the user hears that it is done.
void CWordPage::RefreshSaveAndReport() {
    BindRows();
    if (m_context.manager && !m_context.manager->GetFile().IsEmpty())
        SaveDictionaryOrTell(m_context.manager, GetSafeHwnd());
    MessageBoxW(GetSafeHwnd(), Text(m_context.manager, IDS_IMPORT_DONE), Text(m_context.manager, IDS_WARNING),
                MB_OK | MB_ICONEXCLAMATION);
}

void CWordPage::SetModified() {
    m_checker.reset();
    if (m_context.dialog) m_context.dialog->SetModified();
}

BOOL CDictionaryPage2::OnInitDialog() {
    CWordPage::OnInitDialog();
    ShowWindow(GetDlgItem(GetSafeHwnd(), IDC_FUNCTION_DIAGRAM), FunctionDiagramWanted() ? SW_SHOW : SW_HIDE);
    return TRUE;
}

void CDictionaryPage2::FitRowHeader() {
    CVirtualGridCtrl* grid = GetGrid();
    if (!grid || !grid->GetSafeHwnd()) return;
    CString count;
    count.Format(L"%d", grid->GetTotalRowCount());
    WindowDc dc(grid->GetSafeHwnd());
    const HFONT previous = grid->SetCurrFont(dc.get());
    SIZE extent = {};
    GetTextExtentPoint32W(dc.get(), count, count.GetLength(), &extent);
    SelectObject(dc.get(), previous);
    grid->SetRowHeaderWidth(extent.cx + 6 > 30 ? extent.cx + 6 : 30, TRUE);
}
