#include "editor/QorDictManager.h"

#include "editor/win/DictionaryDialog.h"
#include "editor/win/DictionarySave.h"
#include "model/QorDictionaryManager.h"
#include "translate/DLLLocalResource.h"

struct CQorDictManager::Record {
    CQorDictionaryManager* manager = nullptr;
    CQorProjectDirector* project = nullptr;
};

CQorDictManager::CQorDictManager() : m_pImpl(new (std::nothrow) Record) {}

CQorDictManager::~CQorDictManager() = default;

CQorDictManager::CQorDictManager(const CQorDictManager& other) : CQorDictManager() { *this = other; }

CQorDictManager& CQorDictManager::operator=(const CQorDictManager& other) {
    if (this != &other && m_pImpl) {
        *m_pImpl = other.m_pImpl ? *other.m_pImpl : Record{};
    }
    return *this;
}

void CQorDictManager::SetDictionaryManager(CQorDictionaryManager* manager) {
    if (m_pImpl) m_pImpl->manager = manager;
}

void CQorDictManager::SetProjectDirector(CQorProjectDirector* project) {
    if (m_pImpl) m_pImpl->project = project;
}

int CQorDictManager::ShowDictionaryDialog(int& modified, DWORD projectFlag) {
    if (!m_pImpl) return IDCANCEL;
    CDLLLocalResource libraryResources;
    CQorDictionaryManager* manager = m_pImpl->manager;
    CDictionaryDialog dialog(manager, m_pImpl->project, projectFlag);
    const int result = int(dialog.DoModal());
    if (result != IDOK) return result;
    modified = dialog.GetModified();
    // The user's changes are in memory whatever happens to the file; a save
    // that fails is told, so nothing is lost without the user knowing.
    if (modified && manager) SaveDictionaryOrTell(manager, nullptr);
    return result;
}
