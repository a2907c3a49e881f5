// What the miss recorder costs a look-up, on 100,000 translated texts, for
// texts the dictionary knows (hits) and texts it does not (misses).
//
// Off, against two baselines without the hook: the language's own look-up,
// which the manager's GetDisplayCharacterIn wraps (the pools' path), and a
// copy of the manager's GetDisplayCharacter as it was before the hook,
// written here with the public getters (so it pays one call for IsEnable
// that the original, reading the member, did not). On, against off; the
// misses are recorded before timing, so the timed ones are repeats: all
// 100,000 (a table far larger than the cache) or the first 1,000.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchSummary.h"
#include "Vocabulary.h"
#include "model/QorDictionaryManager.h"
#include "model/QorLanguageDict.h"

namespace {

constexpr std::size_t kWords = 100000;
constexpr DWORD kChinese = 2052;

[[noreturn]] void Fail(const std::string& why) {
    std::fprintf(stderr, "miss recorder benchmark: %s\n", why.c_str());
    std::exit(1);
}

CString ManagerBeforeTheHook(const CQorDictionaryManager& manager, DICTMODE mode, const CString& text) {
    if (!manager.IsEnable()) return text;
    const CQorLanguageDict* language = manager.GetModeLanguage(mode);
    return language ? language->GetDisplayCharacter(mode, text) : text;
}

struct Dictionaries {
    CQorDictionaryManager off, on;  // the same words; the recorder of `on` is on
    std::vector<CString> hits, misses;
    std::vector<CString> fewHits, fewMisses;  // a host's worth, 1,000 each, held in the cache

    Dictionaries() {
        Vocabulary words = MakeVocabulary(kWords, kWords, 20240517);
        for (CQorDictionaryManager* manager : {&off, &on})
            if (!AddVocabularyLanguage(*manager, words, kChinese)) Fail("cannot build the dictionary");
        for (std::size_t i : RandomOrder(kWords, 7)) hits.push_back(words.originals[i]);
        misses = words.strangers;
        fewHits.assign(hits.begin(), hits.begin() + 1000);
        fewMisses.assign(misses.begin(), misses.begin() + 1000);

        on.EnableMissRecorder(true, kWords);
        for (const CString& text : misses)
            if (on.GetDisplayCharacter(DICTMODE_SYSTEM, text) != text) Fail("a stranger was translated");
        for (const CString& text : hits)
            if (on.GetDisplayCharacter(DICTMODE_SYSTEM, text) == text) Fail("a word was not translated");
        if (on.GetMisses().size() != misses.size() || !off.GetMisses().empty())
            Fail("the recorder did not record exactly the misses");
        std::printf("%zu words, %zu misses recorded before timing\n", kWords, on.GetMisses().size());
    }
};

const Dictionaries& Data() {
    static Dictionaries data;
    return data;
}

enum class Path { language, poolPathOff, managerBefore, managerOff, managerOn };
enum class Keys { hits, misses, fewHits, fewMisses };

void LookUp(benchmark::State& state, Path path, Keys which) {
    const Dictionaries& d = Data();
    const std::vector<CString>& keys = which == Keys::hits       ? d.hits
                                       : which == Keys::misses   ? d.misses
                                       : which == Keys::fewHits  ? d.fewHits
                                                                 : d.fewMisses;
    const CQorDictionaryManager& manager = path == Path::managerOn ? d.on : d.off;
    const CQorLanguageDict& language = *manager.GetModeLanguage(DICTMODE_SYSTEM);
    std::size_t i = 0;
    for (auto _ : state) {
        CString shown;
        switch (path) {
        case Path::language:
            shown = language.GetDisplayCharacter(DICTMODE_SYSTEM, keys[i]);
            break;
        case Path::poolPathOff:
            shown = manager.GetDisplayCharacterIn(language, DICTMODE_SYSTEM, keys[i]);
            break;
        case Path::managerBefore:
            shown = ManagerBeforeTheHook(manager, DICTMODE_SYSTEM, keys[i]);
            break;
        case Path::managerOff:
        case Path::managerOn:
            shown = manager.GetDisplayCharacter(DICTMODE_SYSTEM, keys[i]);
            break;
        }
        benchmark::DoNotOptimize(shown);
        if (++i == keys.size()) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK_CAPTURE(LookUp, language_hit, Path::language, Keys::hits);
BENCHMARK_CAPTURE(LookUp, pool_path_off_hit, Path::poolPathOff, Keys::hits);
BENCHMARK_CAPTURE(LookUp, manager_before_hit, Path::managerBefore, Keys::hits);
BENCHMARK_CAPTURE(LookUp, manager_off_hit, Path::managerOff, Keys::hits);
BENCHMARK_CAPTURE(LookUp, manager_on_hit, Path::managerOn, Keys::hits);
BENCHMARK_CAPTURE(LookUp, language_miss, Path::language, Keys::misses);
BENCHMARK_CAPTURE(LookUp, pool_path_off_miss, Path::poolPathOff, Keys::misses);
BENCHMARK_CAPTURE(LookUp, manager_before_miss, Path::managerBefore, Keys::misses);
BENCHMARK_CAPTURE(LookUp, manager_off_miss, Path::managerOff, Keys::misses);
BENCHMARK_CAPTURE(LookUp, manager_on_miss, Path::managerOn, Keys::misses);
BENCHMARK_CAPTURE(LookUp, language_few_hits, Path::language, Keys::fewHits);
BENCHMARK_CAPTURE(LookUp, pool_path_off_few_hits, Path::poolPathOff, Keys::fewHits);
BENCHMARK_CAPTURE(LookUp, manager_before_few_hits, Path::managerBefore, Keys::fewHits);
BENCHMARK_CAPTURE(LookUp, manager_off_few_hits, Path::managerOff, Keys::fewHits);
BENCHMARK_CAPTURE(LookUp, manager_on_few_hits, Path::managerOn, Keys::fewHits);
BENCHMARK_CAPTURE(LookUp, manager_off_few_misses, Path::managerOff, Keys::fewMisses);
BENCHMARK_CAPTURE(LookUp, manager_on_few_misses, Path::managerOn, Keys::fewMisses);

QOR_BENCH_COMPARE("hit, off: pool path / language", "LookUp/pool_path_off_hit", "LookUp/language_hit", 1.02);
QOR_BENCH_COMPARE("miss, off: pool path / language", "LookUp/pool_path_off_miss", "LookUp/language_miss", 1.02);
QOR_BENCH_COMPARE("hit, off: manager / before", "LookUp/manager_off_hit", "LookUp/manager_before_hit", 1.02);
QOR_BENCH_COMPARE("miss, off: manager / before", "LookUp/manager_off_miss", "LookUp/manager_before_miss", 1.02);
QOR_BENCH_COMPARE("1,000 hits, off: pool path / language", "LookUp/pool_path_off_few_hits", "LookUp/language_few_hits",
                  1.02);
QOR_BENCH_COMPARE("1,000 hits, off: manager / before", "LookUp/manager_off_few_hits", "LookUp/manager_before_few_hits",
                  1.02);
QOR_BENCH_COMPARE("hit: recorder on / off", "LookUp/manager_on_hit", "LookUp/manager_off_hit", 1.5);
QOR_BENCH_COMPARE("1,000 hits: recorder on / off", "LookUp/manager_on_few_hits", "LookUp/manager_off_few_hits", 1.5);
// Misses have no target; 1.5 is shown for comparison with hits.
QOR_BENCH_COMPARE("miss, recorded: recorder on / off", "LookUp/manager_on_miss", "LookUp/manager_off_miss", 1.5);
QOR_BENCH_COMPARE("1,000 misses: recorder on / off", "LookUp/manager_on_few_misses", "LookUp/manager_off_few_misses",
                  1.5);
