// The manager's display-string look-up against GNU gettext's dgettext on the
// same 100,000 translated texts, for texts it knows (hits) and texts it does
// not (misses). Both get the same keys in the same random order, converted
// before timing: CStrings for the manager, UTF-8 for gettext.

#include <benchmark/benchmark.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <libintl.h>
#include <string>
#include <vector>

#include "BenchFolder.h"
#include "BenchSummary.h"
#include "Vocabulary.h"
#include "model/QorDictionaryManager.h"

namespace {

constexpr std::size_t kWords = 100000;
constexpr const char* kDomain = "qorbench";
constexpr const char* kLanguage = "zh_CN";
constexpr DWORD kChinese = 2052;

[[noreturn]] void Fail(const std::string& why) {
    std::fprintf(stderr, "lookup benchmark: %s\n", why.c_str());
    std::exit(1);
}

std::string PoQuoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

struct LookupData {
    BenchFolder folder;
    CQorDictionaryManager manager;
    std::vector<CString> hits, misses;                // manager keys, in timing order
    std::vector<std::string> hitsUtf8, missesUtf8;    // the same keys for gettext
    std::vector<std::string> expectedUtf8;            // translation of hitsUtf8[i]
    std::vector<CString> expected;                    // translation of hits[i]

    LookupData() {
        Vocabulary words = MakeVocabulary(kWords, kWords, 20240517);
        if (!AddVocabularyLanguage(manager, words, kChinese)) Fail("cannot build the dictionary");

        for (std::size_t i : RandomOrder(kWords, 7)) {
            hits.push_back(words.originals[i]);
            expected.push_back(words.displays[i]);
        }
        misses = words.strangers;
        for (const CString& key : hits) hitsUtf8.push_back(key.ToUtf8());
        for (const CString& key : misses) missesUtf8.push_back(key.ToUtf8());
        for (const CString& text : expected) expectedUtf8.push_back(text.ToUtf8());

        CompileCatalog(words);
        Verify();
        std::printf("gettext catalog of %zu words in %s: translations verified\n", kWords, folder.Path().c_str());
    }

    void CompileCatalog(const Vocabulary& words) {
        std::string po = folder.Path("qorbench.po");
        {
            std::ofstream out(po, std::ios::binary);
            out << "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n";
            for (std::size_t i = 0; i < kWords; ++i)
                out << "msgid " << PoQuoted(words.originals[i].ToUtf8()) << "\nmsgstr "
                    << PoQuoted(words.displays[i].ToUtf8()) << "\n\n";
            if (!out) Fail("cannot write " + po);
        }
        std::string messages = folder.Path("locale/") + kLanguage + "/LC_MESSAGES";
        std::filesystem::create_directories(messages);
        std::string command = "msgfmt -o '" + messages + "/" + kDomain + ".mo' '" + po + "'";
        if (std::system(command.c_str()) != 0) Fail("msgfmt failed: " + command);

        // gettext ignores LANGUAGE only in the plain C locale, so a UTF-8
        // locale is needed; C.UTF-8 exists on every current glibc.
        ::setenv("LANGUAGE", kLanguage, 1);
        const char* locale = nullptr;
        for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"})
            if ((locale = std::setlocale(LC_ALL, name))) break;
        if (!locale) Fail("no UTF-8 locale available");
        if (!bindtextdomain(kDomain, folder.Path("locale").c_str())) Fail("bindtextdomain failed");
        bind_textdomain_codeset(kDomain, "UTF-8");
    }

    // Both sides must really translate, or the comparison means nothing.
    void Verify() const {
        for (std::size_t i = 0; i < 1000; ++i) {
            const char* shown = dgettext(kDomain, hitsUtf8[i].c_str());
            if (std::strcmp(shown, expectedUtf8[i].c_str()) != 0)
                Fail("dgettext does not translate \"" + hitsUtf8[i] + "\" (got \"" + shown + "\")");
            if (dgettext(kDomain, missesUtf8[i].c_str()) != missesUtf8[i].c_str())
                Fail("dgettext translates the unknown \"" + missesUtf8[i] + "\"");
            if (manager.GetDisplayCharacter(DICTMODE_SYSTEM, hits[i]) != expected[i])
                Fail("the manager does not translate \"" + hitsUtf8[i] + "\"");
            if (manager.GetDisplayCharacter(DICTMODE_SYSTEM, misses[i]) != misses[i])
                Fail("the manager translates the unknown \"" + missesUtf8[i] + "\"");
        }
    }
};

const LookupData& Data() {
    static LookupData data;
    return data;
}

void ManagerLookup(benchmark::State& state, bool hit) {
    const LookupData& d = Data();
    const std::vector<CString>& keys = hit ? d.hits : d.misses;
    std::size_t i = 0;
    for (auto _ : state) {
        CString shown = d.manager.GetDisplayCharacter(DICTMODE_SYSTEM, keys[i]);
        benchmark::DoNotOptimize(shown);
        if (++i == keys.size()) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}

void GettextLookup(benchmark::State& state, bool hit) {
    const LookupData& d = Data();
    const std::vector<std::string>& keys = hit ? d.hitsUtf8 : d.missesUtf8;
    std::size_t i = 0;
    for (auto _ : state) {
        const char* shown = dgettext(kDomain, keys[i].c_str());
        benchmark::DoNotOptimize(shown);
        if (++i == keys.size()) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK_CAPTURE(ManagerLookup, hit, true);
BENCHMARK_CAPTURE(GettextLookup, hit, true);
BENCHMARK_CAPTURE(ManagerLookup, miss, false);
BENCHMARK_CAPTURE(GettextLookup, miss, false);

QOR_BENCH_COMPARE("look-up hit: manager / gettext", "ManagerLookup/hit", "GettextLookup/hit", 0.5);
QOR_BENCH_COMPARE("look-up miss: manager / gettext", "ManagerLookup/miss", "GettextLookup/miss", 0.5);
