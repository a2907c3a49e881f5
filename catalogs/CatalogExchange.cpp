#include "catalogs/CatalogExchange.h"

#include <cstdint>
#include <new>
#include <string>

#include "base/CFile.h"
#include "base/WholeFile.h"
#include "catalogs/CatalogLanguage.h"
#include "catalogs/PoReader.h"
#include "catalogs/PoWriter.h"
#include "catalogs/PrintfFormat.h"
#include "catalogs/XliffReader.h"
#include "catalogs/XliffWriter.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"
#include "sheets/WordSheetLayout.h"

namespace {

// The whole text is held while it is parsed, its messages besides.
constexpr std::uint64_t kMaxCatalogSize = 256ull << 20;

bool EndsWithNoCase(const CString& text, const WCHAR* suffix) {
    const int n = int(QorStrLen(suffix));
    return text.GetLength() >= n && text.Right(n).CompareNoCase(suffix) == 0;
}

bool NewlinesDiffer(const CString& original, const CString& translation) {
    const int o = original.GetLength(), t = translation.GetLength();
    return (original[0] == '\n') != (translation[0] == '\n') ||
           (original[o - 1] == '\n') != (translation[t - 1] == '\n');
}

}  // namespace

CCatalogKind QorCatalogKindOf(const CString& path) {
    if (EndsWithNoCase(path, QSTR(".po")) || EndsWithNoCase(path, QSTR(".pot"))) return CCatalogKind::Po;
    if (EndsWithNoCase(path, QSTR(".xlf")) || EndsWithNoCase(path, QSTR(".xliff"))) return CCatalogKind::Xliff;
    return CCatalogKind::None;
}

CCatalog QorBuildCatalog(CQorDictionaryManager& manager, DICTMODE mode, const CQorLanguageDict& language,
                         DWORD sourceLanguage, CCatalogKind kind, CCatalogExportResult& result) {
    result = CCatalogExportResult();
    CCatalog catalog;
    const DWORD target = language.GetLanguageID();
    const bool po = kind == CCatalogKind::Po;
    catalog.sourceLanguage = po ? QorPoLanguageName(sourceLanguage) : QorCatalogLanguageTag(sourceLanguage);
    catalog.targetLanguage = po ? QorPoLanguageName(target) : QorCatalogLanguageTag(target);

    CQorDictionaryWord* master = QorMasterWordList(&manager, mode);
    CList<CQorDictWordElement*, CQorDictWordElement*>* words = master ? master->GetDictionaryList() : nullptr;
    for (POSITION pos = words ? words->GetHeadPosition() : nullptr; pos;) {
        const CQorDictWordElement* word = words->GetNext(pos);
        if (!word) continue;
        CCatalogMessage message;
        message.original = word->GetOriginalCharacter();
        if (const CQorDictWordElement* entry = language.FindWord(mode, message.original))
            message.translation = entry->GetDisplayCharacter();
        if (message.original.IsEmpty() ||
            (po && (!QorPoCanHold(message.original) || !QorPoCanHold(message.translation)))) {
            ++result.leftOut;
            continue;
        }
        message.updated = word->GetUpdateDateTime();
        message.cFormat = QorIsPrintfFormat(message.original);
        if (!message.translation.IsEmpty()) {
            ++result.translated;
            message.fuzzy = (message.cFormat && !QorSamePrintfArguments(message.original, message.translation)) ||
                            NewlinesDiffer(message.original, message.translation);
            result.markedFuzzy += message.fuzzy;
        }
        catalog.messages.push_back(std::move(message));
        ++result.messages;
    }
    return catalog;
}

bool QorExportCatalog(CQorDictionaryManager& manager, DICTMODE mode, const CQorLanguageDict& language,
                      DWORD sourceLanguage, const CString& path, CCatalogExportResult& result, CString& error) {
    error.Empty();
    const CCatalogKind kind = QorCatalogKindOf(path);
    try {
        const CCatalog catalog = QorBuildCatalog(manager, mode, language, sourceLanguage, kind, result);
        const std::string bytes = kind == CCatalogKind::Po
                                      ? QorWritePo(catalog)
                                      : QorWriteXliff(catalog, mode == DICTMODE_PROJECT ? "project" : "system");
        CAtomicFileWriter file;
        if (!file.Open(path)) {
            error = CString::FromNativeText(file.GetError());
            return false;
        }
        file.File().Write(bytes.data(), bytes.size());
        file.Commit();
        return true;
    } catch (const CFileException& e) {
        error = CString::FromNativeText(e.GetReason());  // names the file already
    } catch (const CException& e) {
        error.Format(QSTR("cannot write '%s': %S"), path.GetString(), e.GetReason().c_str());
    } catch (const std::bad_alloc&) {
        error.Format(QSTR("cannot write '%s': not enough memory"), path.GetString());
    }
    return false;
}

bool QorReadCatalogFile(const CString& path, CCatalog& out, CString& error) {
    out = CCatalog();
    const bool po = QorCatalogKindOf(path) == CCatalogKind::Po;
    const bool read = QorParseWholeFile(path, kMaxCatalogSize, [&](std::string&& bytes) {
        out = po ? QorReadPo(bytes) : QorReadXliff(bytes);
    }, error);
    if (!read) out = CCatalog();
    return read;
}

CCatalogImportResult QorMergeCatalog(CQorDictionaryManager& manager, DICTMODE mode, CQorLanguageDict& language,
                                     const CCatalog& catalog) {
    CCatalogImportResult result;
    CQorDictionaryWord* master = QorMasterWordList(&manager, mode);
    if (!master) return result;
    for (const CCatalogMessage& message : catalog.messages) {
        ++result.messages;
        const CQorDictWordElement* word = QorMergeWord(*master, message.original, result.counts);
        if (!word) continue;
        if (message.translation.IsEmpty()) {
            ++result.untranslated;
        } else if (message.fuzzy) {
            ++result.fuzzy;
        } else {
            QorMergeTranslation(language, mode, *word, message.original, message.translation, result.counts);
        }
    }
    return result;
}
