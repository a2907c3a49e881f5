#pragma once

#include <windows.h>

#include <memory>
#include <ostream>
#include <vector>

#include "base/CString.h"
#include "framework/Wnd.h"
#include "model/QorDictionaryManager.h"
#include "model/QorLanguageDict.h"

// Language IDs the tests translate into.
constexpr DWORD kEnglish = 0x0409;
constexpr DWORD kGerman = 0x0407;

LOGFONTW MakeFont(const wchar_t* face, int height);

// A dictionary with an English and a German language (each with its own
// font), English being the default of both modes, dictionary and font
// switching on.
class TestDictionary {
public:
    TestDictionary();
    CQorLanguageDict* English() const { return manager.Find(kEnglish); }
    CQorLanguageDict* German() const { return manager.Find(kGerman); }
    void Word(CQorLanguageDict* language, const CString& original, const CString& display,
              DICTMODE mode = DICTMODE_SYSTEM);
    void UseLanguage(DWORD id) {
        manager.SetSysDefaultLanguageLCID(id);
        manager.SetProjectDefaultLanguageLCID(id);
    }

    CQorDictionaryManager manager;
};

// A top-level window of the library's own class that owns test controls.
class HostWindow : public CWnd {
public:
    explicit HostWindow(const wchar_t* caption = L"主窗口", DWORD style = WS_OVERLAPPEDWINDOW);
    // A control (or, with a null class, a plain child window) below parent,
    // by default this window.
    HWND Add(const wchar_t* className, const wchar_t* text, DWORD style = 0, CWnd* parent = nullptr);
    CWnd* Last() const { return m_children.back().get(); }

private:
    std::vector<std::unique_ptr<CWnd>> m_children;
};

CString TextOf(HWND window);
HFONT FontOf(HWND window);
LOGFONTW LogFontOf(HWND window);  // zeros for the system font
bool SameFont(const LOGFONTW& a, const LOGFONTW& b);

// Lets test failures show strings as text.
inline void PrintTo(const CString& text, std::ostream* out) { *out << '"' << text.ToUtf8() << '"'; }
