#include "ModalAnswerer.h"

namespace {

thread_local MessageBoxAnswerer* t_current = nullptr;

CString ClassOf(HWND window) {
    WCHAR name[64] = {};
    GetClassNameW(window, name, 64);
    return CString(name);
}

CString TextOf(HWND window) {
    WCHAR text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return CString(text);
}

UINT IconStyle(HICON icon) {
    const struct {
        LPCWSTR id;
        UINT style;
    } kIcons[] = {{IDI_EXCLAMATION, MB_ICONEXCLAMATION}, {IDI_INFORMATION, MB_ICONINFORMATION},
                  {IDI_QUESTION, MB_ICONQUESTION}, {IDI_HAND, MB_ICONHAND}};
    for (const auto& known : kIcons)
        if (icon && icon == LoadIconW(nullptr, known.id)) return known.style;
    return 0;
}

}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer(int answer_)
    : answer(answer_), m_hook(SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId())), m_previous(t_current) {
    t_current = this;
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    t_current = m_previous;
    if (m_hook) UnhookWindowsHookEx(m_hook);
}

LRESULT CALLBACK MessageBoxAnswerer::Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && t_current && ClassOf(HWND(wParam)) == L"#32770") t_current->Answer(HWND(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxAnswerer::Answer(HWND box) {
    // Only message boxes: a static text and buttons, nothing else.
    Box seen{CString(), TextOf(box), 0};
    bool onlyMessageBoxControls = true;
    bool yes = false, no = false, cancel = false;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const CString kind = ClassOf(child);
        if (kind.CompareNoCase(L"Static") == 0) {
            if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
                seen.style |= IconStyle(HICON(SendMessageW(child, STM_GETICON, 0, 0)));
            else if (seen.text.IsEmpty())
                seen.text = TextOf(child);
        } else if (kind.CompareNoCase(L"Button") == 0) {
            const int id = GetDlgCtrlID(child);
            yes |= id == IDYES;
            no |= id == IDNO;
            cancel |= id == IDCANCEL;
        } else {
            onlyMessageBoxControls = false;
        }
    }
    if (!onlyMessageBoxControls || (GetDlgItem(box, IDOK) == nullptr && !yes)) return;
    seen.style |= yes ? (cancel ? MB_YESNOCANCEL : MB_YESNO) : (cancel ? MB_OKCANCEL : MB_OK);
    boxes.push_back(seen);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), LPARAM(GetDlgItem(box, answer)));
}
