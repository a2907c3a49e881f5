#include "model/RetiredDictionary.h"

#include <system_error>

#include "base/LoadArena.h"
#include "model/DictionaryManagerData.h"

CRetiredDictionary::CRetiredDictionary(CDictionaryManagerData& data, CLoadArena& arena)
    : m_parts(std::make_unique<Parts>()) {
    m_parts->languages.reserve(std::size_t(data.m_languages.GetCount()));
    while (!data.m_languages.IsEmpty()) m_parts->languages.emplace_back(data.m_languages.RemoveHead());
    m_parts->sysWords = std::move(data.m_sysWords);
    m_parts->projectWords = std::move(data.m_projectWords);
    if (m_parts->languages.empty()) {  // nothing worth a thread
        m_parts.reset();
        return;
    }
    try {
        m_thread = std::thread([parts = m_parts.get(), &arena] {
            CArenaRecycling recycling(arena);
            *parts = Parts();
        });
    } catch (const std::system_error&) {
        m_parts.reset();
    }
}

CRetiredDictionary::~CRetiredDictionary() {
    if (m_thread.joinable()) m_thread.join();
}
