#include "checks/PseudoLanguage.h"

#include <memory>

#include "checks/PseudoText.h"
#include "checks/UiTextTokens.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"

namespace {

typedef CList<CQorDictWordElement*, CQorDictWordElement*> EntryList;

bool LooksPseudo(const CString& text) {
    int i = 0;
    while (i < text.GetLength() && QorIsUiWhiteSpace(text[i])) ++i;
    return i == text.GetLength() || text[i] == '[';
}

long Fill(CQorLanguageDict& language, DICTMODE mode, CQorDictionaryWord* master, int expandPercent) {
    language.RemoveAllWord(mode);
    EntryList* words = master ? master->GetDictionaryList() : nullptr;
    long added = 0;
    for (POSITION pos = words ? words->GetHeadPosition() : nullptr; pos;) {
        const CString original = words->GetNext(pos)->GetOriginalCharacter();
        auto entry = std::make_unique<CQorDictWordElement>();
        entry->SetOriginalCharacter(original);
        entry->SetDisplayCharacter(QorPseudoTranslate(original, expandPercent));
        if (language.AddWord(mode, entry.get())) {
            entry.release();
            ++added;
        }
    }
    return added;
}

}  // namespace

bool QorIsPseudoLanguage(CQorLanguageDict& language) {
    for (DICTMODE mode : {DICTMODE_SYSTEM, DICTMODE_PROJECT}) {
        EntryList* entries = language.GetDictionaryList(mode);
        for (POSITION pos = entries ? entries->GetHeadPosition() : nullptr; pos;)
            if (!LooksPseudo(entries->GetNext(pos)->GetDisplayCharacter())) return false;
    }
    return true;
}

CPseudoLanguageReport QorMakePseudoLanguage(CQorDictionaryManager& manager, DWORD lcid, int expandPercent) {
    CPseudoLanguageReport report;
    CQorLanguageDict* language = manager.Find(lcid);
    if (!language) {
        auto added = std::make_unique<CQorLanguageDict>();
        added->SetLanguageID(lcid);
        added->SetEnable(1);
        // Pseudo-texts keep the originals' script: the font of the language
        // the host shows by default suits them better than a blank one.
        if (const CQorLanguageDict* shown = manager.Find(manager.GetSysDefaultLanguageLCID())) {
            LOGFONTW font;
            shown->GetFont(font);
            added->SetFont(font);
            added->SetFontPointSize(shown->GetFontPointSize());
            added->SetFontColor(shown->GetFontColor());
        }
        if (!manager.Add(added.get())) return report;
        language = added.release();
        report.created = true;
    }
    report.systemWords = Fill(*language, DICTMODE_SYSTEM, manager.GetSysDictWord(), expandPercent);
    report.projectWords = Fill(*language, DICTMODE_PROJECT, manager.GetProjectDictWord(), expandPercent);
    return report;
}
