#include "pages/win/WordSheetExchange.h"

#include "pages/win/BusyControls.h"

#include <commdlg.h>

#include <memory>

#include "base/Exceptions.h"
#include "editor/MessageText.h"
#include "host/PlanTaskWndExPort.h"
#include "model/QorDictionaryManager.h"
#include "model/QorLanguageDict.h"
#include "resources/DictionaryApp.h"
#include "resources/Resource.h"
#include "sheets/SheetProgress.h"
#include "sheets/WordSheetExporter.h"
#include "sheets/WordSheetImporter.h"
#include "sheets/WorkbookFile.h"
#include "translate/TextHelpers.h"

namespace {

// The folder of the last file chosen, for the rest of the session.
CString& LastFolder() {
    static CString folder;
    return folder;
}

CString Text(CQorDictionaryManager* manager, UINT id) {
    return LoadDictString(manager, QorGetModuleResourceHandle(), id);
}

// The platform's file dialog; empty when the user cancelled.
CString AskForFile(HWND owner, bool save) {
    static const wchar_t filter[] = L"Excel workbook (*.xlsx)\0*.xlsx\0CSV, UTF-8 (*.csv)\0*.csv\0";
    wchar_t path[MAX_PATH * 4] = {};
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = path;
    dialog.nMaxFile = DWORD(sizeof path / sizeof path[0]);
    dialog.lpstrDefExt = L"xlsx";
    const CString folder = LastFolder();
    if (!folder.IsEmpty()) dialog.lpstrInitialDir = folder;
    dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!(save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) return CString();
    CString chosen(path);
    int slash = chosen.GetLength() - 1;
    while (slash > 0 && chosen[slash] != L'\\') --slash;
    if (slash > 0) LastFolder() = chosen.Left(slash);
    return chosen;
}

// The progress window as the sheet code sees it. Each step pumps the
// thread's messages, so the application keeps painting and the stop button
// is heard.
class ProgressWindow : public ISheetProgress {
public:
    ProgressWindow(CQorDictionaryManager* manager, HWND owner, UINT startText, UINT sheetText)
        : m_manager(manager), m_sheetText(sheetText) {
        CWnd ownerWnd;
        ownerWnd.Attach(owner);
        m_window.Init(owner ? &ownerWnd : nullptr);
        ownerWnd.Detach();
        CPlanTaskPara para;
        para.text = Text(manager, startText);
        m_window.SetPara(para);
        m_window.ShowWindow(TRUE);
        Pump();
    }
    ~ProgressWindow() override { m_window.ShowWindow(FALSE); }

    void BeginSheet(const CString& sheetName, long steps) override {
        m_window.SetMessage1(InsertIntoMessage(Text(m_manager, m_sheetText), sheetName));
        m_window.SetRange32(0, int(steps));
        Pump();
    }
    void StepIt() override {
        m_window.StepIt();
        Pump();
    }
    bool IsBreaked() override { return m_quit || m_window.IsBreaked() != 0; }

private:
    void Pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // The program is closing: stop the work, and let the outer
                // loop see the request too.
                PostQuitMessage(int(message.wParam));
                m_quit = true;
                return;
            }
            if (CWnd::WalkPreTranslateTree(m_window.GetSafeHwnd(), &message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    CQorDictionaryManager* m_manager;
    UINT m_sheetText;
    CPlanTaskWndExPort m_window;
    bool m_quit = false;
};

void Tell(HWND owner, CQorDictionaryManager* manager, const CString& text, UINT caption) {
    MessageBoxW(owner, text, Text(manager, caption), MB_OK | MB_ICONEXCLAMATION);
}

CString FailureText(const CString& path, const CString& reason) {
    CString text = path;
    text += L"\r\n\r\n";
    text += reason;
    return text;
}

std::vector<CQorLanguageDict*> Languages(const WordSheetExchange& exchange) {
    std::vector<CQorLanguageDict*> languages;
    for (DWORD id : exchange.languageColumns)
        if (CQorLanguageDict* language = exchange.manager->Find(id)) languages.push_back(language);
    return languages;
}

}  // namespace

bool ExportWordSheet(const WordSheetExchange& exchange) {
    if (!exchange.manager) return false;
    const CString path = AskForFile(exchange.owner, true);
    if (path.IsEmpty()) return false;
    BusyControls busy(exchange.busyControls);
    const std::vector<CQorLanguageDict*> languages = Languages(exchange);
    CWordSheetExporter exporter(exchange.manager, exchange.mode, languages);
    std::vector<CString> headings;
    for (CQorLanguageDict* language : languages) headings.push_back(GetLCIDNativeName(language->GetLanguageID()));
    exporter.SetLanguageHeadings(headings);

    CWordSheetExporter::Result result;
    CString error;
    bool written = false;
    {
        ProgressWindow progress(exchange.manager, exchange.owner, IDS_EXPORTING, IDS_EXPORTING_ITEM);
        std::unique_ptr<ISheetWriter> writer = QorCreateSheetWriter(path);
        written = exporter.Export(*writer, path, &progress, result, error);
    }
    if (!written)
        Tell(exchange.owner, exchange.manager, FailureText(path, error), IDS_ERROR);
    else
        Tell(exchange.owner, exchange.manager, Text(exchange.manager, result.stopped ? IDS_EXPORT_STOPPED : IDS_EXPORT_DONE),
             IDS_INFORMATION);
    return written;
}

bool ImportWordSheet(const WordSheetExchange& exchange) {
    if (!exchange.manager) return false;
    const CString path = AskForFile(exchange.owner, false);
    if (path.IsEmpty()) return false;
    BusyControls busy(exchange.busyControls);
    CWorkbookData workbook;
    CString error;
    if (!QorReadWorkbookFile(path, workbook, error)) {
        Tell(exchange.owner, exchange.manager, FailureText(path, error), IDS_ERROR);
        return false;
    }
    CWordSheetImporter importer(exchange.manager, exchange.mode, Languages(exchange));
    std::vector<CSheetImportReport> reports;
    {
        ProgressWindow progress(exchange.manager, exchange.owner, IDS_IMPORTING, IDS_IMPORTING_ITEM);
        reports = importer.ImportWorkbook(workbook, &progress);
    }
    bool changed = false, stopped = false;
    CString saveError;
    for (const CSheetImportReport& report : reports) {
        changed = changed || report.Changed();
        stopped = stopped || report.stopped;
        if (!report.saveError.IsEmpty()) saveError = report.saveError;
    }
    if (!saveError.IsEmpty())
        Tell(exchange.owner, exchange.manager, FailureText(exchange.manager->GetFile(), saveError), IDS_ERROR);
    Tell(exchange.owner, exchange.manager, Text(exchange.manager, stopped ? IDS_IMPORT_STOPPED : IDS_IMPORT_DONE),
         IDS_INFORMATION);
    return changed;
}
