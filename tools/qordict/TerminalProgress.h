#pragma once

#include <string>

#include "sheets/SheetProgress.h"

namespace qordict {

// A one-line progress bar on standard error for the spreadsheet commands,
// drawn only when standard error is a terminal and redrawn only when the
// percentage changes; the line is cleared when the object goes.
class TerminalProgress final : public ISheetProgress {
public:
    explicit TerminalProgress(const char* verb);
    ~TerminalProgress() override;

    void BeginSheet(const CString& sheetName, long steps) override;
    void StepIt() override;

private:
    void Draw();

    bool m_enabled;
    std::string m_label;
    long m_steps = 0;
    long m_done = 0;
    int m_shown = -1;
    const char* m_verb;
};

}  // namespace qordict
