#pragma once

#include <windows.h>

#include <memory>

#include "base/QorApi.h"

class CQorDictionaryManager;
class CQorProjectDirector;  // the host's project object; the editor only hands it on

// The host's door to the dictionary editor. Wire it once, then open the
// editor whenever the user asks for it:
//
//     CQorDictManager editor;
//     editor.SetDictionaryManager(&manager);
//     editor.SetProjectDirector(&project);
//     int modified = 0;
//     if (editor.ShowDictionaryDialog(modified, 1) == IDOK && modified)
//         RelabelEverything();
//
// ShowDictionaryDialog runs the editor modally. After OK with a change the
// dictionary has been saved to the manager's file. Cancel leaves `modified`
// as it was, but the manager keeps every change made while the editor was
// open. A project flag of 0 hides the project dictionary.
class QOR_API CQorDictManager {
public:
    CQorDictManager();
    ~CQorDictManager();
    CQorDictManager(const CQorDictManager& other);
    // Copies the two pointers into this facade's own record.
    CQorDictManager& operator=(const CQorDictManager& other);

    void SetDictionaryManager(CQorDictionaryManager* manager);
    void SetProjectDirector(CQorProjectDirector* project);
    // IDOK or IDCANCEL; -1 when the editor could not be opened; IDCANCEL
    // without a record.
    int ShowDictionaryDialog(int& modified, DWORD projectFlag);

private:
    struct Record;
    std::unique_ptr<Record> m_pImpl;
};
