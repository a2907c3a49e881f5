#pragma once

#include <string>

#include "base/CString.h"

// A scratch folder for the files of a benchmark, removed with its content at
// exit. It lies in QOR_BENCH_DIR when that is set, else in /dev/shm (memory,
// so that timings show the code and not the disk), else in TMPDIR or /tmp.
class BenchFolder {
public:
    BenchFolder();
    ~BenchFolder();
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    const std::string& Path() const noexcept { return m_path; }
    std::string Path(const std::string& name) const { return m_path + "/" + name; }
    CString PathString(const std::string& name) const { return CString::FromUtf8(Path(name)); }

private:
    std::string m_path;
};
