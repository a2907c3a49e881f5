// Load and Save of a dictionary of 10 languages x 100,000 words against one
// plain read and one plain write of the same bytes.

#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
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

std::size_t ReadWhole(const std::string& path, std::vector<char>& buffer) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) Fail("cannot open " + path);
    std::size_t total = 0;
    for (;;) {
        if (total == buffer.size()) buffer.resize(buffer.size() * 2 + 4096);
        ssize_t got = ::read(fd, buffer.data() + total, buffer.size() - total);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) Fail("cannot read " + path);
        if (got == 0) break;
        total += std::size_t(got);
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
        size = ReadWhole(folder.Path("dictionary"), bytes);
        benchmark::AddCustomContext("dictionary file", std::to_string(size) + " bytes in " + folder.Path());
    }
};

FileData& Data() {
    static FileData data;
    return data;
}

void Load(benchmark::State& state) {
    FileData& d = Data();
    CString path = d.folder.PathString("dictionary");
    for (auto _ : state) {
        // The host loads into a new manager; making and freeing one is not Load's work.
        state.PauseTiming();
        auto manager = std::make_unique<CQorDictionaryManager>();
        state.ResumeTiming();
        if (!manager->Load(path)) state.SkipWithError("Load failed");
        state.PauseTiming();
        manager.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(d.size));
}

void RawRead(benchmark::State& state) {
    FileData& d = Data();
    std::string path = d.folder.Path("dictionary");
    std::vector<char> buffer(d.size + 1);  // one byte more: the read that sees the end
    for (auto _ : state) {
        std::size_t got = ReadWhole(path, buffer);
        if (got != d.size) state.SkipWithError("short read");
        benchmark::DoNotOptimize(buffer.data());
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

BENCHMARK(Load)->Name("DictionaryFile/load")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(RawRead)->Name("DictionaryFile/raw_read")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Save)->Name("DictionaryFile/save")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(RawWrite)->Name("DictionaryFile/raw_write")->Unit(benchmark::kMillisecond)->UseRealTime();

QOR_BENCH_COMPARE("load: Load / plain read", "DictionaryFile/load", "DictionaryFile/raw_read", 10);
QOR_BENCH_COMPARE("save: Save / plain write", "DictionaryFile/save", "DictionaryFile/raw_write", 10);
