#include "TerminalProgress.h"

#include <cstdio>

#if defined(_WIN32)
#include <io.h>
#define QOR_ISATTY(fd) _isatty(fd)
#define QOR_FILENO(f) _fileno(f)
#else
#include <unistd.h>
#define QOR_ISATTY(fd) isatty(fd)
#define QOR_FILENO(f) fileno(f)
#endif

namespace qordict {

TerminalProgress::TerminalProgress(const char* verb)
    : m_enabled(QOR_ISATTY(QOR_FILENO(stderr)) != 0), m_verb(verb) {}

TerminalProgress::~TerminalProgress() {
    if (m_enabled && m_shown >= 0) std::fputs("\r\033[K", stderr);
}

void TerminalProgress::BeginSheet(const CString& sheetName, long steps) {
    m_label = std::string(m_verb) + " '" + sheetName.ToUtf8() + "'";
    m_steps = steps;
    m_done = 0;
    m_shown = -1;
    Draw();
}

void TerminalProgress::StepIt() {
    ++m_done;
    Draw();
}

void TerminalProgress::Draw() {
    if (!m_enabled) return;
    const int percent = m_steps > 0 ? int(m_done * 100 / m_steps) : 100;
    if (percent == m_shown) return;
    m_shown = percent;
    constexpr int kWidth = 30;
    const int filled = percent * kWidth / 100;
    std::fprintf(stderr, "\r%s [%s%s] %3d%%", m_label.c_str(), std::string(std::size_t(filled), '#').c_str(),
                 std::string(std::size_t(kWidth - filled), ' ').c_str(), percent);
    std::fflush(stderr);
}

}  // namespace qordict
