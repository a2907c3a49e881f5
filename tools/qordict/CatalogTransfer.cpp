#include "CatalogTransfer.h"

#include <cstdio>

#include "CheckReport.h"
#include "Command.h"
#include "catalogs/CatalogExchange.h"
#include "catalogs/CatalogLanguage.h"
#include "model/LocaleNames.h"
#include "model/QorDictionaryManager.h"
#include "model/QorLanguageDict.h"

namespace qordict {
namespace {

std::string LanguageName(DWORD lcid) {
    char id[16];
    std::snprintf(id, sizeof id, "0x%04lX", static_cast<unsigned long>(lcid));
    const char* name = QorLocaleName(lcid);
    return name ? std::string(id) + " (" + name + ")" : std::string(id);
}

// Before anything is loaded: a usage error comes first.
void RequireLanguage(DWORD lcid) {
    if (lcid == 0) throw UsageError("a .po or .xlf catalogue holds one language: give --language LCID");
}

CQorLanguageDict* FindLanguage(CQorDictionaryManager& manager, const std::string& dictionary, DWORD lcid) {
    CQorLanguageDict* language = manager.Find(lcid);
    if (!language) PrintError(dictionary + " has no language " + LanguageName(lcid));
    return language;
}

}  // namespace

bool IsCatalogPath(const std::string& path) { return QorCatalogKindOf(PathArgument(path)) != CCatalogKind::None; }

int ExportCatalog(const std::string& dictionary, const std::string& out, DICTMODE mode, DWORD lcid) {
    RequireLanguage(lcid);
    CQorDictionaryManager manager;
    if (!LoadDictionary(manager, dictionary)) return kFileError;
    const CQorLanguageDict* language = FindLanguage(manager, dictionary, lcid);
    if (!language) return kFileError;

    CCatalogExportResult result;
    CString error;
    if (!QorExportCatalog(manager, mode, *language, kQorOriginalsLanguage, PathArgument(out), result, error)) {
        PrintError(error.ToNativeText());
        return kFileError;
    }
    std::string report = "exported " + Plural(result.messages, "word") + " (" + std::to_string(result.translated) +
                         " translated into " + LanguageName(lcid) + ") to " + out + "\n";
    if (result.markedFuzzy)
        report += "  " + Plural(result.markedFuzzy, "translation") +
                  " marked fuzzy: they do not keep the original's printf arguments or its leading and trailing line "
                  "breaks\n";
    if (result.leftOut)
        report += "  " + Plural(result.leftOut, "word") +
                  " left out: a PO file cannot hold an empty original, a NUL character or an unpaired surrogate\n";
    WriteOut(report);
    return kSuccess;
}

int ImportCatalog(const std::string& dictionary, const std::string& in, DICTMODE mode, DWORD lcid) {
    RequireLanguage(lcid);
    CQorDictionaryManager manager;
    if (!LoadDictionary(manager, dictionary)) return kFileError;
    CQorLanguageDict* language = FindLanguage(manager, dictionary, lcid);
    if (!language) return kFileError;

    // The whole catalogue is read before anything is merged: a file that
    // cannot be read changes nothing.
    CCatalog catalog;
    CString error;
    if (!QorReadCatalogFile(PathArgument(in), catalog, error)) {
        PrintError(error.ToNativeText());
        return kFileError;
    }
    if (!QorCatalogLanguageFits(catalog.targetLanguage, lcid)) {
        PrintError(in + " is a catalogue of '" + catalog.targetLanguage.ToUtf8() + "', not of " + LanguageName(lcid));
        return kFileError;
    }
    const ImportCheckReport checks(manager);
    const CCatalogImportResult result = QorMergeCatalog(manager, mode, *language, catalog);
    const CWordMergeCounts& counts = result.counts;
    const std::string totals = Plural(counts.wordsAdded, "word") + " added, " +
                               Plural(counts.translationsAdded, "translation") + " added, " +
                               Plural(counts.translationsChanged, "translation") + " changed";
    std::string report = "catalogue '" + in + "': " + Plural(result.messages, "message") + ", " + totals + "\n";
    if (result.fuzzy)
        report += "  " + Plural(result.fuzzy, "fuzzy translation") + " not imported: a translator has to review " +
                  (result.fuzzy == 1 ? "it" : "them") + " and clear the fuzzy flag first\n";
    if (result.untranslated) report += "  " + Plural(result.untranslated, "message") + " without a translation\n";
    if (counts.Total() > 0 && !SaveDictionary(manager, dictionary)) {
        WriteOut(report + "total: " + totals + ", not saved\n");
        return kFileError;
    }
    WriteOut(report + "total: " + totals + (counts.Total() > 0 ? ", saved to " + dictionary : std::string()) + "\n" +
             checks.Report(dictionary));
    return kSuccess;
}

}  // namespace qordict
