#include "pages/win/WordPage.h"

#include "framework/DataExchange.h"
#include "host/QorUtility.h"
#include "resources/Resource.h"
#include "translate/TextHelpers.h"
#include "widgets/ChildLayoutGeometry.h"

namespace {
constexpr int kStretch = kAnchorKeepNearEdge | kAnchorFollowFarSide;
constexpr int kKeepPlace = kAnchorKeepSize | kAnchorKeepNearEdge;
constexpr int kKeepToFarEdge = kAnchorKeepSize | kAnchorFollowFarSide;

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
}  // namespace

void CWordPage::DoDataExchange(CDataExchange* pDX) { DDX_Control(pDX, IDC_GATHER_PROGRESS, m_progress); }

BOOL CWordPage::OnInitDialog() {
    TCard::OnInitDialog();
    UpdateData(FALSE);
    m_progress.SetStep(1);
    ShowWindow(m_progress.GetSafeHwnd(), SW_HIDE);
    LayOutChildren();
    TranslateDialog(GetSafeHwnd(), m_context.manager, nullptr, nullptr);
    return TRUE;
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
}

BOOL CDictionaryPage2::OnInitDialog() {
    CWordPage::OnInitDialog();
    ShowWindow(GetDlgItem(GetSafeHwnd(), IDC_FUNCTION_DIAGRAM), FunctionDiagramWanted() ? SW_SHOW : SW_HIDE);
    return TRUE;
}
