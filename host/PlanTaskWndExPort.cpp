#include "host/PlanTaskWndExPort.h"

#include <commctrl.h>

namespace {
constexpr int kWidth = 380;
constexpr int kHeight = 150;

UniqueFont MessageFont() {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return UniqueFont();
    return UniqueFont(CreateFontIndirectW(&metrics.lfMessageFont));
}
}  // namespace

CPlanTaskWndExPort::~CPlanTaskWndExPort() { DestroyWindow(); }

BOOL CPlanTaskWndExPort::Init(CWnd* parent) {
    HWND owner = parent ? GetAncestor(parent->GetSafeHwnd(), GA_ROOT) : nullptr;
    RECT place = {0, 0, kWidth, kHeight};
    // Centred over the owner, or over the screen.
    RECT over = {};
    if (owner)
        GetWindowRect(owner, &over);
    else
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &over, 0);
    OffsetRect(&place, (over.left + over.right - kWidth) / 2, (over.top + over.bottom - kHeight) / 2);
    CWnd ownerWnd;
    ownerWnd.Attach(owner);
    const BOOL created = CreateEx(WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW, nullptr, L"", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                  place, owner ? &ownerWnd : nullptr, 0);
    ownerWnd.Detach();
    return created;
}

int CPlanTaskWndExPort::OnCreate(CREATESTRUCTW*) {
    m_font = MessageFont();
    RECT client = {};
    GetClientRect(GetSafeHwnd(), &client);
    const int inner = client.right - 24;
    m_text.Create(L"Static", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_ENDELLIPSIS, RECT{12, 10, 12 + inner, 30}, this,
                  kTextId);
    m_progress.Create(WS_CHILD | WS_VISIBLE | PBS_SMOOTH, RECT{12, 36, 12 + inner, 54}, this, kProgressId);
    m_count.Create(L"Static", L"", WS_CHILD | WS_VISIBLE | SS_LEFT, RECT{12, 60, 12 + inner, 78}, this, kCountId);
    m_stop.Create(L"Button", L"Stop", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                  RECT{client.right - 102, client.bottom - 36, client.right - 12, client.bottom - 10}, this,
                  kStopButtonId);
    for (CWnd* child : {&m_text, &m_count, &m_stop}) child->SetFont(m_font.get(), FALSE);
    return 0;
}

void CPlanTaskWndExPort::SetPara(const CPlanTaskPara& para) {
    SetMessage1(para.text);
    SetRange32(para.low, para.high);
    m_progress.SetStep(para.step);
}

void CPlanTaskWndExPort::ShowWindow(BOOL show, int) {
    ::ShowWindow(GetSafeHwnd(), show ? SW_SHOW : SW_HIDE);
    if (show) UpdateWindow(GetSafeHwnd());
}

void CPlanTaskWndExPort::SetMessage1(const CString& text) {
    SetWindowText(text);
    m_text.SetWindowText(text);
}

void CPlanTaskWndExPort::SetRange32(int low, int high) {
    m_progress.SetRange32(low, high);
    m_progress.SetPos(low);
    m_position = low;
    m_high = high;
    ShowCount();
}

void CPlanTaskWndExPort::StepIt() {
    m_progress.StepIt();
    ++m_position;
    ShowCount();
}

void CPlanTaskWndExPort::SetStopText(const CString& text) { m_stop.SetWindowText(text); }

void CPlanTaskWndExPort::ShowCount() {
    CString text;
    text.Format(L"%d / %d", m_position, m_high);
    m_count.SetWindowText(text);
}

BOOL CPlanTaskWndExPort::OnCommand(WPARAM wParam, LPARAM) {
    if (LOWORD(wParam) != kStopButtonId) return FALSE;
    m_breaked = true;
    EnableWindow(m_stop.GetSafeHwnd(), FALSE);
    return TRUE;
}

BOOL CPlanTaskWndExPort::PreTranslateMessage(MSG* message) {
    if (message->message == WM_KEYDOWN && message->wParam == VK_ESCAPE) {
        m_breaked = true;
        return TRUE;
    }
    return FALSE;
}
