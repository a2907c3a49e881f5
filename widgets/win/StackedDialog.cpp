#include "widgets/win/StackedDialog.h"

BOOL TCard::OnInitDialog() {
    CVarnPDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, FALSE, nullptr);
    return TRUE;
}

BOOL TCard::PreTranslateMessage(MSG* message) {
    if (message->message != WM_KEYDOWN || (message->wParam != VK_RETURN && message->wParam != VK_ESCAPE))
        return CVarnPDialog::PreTranslateMessage(message);
    const LRESULT wants = ::SendMessageW(message->hwnd, WM_GETDLGCODE, message->wParam, LPARAM(message));
    return (wants & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) ? FALSE : TRUE;
}

TStackedDialog::TStackedDialog(UINT templateId, CWnd* parent) noexcept
    : CVarnPDialog(templateId, parent),
      m_edgeWidth(GetSystemMetrics(SM_CXEDGE)),
      m_edgeHeight(GetSystemMetrics(SM_CYEDGE)),
      m_captionHeight(GetSystemMetrics(SM_CYCAPTION)) {}

TStackedDialog::~TStackedDialog() {
    // Pages are children: they go before the stack's own window.
    DestroyPages();
}

BOOL TStackedDialog::OnInitDialog() {
    CVarnPDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, FALSE, nullptr);
    return TRUE;
}

TCard* TStackedDialog::AddPage(UINT id, TCard* page) {
    std::unique_ptr<TCard> owned(page);
    if (!owned || !GetSafeHwnd() || !owned->Create(id, this)) return nullptr;
    OnPageCreated(id, page);
    m_pages.push_back(std::unique_ptr<PageRecord>(new PageRecord{this, id, std::move(owned)}));
    if (!m_current) ActivatePage(m_pages.back().get());
    return page;
}

TStackedDialog::PageRecord* TStackedDialog::FindPage(UINT id) {
    for (auto& record : m_pages)
        if (record->id == id) return record.get();
    return nullptr;
}

BOOL TStackedDialog::ActivatePage(PageRecord* record) {
    if (!record) return FALSE;
    if (record == m_current) return TRUE;
    if (!CanActivatePage(record->id, record->page.get())) return FALSE;
    if (m_current) {
        TCard* leaving = m_current->page.get();
        EnableWindow(leaving->GetSafeHwnd(), FALSE);
        ShowWindow(leaving->GetSafeHwnd(), SW_HIDE);
        OnPageActivated(m_current->id, leaving, FALSE);
    }
    TCard* page = record->page.get();
    EnableWindow(page->GetSafeHwnd(), TRUE);
    ShowWindow(page->GetSafeHwnd(), SW_SHOW);
    m_current = record;
    OnPageActivated(record->id, page, TRUE);

    RECT own, pageRect;
    GetClientRect(GetSafeHwnd(), &own);
    GetClientRect(page->GetSafeHwnd(), &pageRect);
    MoveWindow(GetSafeHwnd(), own.left, own.top, pageRect.right - pageRect.left + 2 * m_edgeWidth,
               pageRect.bottom - pageRect.top + m_captionHeight + 2 * m_edgeHeight, FALSE);
    return TRUE;
}

void TStackedDialog::DestroyPages() {
    for (auto& record : m_pages) {
        OnPageDestroying(record->id, record->page.get());
        record->page->DestroyWindow();
    }
    m_pages.clear();
    m_current = nullptr;
}

void TStackedDialog::OnDestroy() {
    DestroyPages();
    CVarnPDialog::OnDestroy();
}
