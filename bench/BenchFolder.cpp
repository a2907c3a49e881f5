#include "BenchFolder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

BenchFolder::BenchFolder() {
    std::string base;
    if (const char* dir = std::getenv("QOR_BENCH_DIR")) base = dir;
    else if (::access("/dev/shm", W_OK) == 0) base = "/dev/shm";
    else if (const char* dir = std::getenv("TMPDIR")) base = dir;
    else base = "/tmp";
    std::string pattern = base + "/qor-bench-XXXXXX";
    if (!::mkdtemp(&pattern[0])) {
        std::perror(("cannot create a folder in " + base).c_str());
        std::exit(1);
    }
    m_path = pattern;
}

BenchFolder::~BenchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}
