#include "sheets/WordSheetLayout.h"

#include "model/LocaleNames.h"
#include "model/QorDictionaryManager.h"
#include "model/QorLanguageDict.h"

CQorDictionaryWord* QorMasterWordList(CQorDictionaryManager* manager, DICTMODE mode) {
    if (!manager) return nullptr;
    if (mode == DICTMODE_SYSTEM) return manager->GetSysDictWord();
    if (mode == DICTMODE_PROJECT) return manager->GetProjectDictWord();
    return nullptr;
}

std::vector<CQorLanguageDict*> QorWordSheetLanguages(CQorDictionaryManager& manager) {
    std::vector<CQorLanguageDict*> languages;
    if (!manager.Find(manager.GetSysDefaultLanguageLCID())) return languages;
    CList<CQorLanguageDict*, CQorLanguageDict*>* list = manager.GetLanguageDictList();
    if (!list) return languages;
    for (POSITION pos = list->GetHeadPosition(); pos;) {
        CQorLanguageDict* language = list->GetNext(pos);
        if (language && language->IsEnable()) languages.push_back(language);
    }
    return languages;
}

CString QorLanguageHeading(DWORD languageId) {
    const char* name = QorNativeLanguageName(languageId);
    return name ? CString::FromUtf8(std::string(name)) : CString(QSTR("Not supported language"));
}

CString QorUpdateTimeHeading() { return CString::FromUtf8(std::string("更新时间")); }
CString QorOriginalStringHeading() { return CString::FromUtf8(std::string("原始字符串")); }

CString QorUpdateTimeText(const COleDateTime& time) {
    CString text;
    text.Format(QSTR("%04d-%02d-%02d %02d:%02d:%02d"), time.GetYear(), time.GetMonth(), time.GetDay(), time.GetHour(),
                time.GetMinute(), time.GetSecond());
    return text;
}
