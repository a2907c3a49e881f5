#include "WinTestSupport.h"

#include <cstring>
#include <cwchar>

#include "model/QorDictWordElement.h"

LOGFONTW MakeFont(const wchar_t* face, int height) {
    LOGFONTW font;
    std::memset(&font, 0, sizeof font);
    font.lfHeight = height;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return font;
}

TestDictionary::TestDictionary() {
    const DWORD ids[] = {kEnglish, kGerman};
    const wchar_t* faces[] = {L"Arial", L"Tahoma"};
    for (int i = 0; i < 2; ++i) {
        CQorLanguageDict* language = new CQorLanguageDict;
        language->SetLanguageID(ids[i]);
        language->SetEnable(1);
        language->SetFont(MakeFont(faces[i], -13 - 2 * i));
        manager.Add(language);
    }
    manager.SetEnable(1);
    manager.SetEnableFont(1);
    UseLanguage(kEnglish);
}

void TestDictionary::Word(CQorLanguageDict* language, const CString& original, const CString& display,
                          DICTMODE mode) {
    CQorDictWordElement* entry = new CQorDictWordElement;
    entry->SetOriginalCharacter(original);
    entry->SetDisplayCharacter(display);
    if (!language->AddWord(mode, entry)) delete entry;
}

HostWindow::HostWindow(const wchar_t* caption, DWORD style) {
    CreateEx(0, nullptr, caption, style, RECT{0, 0, 640, 480}, nullptr, 0);
}

HWND HostWindow::Add(const wchar_t* className, const wchar_t* text, DWORD style, CWnd* parent) {
    const int n = int(m_children.size());
    m_children.push_back(std::make_unique<CWnd>());
    const RECT rect{10, 10 + 25 * (n % 16), 300, 160 + 25 * (n % 16)};
    m_children.back()->Create(className, text, WS_CHILD | WS_VISIBLE | style, rect, parent ? parent : this,
                              UINT(100 + n));
    return m_children.back()->GetSafeHwnd();
}

CString TextOf(HWND window) {
    WCHAR buffer[1024];
    const int length = GetWindowTextW(window, buffer, 1024);
    return CString(buffer, length > 0 ? length : 0);
}

HFONT FontOf(HWND window) { return HFONT(SendMessageW(window, WM_GETFONT, 0, 0)); }

LOGFONTW LogFontOf(HWND window) {
    LOGFONTW font;
    std::memset(&font, 0, sizeof font);
    if (HFONT handle = FontOf(window)) GetObjectW(handle, sizeof font, &font);
    return font;
}

bool SameFont(const LOGFONTW& a, const LOGFONTW& b) { return std::memcmp(&a, &b, sizeof a) == 0; }
