#pragma once

#include <memory>
#include <thread>
#include <vector>

#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"

class CDictionaryManagerData;
class CLoadArena;

// The dictionary a load replaces. Freeing it touches every string it holds,
// which costs about as much as reading a new one, so it is freed on a second
// thread while the load runs and its blocks go to the load's arena. The
// thread is joined when this dies, before Load returns: nothing outlives the
// call (a host may unload the library right after). Without a thread the
// dictionary is freed here and then.
class CRetiredDictionary {
public:
    // Takes the languages and word lists out of the manager's data.
    CRetiredDictionary(CDictionaryManagerData& data, CLoadArena& arena);
    ~CRetiredDictionary();
    CRetiredDictionary(const CRetiredDictionary&) = delete;
    CRetiredDictionary& operator=(const CRetiredDictionary&) = delete;

private:
    struct Parts {
        std::vector<std::unique_ptr<CQorLanguageDict>> languages;
        std::unique_ptr<CQorDictionaryWord> sysWords, projectWords;
    };
    std::unique_ptr<Parts> m_parts;
    std::thread m_thread;
};
