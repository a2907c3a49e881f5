// QorDemo: a small host program that shows the dictionary library at work.
//
//   QorDemo.exe [--dict FILE] [--screenshot FOLDER] [--misses FILE]
//
// It loads the sample dictionary (sample.dict beside the program unless
// --dict names another), opens its Chinese main window and lets the user pick
// the interface language from the "语言" (Language) menu; "工具" (Tools) >
// "字典..." (Dictionary...) opens the library's dictionary editor. With
// --screenshot it shows each enabled language in turn, writes main-<locale>.png
// and dialog-<locale>.png into FOLDER together with texts-<locale>.txt (every
// window, control, menu and tooltip text read back from the controls), checks
// that going back to the first language restores every text, then opens the
// editor in each language and writes editor-language-<locale>.png (the
// language dialog after choosing a font), editor-settings-<locale>.png,
// editor-system-<locale>.png, editor-find-<locale>.png and
// editor-project-<locale>.png, and exits. Every text it looked up without
// finding a translation is written on exit, one a line, to --misses FILE
// (default: misses.txt in the screenshot folder, else beside the program),
// ready for `qordict gather DICT --from-list FILE`.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "DemoResource.h"
#include "LanguageNames.h"
#include "EditorScreenshots.h"
#include "MainWindow.h"
#include "Screenshot.h"
#include "SettingsDialog.h"
#include "base/CString.h"
#include "checks/PseudoLanguage.h"
#include "framework/ModuleState.h"
#include "model/QorDictionaryManager.h"
#include "translate/TextHelpers.h"

namespace {

CString ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString folder(path, int(length));
    int slash = folder.GetLength() - 1;
    while (slash >= 0 && folder[slash] != L'\\') --slash;
    return folder.Left(slash);
}

// Lets the windows paint themselves before they are read: dispatches until
// no message has come for a quiet spell, or at most timeout milliseconds.
void PumpUntilQuiet(DWORD quiet, DWORD timeout) {
    const DWORD start = GetTickCount();
    MSG message;
    for (;;) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeout) return;
        const DWORD wait = quiet < timeout - elapsed ? quiet : timeout - elapsed;
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT) == WAIT_TIMEOUT) return;
    }
}

void AppendMenuTexts(HMENU menu, int depth, std::string& out) {
    for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
        wchar_t text[256] = {};
        GetMenuStringW(menu, UINT(i), text, 256, MF_BYPOSITION);
        if (text[0]) {
            CString line(text);
            line.Replace(L"\t", L"<TAB>");
            out += std::string(std::size_t(depth) * 2, ' ') + line.ToUtf8() + "\n";
        }
        if (HMENU sub = GetSubMenu(menu, i)) AppendMenuTexts(sub, depth + 1, out);
    }
}

std::string WindowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return CString(text).ToUtf8();
}

// The labels of a list view's columns, a tab control's tabs or a combo box's
// entries; nothing for other controls.
std::string ItemTexts(HWND control) {
    wchar_t className[64] = {};
    GetClassNameW(control, className, 64);
    std::string out;
    wchar_t text[260] = {};
    if (CString(className).CompareNoCase(WC_COMBOBOXW) == 0) {
        for (int i = 0, n = int(SendMessageW(control, CB_GETCOUNT, 0, 0)); i < n; ++i) {
            if (SendMessageW(control, CB_GETLBTEXTLEN, i, 0) < 260) {
                SendMessageW(control, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
                out += " [" + CString(text).ToUtf8() + "]";
            }
        }
    } else if (CString(className).CompareNoCase(WC_LISTVIEWW) == 0) {
        HWND header = reinterpret_cast<HWND>(SendMessageW(control, LVM_GETHEADER, 0, 0));
        for (int i = 0, n = int(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)); i < n; ++i) {
            HDITEMW item = {};
            item.mask = HDI_TEXT;
            item.pszText = text;
            item.cchTextMax = 260;
            SendMessageW(header, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
            out += " [" + CString(text).ToUtf8() + "]";
        }
    } else if (CString(className).CompareNoCase(WC_TABCONTROLW) == 0) {
        for (int i = 0, n = int(SendMessageW(control, TCM_GETITEMCOUNT, 0, 0)); i < n; ++i) {
            TCITEMW item = {};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = 260;
            SendMessageW(control, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
            out += " [" + CString(text).ToUtf8() + "]";
        }
    }
    return out;
}

void AppendWindowTexts(HWND window, std::string& out) {
    out += "  " + WindowText(window) + "\n";
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        out += "    " + WindowText(child) + ItemTexts(child) + "\n";
    }
}

// What a user reads: window and control texts, menu and tooltips.
std::string DescribeTexts(CMainWindow& main, HWND dialog) {
    std::string out = "main window:\n";
    AppendWindowTexts(main.GetSafeHwnd(), out);
    out += "menu:\n";
    AppendMenuTexts(main.GetMenu(), 1, out);
    out += "tooltips:\n";
    HWND toolBar = main.GetToolBar();
    HWND tips = reinterpret_cast<HWND>(SendMessageW(toolBar, TB_GETTOOLTIPS, 0, 0));
    for (int i = 0, n = int(SendMessageW(toolBar, TB_BUTTONCOUNT, 0, 0)); i < n; ++i) {
        TBBUTTON button = {};
        SendMessageW(toolBar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        if (!button.idCommand || !tips) continue;
        wchar_t text[256] = {};
        TTTOOLINFOW tool = {};
        tool.cbSize = sizeof tool;
        tool.hwnd = toolBar;
        tool.uId = UINT_PTR(button.idCommand);
        tool.lpszText = text;
        SendMessageW(tips, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
        out += "  " + CString(text).ToUtf8() + "\n";
    }
    out += "settings dialog:\n";
    AppendWindowTexts(dialog, out);
    return out;
}

bool WriteText(const CString& path, const std::string& text) {
    FILE* file = _wfopen(path, L"wb");
    if (!file) return false;
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

// The settings dialog stays open while the languages change, below the main
// window, so that both relabel together. original: the language the program
// starts in (the sample dictionary's default, whose word list is empty, so it
// shows the texts as written).
int TakeScreenshots(CMainWindow& main, const CString& folder, DWORD original) {
    CreateDirectoryW(folder, nullptr);
    CSettingsDialog* dialog = main.OpenSettingsModeless();
    if (!dialog) return 1;
    RECT frame;
    GetWindowRect(main.GetSafeHwnd(), &frame);
    SetWindowPos(dialog->GetSafeHwnd(), nullptr, frame.left, frame.bottom + 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

    std::string originalTexts;
    int failures = 0;
    for (DWORD lcid : main.GetLanguages()) {
        main.SetLanguage(lcid);
        PumpUntilQuiet(200, 2000);
        CString locale = LanguageLocale(lcid);
        bool written = SaveWindowPng(main.GetSafeHwnd(), folder + L"\\main-" + locale + L".png") &&
                       SaveWindowPng(dialog->GetSafeHwnd(), folder + L"\\dialog-" + locale + L".png");
        std::string texts = DescribeTexts(main, dialog->GetSafeHwnd());
        written = WriteText(folder + L"\\texts-" + locale + L".txt", texts) && written;
        if (!written) ++failures;
        if (lcid == original) originalTexts = texts;
        std::printf("%s: %s\n", locale.ToUtf8().c_str(), written ? "written" : "incomplete");
    }
    // Back to the start: every text must read as it did the first time.
    main.SetLanguage(original);
    bool restored = DescribeTexts(main, dialog->GetSafeHwnd()) == originalTexts;
    main.CloseSettings();
    std::printf("back to %s: %s\n", LanguageLocale(original).ToUtf8().c_str(),
                restored ? "every text restored" : "TEXTS DIFFER");
    std::fflush(stdout);

    // The editor translates itself once, on opening, into the system default
    // language: one session per language. A copy of the list, since an
    // editor session that ends with a change makes the menu's list again.
    const std::vector<DWORD> languages = main.GetLanguages();
    for (DWORD lcid : languages) {
        main.SetLanguage(lcid);
        PumpUntilQuiet(200, 2000);
        CString locale = LanguageLocale(lcid);
        CString problem = CaptureEditor(main, folder, lcid, locale);
        if (!problem.IsEmpty()) ++failures;
        std::printf("%s editor: %s\n", locale.ToUtf8().c_str(), problem.IsEmpty() ? "written" : problem.ToUtf8().c_str());
        std::fflush(stdout);
    }
    main.SetLanguage(original);
    return failures || !restored ? 1 : 0;
}

bool SaveMisses(CQorDictionaryManager& manager, const CString& path) {
    const bool saved = manager.SaveMisses(path) != 0;
    if (saved)
        std::printf("untranslated texts: %lu written to %s (%lu more not kept)\n",
                    static_cast<unsigned long>(manager.GetMisses().size()), path.ToUtf8().c_str(),
                    static_cast<unsigned long>(manager.GetDroppedMissCount()));
    else
        std::printf("untranslated texts not written: %s\n", manager.GetLastFileError().ToUtf8().c_str());
    std::fflush(stdout);
    return saved;
}

}  // namespace

extern "C" int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    CString dictPath = ProgramFolder() + L"\\sample.dict";
    CString screenshotFolder, missesPath;
    for (int i = 1; argv && i + 1 < argc; i += 2) {
        if (CString(argv[i]) == L"--dict") dictPath = argv[i + 1];
        if (CString(argv[i]) == L"--screenshot") screenshotFolder = argv[i + 1];
        if (CString(argv[i]) == L"--misses") missesPath = argv[i + 1];
    }
    if (missesPath.IsEmpty())
        missesPath = (screenshotFolder.IsEmpty() ? ProgramFolder() : screenshotFolder) + L"\\misses.txt";
    LocalFree(argv);

    // The library names itself as the resource module when it loads; the
    // program's own dialog templates are found only in the program.
    AfxGetModuleState()->m_hCurrentResourceHandle = instance;

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    CQorDictionaryManager manager;
    if (!manager.Load(dictPath)) {
        MessageBoxW(nullptr, manager.GetLastFileError(), L"QorDemo", MB_OK | MB_ICONERROR);
        return 1;
    }
    manager.EnableMissRecorder(true);
    // Screenshots show the pseudo-language too, which tells at a glance
    // which texts are not looked up and which are cut off; it lives only in
    // this session.
    if (!screenshotFolder.IsEmpty()) QorMakePseudoLanguage(manager, LCID_PSEUDO, 30);
    const DWORD startLanguage = manager.GetSysDefaultLanguageLCID();
    CMainWindow main(&manager);
    if (!main.Create(showCommand)) return 1;
    if (!screenshotFolder.IsEmpty()) {
        const int status = TakeScreenshots(main, screenshotFolder, startLanguage);
        return SaveMisses(manager, missesPath) ? status : 1;
    }

    HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorW(main.GetSafeHwnd(), accelerators, &message)) continue;
        if (!IsDialogMessageW(main.GetSafeHwnd(), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return SaveMisses(manager, missesPath) ? 0 : 1;
}
