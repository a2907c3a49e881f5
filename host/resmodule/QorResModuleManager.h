#pragma once

#include <atomic>
#include <cstddef>
#include <vector>

#include "base/CString.h"
#include "base/CStringList.h"
#include "base/QorApi.h"
#include "base/Types.h"

// What reading one module gave: its file name, how many texts, and why it
// was skipped (empty when it was read).
struct ResModuleReport {
    CString fileName;
    int strings = 0;
    CString skipReason;
};

// The host's resource enumerator: the texts of one language in the string
// tables, menus and dialogs of the .dll and .exe files directly in a folder,
// read from the files' bytes (nothing is loaded or run, on any platform).
// Modules come in the order of their file names (ignoring the case of a-z),
// texts in resource order. Only resources marked with exactly the requested
// language count. A damaged file is skipped with a reason and never read
// past its end.
class QOR_API CQorResModuleManager {
public:
    CQorResModuleManager();
    ~CQorResModuleManager();
    CQorResModuleManager(const CQorResModuleManager&) = delete;
    CQorResModuleManager& operator=(const CQorResModuleManager&) = delete;

    // Reads every module of `folder` for `language`. FALSE only when the
    // folder cannot be listed.
    BOOL EnumResource(const CString& folder, WORD language);
    // Appends the texts collected (module order, then resource order).
    void GetResStrings(CStringList& list) const;
    const std::vector<ResModuleReport>& GetReports() const { return m_reports; }
    // Looked at between modules and between resources; once set, reading
    // ends early and what was read so far stays. Not owned; null never stops.
    void SetStopFlag(const std::atomic<bool>* stop) { m_stop = stop; }

    // The .dll and .exe files directly in `folder` (full paths), in reading
    // order; with `error` set when the folder cannot be listed.
    static std::vector<CString> ListModules(const CString& folder, CString* error);
    static ResModuleReport ReadModule(const CString& path, WORD language, std::vector<CString>& strings,
                                      const std::atomic<bool>* stop = nullptr);
    // The same on a file's bytes: the skip reason, or empty.
    static CString ReadModuleImage(const BYTE* data, std::size_t size, WORD language, std::vector<CString>& strings,
                                   const std::atomic<bool>* stop = nullptr);

private:
    std::vector<CString> m_strings;
    std::vector<ResModuleReport> m_reports;
    const std::atomic<bool>* m_stop = nullptr;
};
