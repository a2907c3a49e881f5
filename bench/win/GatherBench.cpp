// Gathering words from a folder of 200 modules holding 100,000 resource
// texts in all: the enumeration and the merge timed apart, then the whole
// gathering through the editor's system word page, with the longest time
// the user-interface thread went without handling a timer message while the
// gathering ran (a 1 ms thread timer; its messages come only when the
// thread is idle, so a long gap is a long block).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ModalAnswerer.h"
#include "ModalDriver.h"
#include "editor/QorDictManager.h"
#include "host/QorUtility.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"
#include "pages/WordGathering.h"
#include "pages/WordPageRules.h"
#include "resources/Resource.h"

namespace {

constexpr int kModules = 200;
const DWORD kLanguages[] = {0x0409, 0x0407, 0x040C};

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\'));
}

// Copies of the template, each with its own module number in every text
// ("M000" becomes "M001", ...), so that every text is new to the dictionary.
bool WriteModules(const std::wstring& folder) {
    std::ifstream in(std::filesystem::path(ProgramFolder() + L"\\gather_template.dll"), std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.empty()) return false;
    const char marker[] = {'M', 0, '0', 0, '0', 0, '0', 0};
    CreateDirectoryW(folder.c_str(), nullptr);
    for (int module = 0; module < kModules; ++module) {
        std::vector<char> copy = bytes;
        char digits[4];
        std::snprintf(digits, sizeof digits, "%03d", module);
        for (auto at = copy.begin(); (at = std::search(at, copy.end(), marker, marker + 8)) != copy.end(); at += 8)
            for (int d = 0; d < 3; ++d) at[2 + 2 * d] = digits[d];
        wchar_t name[32];
        std::swprintf(name, 32, L"\\module%03d.dll", module);
        std::ofstream(std::filesystem::path(folder + name), std::ios::binary).write(copy.data(), std::streamsize(copy.size()));
    }
    return true;
}

void AddLanguages(CQorDictionaryManager& manager) {
    for (DWORD id : kLanguages) {
        auto* language = new CQorLanguageDict;
        language->SetLanguageID(id);
        language->SetEnable(1);
        manager.Add(language);
    }
    manager.SetSysDefaultLanguageLCID(kLanguages[0]);
}

long Words(CQorDictionaryManager& manager) { return long(manager.GetSysDictWord()->GetDictionaryList()->GetCount()); }

// Gaps between the ticks of a 1 ms thread timer, while measuring.
// The first tick after the report has opened ends the measurement: its gap
// holds the final save.
std::vector<double> g_gaps;
double g_lastTick = 0;
bool g_measuring = false;
const MessageBoxAnswerer* g_report = nullptr;
void CALLBACK GapTick(HWND, UINT, UINT_PTR, DWORD) {
    const double now = Now();
    if (g_measuring) g_gaps.push_back(now - g_lastTick);
    if (g_report && !g_report->boxes.empty()) g_measuring = false;
    g_lastTick = now;
}

}  // namespace

int wmain() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"qor-gather-bench-" + std::to_wstring(GetCurrentProcessId());
    if (!WriteModules(folder)) {
        std::fprintf(stderr, "gather_bench: gather_template.dll not found beside the program\n");
        return 1;
    }
    const CString path(folder.c_str());

    double start = Now();
    GatherMailbox mailbox(nullptr);
    ReadModulesIntoMailbox(path, 0x0804, nullptr, mailbox);
    const double enumeration = Now() - start;
    GatherMailbox::Delivery delivery = mailbox.Collect();
    std::size_t texts = 0;
    for (const GatherBatch& batch : delivery.batches) texts += batch.texts.size();

    CQorDictionaryManager merged;
    AddLanguages(merged);
    start = Now();
    GatherMerger merger(merged, DICTMODE_SYSTEM, LanguageColumnsOf(merged));
    merger.Accept(std::move(delivery));
    merger.MergeSlice(std::size_t(-1));
    const double merge = Now() - start;

    // The same through the editor, saving to a file at the end.
    CQorDictionaryManager dictionary;
    AddLanguages(dictionary);
    const CString file = path + L"\\bench.dict";
    dictionary.Save(file);
    CQorUtility::SetModulePath(path);
    CQorDictManager facade;
    facade.SetDictionaryManager(&dictionary);
    MessageBoxAnswerer answerer;
    g_report = &answerer;
    HWND editor = nullptr;
    HWND page = nullptr;
    double clicked = 0, reported = 0;
    const UINT_PTR gapTimer = SetTimer(nullptr, 0, 1, GapTick);
    // The timer's own rhythm on an idle thread, for comparison.
    g_measuring = true;
    g_lastTick = Now();
    for (const double until = Now() + 0.5; Now() < until;) {
        MSG message;
        if (GetMessageW(&message, nullptr, 0, 0)) DispatchMessageW(&message);
    }
    g_measuring = false;
    const double idleLongest = *std::max_element(g_gaps.begin(), g_gaps.end());
    const double idleMean = 0.5 / double(g_gaps.size());
    g_gaps.clear();
    {
        ModalDriver driver(
            {[&] {
                 editor = FindTopLevelWithControl(IDC_DICT_TREE);
                 if (!editor) return false;
                 ShowEditorCard(editor, 1);
                 page = GetParent(FindDescendant(editor, IDC_FUNCTION_DIAGRAM));
                 return page != nullptr;
             },
             [&] {
                 clicked = Now();
                 g_lastTick = clicked;
                 g_measuring = true;
                 PostMessageW(GetDlgItem(page, IDC_UPDATE_DICTIONARY), BM_CLICK, 0, 0);
                 return true;
             },
             [&] {
                 if (answerer.boxes.empty()) return false;
                 reported = Now();
                 PostMessageW(GetDlgItem(editor, IDCANCEL), BM_CLICK, 0, 0);
                 return true;
             }},
            600000);
        int modified = 0;
        facade.ShowDictionaryDialog(modified, 1);
    }
    KillTimer(nullptr, gapTimer);
    // The last gap holds the final save and the opening of the report.
    const double lastGap = g_gaps.empty() ? 0 : g_gaps.back();
    const double longest = g_gaps.size() < 2 ? 0 : *std::max_element(g_gaps.begin(), g_gaps.end() - 1);
    start = Now();
    dictionary.Save(file);
    const double save = Now() - start;

    std::printf("modules %d, texts %zu, words added %d (editor: %ld)\n", kModules, texts,
                merger.GetCounts().wordsAdded, Words(dictionary));
    std::printf("enumeration (one thread)          %8.1f ms\n", enumeration * 1e3);
    std::printf("merge into 3 languages            %8.1f ms\n", merge * 1e3);
    std::printf("editor: click to report           %8.1f ms\n", (reported - clicked) * 1e3);
    std::printf("editor: longest UI gap while merging %5.1f ms (%zu timer ticks; idle: longest %.1f, mean %.1f ms)\n",
                longest * 1e3, g_gaps.size(), idleLongest * 1e3, idleMean * 1e3);
    std::printf("editor: last gap (save and report)  %6.1f ms; a save alone %.1f ms\n", lastGap * 1e3, save * 1e3);

    for (int module = 0; module < kModules; ++module) {
        wchar_t name[32];
        std::swprintf(name, 32, L"\\module%03d.dll", module);
        DeleteFileW((folder + name).c_str());
    }
    DeleteFileW(file);
    RemoveDirectoryW(folder.c_str());
    return 0;
}
