#include "editor/win/DictionarySave.h"

#include "model/QorDictionaryManager.h"
#include "resources/DictionaryApp.h"
#include "resources/Resource.h"
#include "translate/TextHelpers.h"

bool SaveDictionaryOrTell(CQorDictionaryManager* manager, HWND owner) {
    if (!manager) return false;
    if (manager->Save()) return true;
    const CString caption = LoadDictString(manager, QorGetModuleResourceHandle(), IDS_WARNING);
    MessageBoxW(owner ? owner : GetActiveWindow(), manager->GetLastFileError(), caption, MB_OK | MB_ICONEXCLAMATION);
    return false;
}
