// Filling a word list with 65,536 keys that all share one value of the index's
// former hash, against as many random keys of the same shape. With an
// unkeyed hash the first costs quadratic time; the two must now be alike.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "BenchSummary.h"
#include "OldHashCollisions.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryWord.h"

namespace {

constexpr int kPositions = 16;  // 65,536 keys

struct Keys {
    std::vector<CString> colliding, random;

    Keys() {
        const CString prefix = CString::FromUtf8("menu item ");
        OldHashCollisions collisions(prefix, kPositions);
        std::mt19937 generator(20240517);
        for (std::size_t k = 0; k < collisions.Count(); ++k) {
            colliding.push_back(collisions.Key(k));
            CString key = prefix;
            for (int i = 0; i < 3 * kPositions; ++i) key += WCHAR(0x4E00 + generator() % 1024);
            random.push_back(key);
        }
        // The comparison means nothing unless the attack set really collides.
        for (const CString& key : colliding)
            if (OldWordIndexHash(key) != OldWordIndexHash(colliding[0])) {
                std::fprintf(stderr, "index flood benchmark: the derived keys do not collide\n");
                std::exit(1);
            }
        std::printf("%zu keys sharing the former hash 0x%08X, %zu random keys\n", colliding.size(),
                    unsigned(OldWordIndexHash(colliding[0])), random.size());
    }
};

const Keys& Data() {
    static Keys keys;
    return keys;
}

void IndexFill(benchmark::State& state, bool colliding) {
    const std::vector<CString>& keys = colliding ? Data().colliding : Data().random;
    for (auto _ : state) {
        CQorDictionaryWord list;
        for (const CString& key : keys) {
            auto* entry = new CQorDictWordElement;
            entry->SetOriginalCharacter(key);
            if (!list.AddWord(entry)) {
                delete entry;  // random keys may repeat; colliding ones never do
            }
        }
        benchmark::DoNotOptimize(list.FindWord(keys.back()));
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(keys.size()));
}

}  // namespace

BENCHMARK_CAPTURE(IndexFill, colliding, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(IndexFill, random, false)->Unit(benchmark::kMillisecond);

QOR_BENCH_COMPARE("index fill: colliding / random keys", "IndexFill/colliding", "IndexFill/random", 1.5);
