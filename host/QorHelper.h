#pragma once

#include <map>
#include <memory>

#include "base/CString.h"
#include "base/QorApi.h"
#include "base/Types.h"

// The help service's look-up: help key → topic ID. Keys match exactly.
class QOR_API CQorHelperExpert {
public:
    CQorHelperExpert();
    ~CQorHelperExpert();
    CQorHelperExpert(const CQorHelperExpert&) = delete;
    CQorHelperExpert& operator=(const CQorHelperExpert&) = delete;

    // The topic of a key; 0 for a key the table does not name.
    DWORD FindHelperID(const CString& key) const;

    // Adds the lines of a topic table ("<id> <key>", # comments) to the
    // mapping, replacing the IDs of keys it already holds. Returns the number
    // of topic lines read; malformed lines are skipped.
    int LoadTopics(const CString& table);
    // The same from a UTF-8 file; -1 when the file cannot be read.
    int LoadTopicsFile(const CString& path);
    void RemoveAll();

private:
    struct Topics;
    std::unique_ptr<Topics> m_topics;
};

// The host's help service: one object per process. Its expert holds the
// table built into the library, overlaid by "HelpTopics.txt" beside the
// help file when the host ships one.
class QOR_API CQorHelper {
public:
    static CQorHelper& Instance();
    CQorHelperExpert* GetHelperExpert();

    // A host with its own help viewer takes the requests here instead of
    // HtmlHelpW: key, its topic and the help file. Null restores HtmlHelpW.
    typedef void (*TopicViewer)(const CString& key, DWORD topic, const CString& helpFile, void* context);
    void SetTopicViewer(TopicViewer viewer, void* context) {
        m_viewer = viewer;
        m_viewerContext = context;
    }
    void ShowTopic(const CString& key);

private:
    CQorHelper();
    CQorHelperExpert m_expert;
    TopicViewer m_viewer = nullptr;
    void* m_viewerContext = nullptr;
};

// A help handler's whole work: the key's topic in the help file through
// HtmlHelpW (HH_HELP_CONTEXT), with no owner window. Always 1: the help
// request counts as handled whatever happened.
QOR_API BOOL QorShowHelpTopic(const CString& key);
