// Load and Save of a dictionary of 10 languages x 100,000 words against one
// plain read and one plain write of the same bytes.
//
// Load builds about four times the file's size in small heap objects, so what
// it costs depends much on whether that memory is fresh from the system (each
// new page is a fault, which is slow on virtual machines) or recycled by the
// allocator. Both cases are measured, each against a plain read in the same
// condition: "warm" reads into a buffer used before and loads into memory the
// previous manager freed; "fresh" reads into a new buffer and loads after the
// allocator has given all free memory back (malloc_trim). "Reload" loads into
// a manager that holds the dictionary already, so it frees that one first.

#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <malloc.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "BenchFolder.h"
#include "BenchSummary.h"
#include "Vocabulary.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"

namespace {

constexpr std::size_t kWords = 100000;
constexpr DWORD kLanguages[10] = {2052, 1028, 1031, 1036, 1040, 1041, 1042, 1049, 3082, 1046};

[[noreturn]] void Fail(const std::string& why) {
    std::fprintf(stderr, "file benchmark: %s\n", why.c_str());
    std::exit(1);
}

// Reads the file into the buffer with plain read calls; returns its size.
std::size_t ReadWhole(const std::string& path, char* buffer, std::size_t capacity) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) Fail("cannot open " + path);
    std::size_t total = 0;
    for (;;) {
        ssize_t got = ::read(fd, buffer + total, capacity - total);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) Fail("cannot read " + path);
        if (got == 0) break;
        total += std::size_t(got);
        if (total == capacity) Fail(path + " is larger than expected");
    }
    ::close(fd);
    return total;
}

void WriteWhole(const std::string& path, const char* data, std::size_t size) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) Fail("cannot create " + path);
    while (size > 0) {
        ssize_t put = ::write(fd, data, size);
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) Fail("cannot write " + path);
        data += put;
        size -= std::size_t(put);
    }
    if (::close(fd) != 0) Fail("cannot close " + path);
}

struct FileData {
    BenchFolder folder;
    CQorDictionaryManager manager;
    std::vector<char> bytes;  // the saved dictionary
    std::size_t size = 0;

    FileData() {
        Vocabulary words = MakeVocabulary(kWords, 0, 20240518);
        std::uint64_t state = 99;
        for (DWORD id : kLanguages) {
            auto* language = new CQorLanguageDict;
            language->SetLanguageID(id);
            language->SetEnable(1);
            for (const CString& original : words.originals) {
                auto* entry = new CQorDictWordElement;
                entry->SetOriginalCharacter(original);
                entry->SetDisplayCharacter(RandomText(state));
                if (!language->AddWord(DICTMODE_SYSTEM, entry)) Fail("a generated word was refused");
            }
            if (!manager.Add(language)) Fail("cannot add a language");
        }
        for (const CString& original : words.originals) {
            auto* entry = new CQorDictWordElement;
            entry->SetOriginalCharacter(original);
            if (!manager.GetSysDictWord()->AddWord(entry)) Fail("a generated word was refused");
        }
        if (!manager.Save(folder.PathString("dictionary"))) Fail(manager.GetLastFileError().ToUtf8());
        struct stat info;
        if (::stat(folder.Path("dictionary").c_str(), &info) != 0) Fail("cannot find the saved dictionary");
        bytes.resize(std::size_t(info.st_size) + 1);  // one byte more: the read that sees the end
        size = ReadWhole(folder.Path("dictionary"), bytes.data(), bytes.size());
        std::printf("dictionary file: %zu bytes, 10 languages x %zu words, in %s\n", size, kWords, folder.Path().c_str());
    }
};

FileData& Data() {
    static FileData data;
    return data;
}

void Load(benchmark::State& state, bool freshMemory) {
    FileData& d = Data();
    CString path = d.folder.PathString("dictionary");
    if (freshMemory) {
        malloc_trim(0);
    } else {
        // Leave a freed dictionary's worth of memory with the allocator.
        CQorDictionaryManager previous;
        if (!previous.Load(path)) Fail("Load failed");
    }
    for (auto _ : state) {
        // The host loads into a new manager; making and freeing one is not Load's work.
        state.PauseTiming();
        auto manager = std::make_unique<CQorDictionaryManager>();
        state.ResumeTiming();
        if (!manager->Load(path)) state.SkipWithError("Load failed");
        state.PauseTiming();
        manager.reset();
        if (freshMemory) malloc_trim(0);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(d.size));
}

// What a host that reloads its dictionary waits for: the manager frees the
// dictionary it holds, then loads the file again.
void Reload(benchmark::State& state) {
    FileData& d = Data();
    CString path = d.folder.PathString("dictionary");
    CQorDictionaryManager manager;
    if (!manager.Load(path)) Fail("Load failed");
    for (auto _ : state)
        if (!manager.Load(path)) state.SkipWithError("Load failed");
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(d.size));
}

void RawRead(benchmark::State& state, bool freshMemory) {
    FileData& d = Data();
    std::string path = d.folder.Path("dictionary");
    std::vector<char> warm(d.size + 1);
    for (auto _ : state) {
        // A new buffer of this size is fresh pages from the system, not yet touched.
        std::unique_ptr<char[]> fresh(freshMemory ? new char[d.size + 1] : nullptr);
        char* buffer = freshMemory ? fresh.get() : warm.data();
        if (ReadWhole(path, buffer, d.size + 1) != d.size) state.SkipWithError("short read");
        benchmark::DoNotOptimize(buffer);
        state.PauseTiming();
        fresh.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(d.size));
}

void Save(benchmark::State& state) {
    FileData& d = Data();
    CString path = d.folder.PathString("saved");
    for (auto _ : state)
        if (!d.manager.Save(path)) state.SkipWithError("Save failed");
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(d.size));
}

void RawWrite(benchmark::State& state) {
    FileData& d = Data();
    std::string path = d.folder.Path("written");
    for (auto _ : state) WriteWhole(path, d.bytes.data(), d.size);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(d.size));
}

}  // namespace

BENCHMARK_CAPTURE(Load, warm, false)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK_CAPTURE(RawRead, warm, false)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(Reload)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK_CAPTURE(Load, fresh, true)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK_CAPTURE(RawRead, fresh, true)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(Save)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(RawWrite)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

QOR_BENCH_COMPARE("Load / plain read, warm memory", "Load/warm", "RawRead/warm", 10);
QOR_BENCH_COMPARE("Reload / plain read, warm memory", "Reload", "RawRead/warm", 10);
QOR_BENCH_COMPARE("Load / plain read, fresh memory", "Load/fresh", "RawRead/fresh", 10);
QOR_BENCH_COMPARE("Save / plain write", "Save", "RawWrite", 10);
