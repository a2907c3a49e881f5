// Times CWndResourcePool::ChangeLanguage on a window with 500 direct child
// controls against a bare loop of SetWindowTextW that writes the same texts to
// the same controls, both alternating between two languages, and prints both
// times and their ratio. When the languages have different fonts, a switch
// must also send WM_SETFONT, so that case is also held against a loop of
// SetWindowTextW plus WM_SETFONT with the library's own font handles and
// redraw flag.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "framework/Wnd.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorLanguageDict.h"
#include "translate/WndResourcePool.h"

namespace {

const int kControls = 500;
const int kSwitches = 10;  // per timed batch
const int kBatches = 9;    // the median batch is reported
const DWORD kLanguages[2] = {0x0409, 0x0407};

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

CString Numbered(const wchar_t* prefix, int n) {
    CString text;
    text.Format(L"%s %d", prefix, n);
    return text;
}

LOGFONTW Font(const wchar_t* face) {
    LOGFONTW font = {};
    font.lfHeight = -13;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return font;
}

struct Setup {
    CQorDictionaryManager manager;
    CWnd host;
    std::vector<HWND> controls;  // the host's own controls, as a host creates them
    std::vector<CString> texts[2];  // what each language shows, per control

    Setup() {
        const wchar_t* prefixes[2] = {L"Control", L"Steuerelement"};
        for (int l = 0; l < 2; ++l) {
            CQorLanguageDict* language = new CQorLanguageDict;
            language->SetLanguageID(kLanguages[l]);
            language->SetEnable(1);
            for (int i = 0; i < kControls; ++i) {
                CQorDictWordElement* entry = new CQorDictWordElement;
                entry->SetOriginalCharacter(Numbered(L"控件", i));
                entry->SetDisplayCharacter(Numbered(prefixes[l], i));
                texts[l].push_back(entry->GetDisplayCharacter());
                language->AddWord(DICTMODE_SYSTEM, entry);
            }
            manager.Add(language);
        }
        manager.SetEnable(1);
        host.CreateEx(0, nullptr, L"主窗口", WS_OVERLAPPEDWINDOW, RECT{0, 0, 800, 600}, nullptr, 0);
        const wchar_t* classes[] = {L"Button", L"Static", L"Button", L"Edit"};
        for (int i = 0; i < kControls; ++i) {
            controls.push_back(CreateWindowExW(0, classes[i % 4], Numbered(L"控件", i), WS_CHILD | WS_VISIBLE,
                                               10 + 20 * (i % 30), 10 + 20 * (i / 30), 90, 20, host.GetSafeHwnd(),
                                               reinterpret_cast<HMENU>(INT_PTR(1000 + i)), nullptr, nullptr));
        }
    }

    void SetFonts(const LOGFONTW& first, const LOGFONTW& second) {
        manager.Find(kLanguages[0])->SetFont(first);
        manager.Find(kLanguages[1])->SetFont(second);
    }
};

// Seconds per switch over one batch of kSwitches switches.
template <class Switch>
double Time(Switch&& doSwitch) {
    const double start = Now();
    for (int s = 0; s < kSwitches; ++s) doSwitch(s % 2);
    return (Now() - start) / kSwitches;
}

double Median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(values.size() / 2), values.end());
    return values[values.size() / 2];
}

HFONT FontOf(HWND window) { return HFONT(SendMessageW(window, WM_GETFONT, 0, 0)); }

int GdiObjects() { return int(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)); }

void Compare(Setup& setup, CWndResourcePool& pool, const char* what) {
    auto relabel = [&](int l) {
        setup.manager.SetSysDefaultLanguageLCID(kLanguages[l]);
        pool.ChangeLanguage(DICTMODE_SYSTEM);
    };
    auto bare = [&](int l) {
        for (int i = 0; i < kControls; ++i) SetWindowTextW(setup.controls[std::size_t(i)], setup.texts[l][std::size_t(i)]);
    };
    // The handles the library hands out, so the fair loop selects the very
    // same font objects; they are equal when switching fonts is off or the
    // languages share a font.
    HFONT fonts[2];
    for (int l = 0; l < 2; ++l) {
        relabel(l);
        fonts[l] = FontOf(setup.controls[0]);
    }
    const bool fontPerLanguage = fonts[0] != fonts[1];
    auto fair = [&](int l) {
        for (int i = 0; i < kControls; ++i) {
            const HWND control = setup.controls[std::size_t(i)];
            SetWindowTextW(control, setup.texts[l][std::size_t(i)]);
            SendMessageW(control, WM_SETFONT, WPARAM(fonts[l]), TRUE);
        }
    };
    // The machine is shared: batches of all kinds alternate so that all see
    // the same load, and the median batch ratio is the figure.
    const int gdiBefore = GdiObjects();
    std::vector<double> pooled, direct, withFont, ratios, fairRatios;
    for (int b = 0; b < kBatches; ++b) {
        pooled.push_back(Time(relabel));
        direct.push_back(Time(bare));
        ratios.push_back(pooled.back() / direct.back());
        if (fontPerLanguage) {
            withFont.push_back(Time(fair));
            fairRatios.push_back(pooled.back() / withFont.back());
        }
    }
    // The fair loop leaves the other language's font behind; put the
    // library's state back before counting GDI objects after more switches.
    for (int s = 0; s < 100; ++s) relabel(s % 2);
    const int gdiAfter = GdiObjects();
    std::printf("%s\n  ChangeLanguage %7.2f ms  SetWindowTextW loop %7.2f ms  ratio %.2f\n", what,
                Median(pooled) * 1e3, Median(direct) * 1e3, Median(ratios));
    if (fontPerLanguage)
        std::printf("  SetWindowTextW + WM_SETFONT loop %7.2f ms  ratio %.2f\n", Median(withFont) * 1e3,
                    Median(fairRatios));
    // Wine answers 0 for every process, which proves nothing.
    if (gdiBefore || gdiAfter)
        std::printf("  GDI objects before %d, after %d more switches %d\n", gdiBefore, kBatches * kSwitches + 100,
                    gdiAfter);
    else
        std::printf("  GDI object count not available here\n");
}

}  // namespace

int main() {
    Setup setup;
    CWndResourcePool pool;
    pool.InitialResourcePool(setup.host.GetSafeHwnd(), &setup.manager, 1);
    std::printf("%d direct child controls, median of %d alternating batches of %d switches\n", kControls, kBatches, kSwitches);

    setup.manager.SetEnableFont(1);
    setup.SetFonts(Font(L"Tahoma"), Font(L"Tahoma"));
    Compare(setup, pool, "font switching on, one font for both:");

    setup.manager.SetEnableFont(0);
    Compare(setup, pool, "font switching off:");

    setup.manager.SetEnableFont(1);
    setup.SetFonts(Font(L"Tahoma"), Font(L"Arial"));
    Compare(setup, pool, "font switching on, a font per language:");
    return 0;
}
