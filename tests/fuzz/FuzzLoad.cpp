// libFuzzer target: any bytes given to Load must neither crash, hang nor leak,
// and whatever Load accepts must survive a Save and a second Load unchanged:
// saving the reloaded dictionary gives exactly the bytes of the first save.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "model/QorDictionaryManager.h"

namespace {

// A private folder in memory-backed storage for the files of one run.
class FuzzFolder {
public:
    FuzzFolder() {
        const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
        std::string pattern = std::string(base) + "/qor-fuzz-load-XXXXXX";
        if (!mkdtemp(&pattern[0])) std::abort();
        m_dir = pattern;
    }
    ~FuzzFolder() {
        for (const char* name : kNames) unlink((m_dir + "/" + name).c_str());
        rmdir(m_dir.c_str());
    }
    std::string Path(const char* name) const { return m_dir + "/" + name; }

private:
    static constexpr const char* kNames[] = {"input", "first", "second"};
    std::string m_dir;
};

const FuzzFolder& Folder() {
    static FuzzFolder folder;
    return folder;
}

bool WriteAll(const std::string& path, const uint8_t* data, size_t size) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && ok;
}

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::vector<uint8_t> bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) std::abort();
    uint8_t chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
    std::fclose(file);
    return bytes;
}

CString Native(const std::string& path) { return CString::FromUtf8(path); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const FuzzFolder& folder = Folder();
    const std::string input = folder.Path("input"), first = folder.Path("first"), second = folder.Path("second");
    if (!WriteAll(input, data, size)) std::abort();

    CQorDictionaryManager manager;
    if (!manager.Load(Native(input))) {
        // A failed load must still leave a manager that saves and cleans up.
        if (manager.GetLastFileError().IsEmpty()) __builtin_trap();
        manager.Save(Native(first));
        return 0;
    }
    if (!manager.GetLastFileError().IsEmpty()) __builtin_trap();
    if (!manager.Save(Native(first))) __builtin_trap();

    CQorDictionaryManager reloaded;
    if (!reloaded.Load(Native(first))) __builtin_trap();
    if (!reloaded.Save(Native(second))) __builtin_trap();
    if (ReadAll(first) != ReadAll(second)) __builtin_trap();
    return 0;
}
