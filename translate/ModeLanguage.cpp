#include "translate/ModeLanguage.h"

#include "model/QorDictionaryManager.h"

CQorLanguageDict* FindModeLanguage(const CQorDictionaryManager* manager, DICTMODE mode) {
    if (!manager) return nullptr;
    switch (mode) {
    case DICTMODE_SYSTEM:
        return manager->Find(manager->GetSysDefaultLanguageLCID());
    case DICTMODE_PROJECT:
        return manager->Find(manager->GetProjectDefaultLanguageLCID());
    }
    return nullptr;
}
