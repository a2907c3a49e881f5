#pragma once

#include "base/CString.h"
#include "base/QorApi.h"

// What a long spreadsheet operation reports while it runs, and how it learns
// that the user wants it to stop. The editor's progress window and the
// command-line progress bar implement it; the defaults do nothing.
class QOR_API ISheetProgress {
public:
    virtual ~ISheetProgress() = default;
    // A sheet starts; steps is the number of StepIt calls to expect at most.
    virtual void BeginSheet(const CString& sheetName, long steps) {}
    // One row is done. A window-based caller pumps its messages here.
    virtual void StepIt() {}
    // True once the user has asked to stop.
    virtual bool IsBreaked() { return false; }
};
