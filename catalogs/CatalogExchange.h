#pragma once

#include "base/CString.h"
#include "base/QorApi.h"
#include "base/Types.h"
#include "catalogs/Catalog.h"
#include "model/DictMode.h"
#include "sheets/WordMerge.h"

class CQorDictionaryManager;
class CQorLanguageDict;

// Translation catalogues of one language and mode: PO and XLIFF files for
// translators' tools, exchanged with a dictionary.

enum class CCatalogKind { None, Po, Xliff };

// By the name's extension, any letter case: .po and .pot, .xlf and .xliff.
QOR_API CCatalogKind QorCatalogKindOf(const CString& path);

// The language the originals are written in. The dictionary does not record
// it (a mode's default language is the one shown, which the user switches);
// the host's and the library's own resources are written in Chinese, which
// is also what word gathering reads by default.
constexpr DWORD kQorOriginalsLanguage = 0x0804;

struct QOR_API CCatalogExportResult {
    long messages = 0;     // words written
    long translated = 0;   // of them with a translation
    long markedFuzzy = 0;  // translations that lose the original's printf arguments or outer line breaks
    long leftOut = 0;      // words the format cannot hold: a PO file has no NUL nor unpaired surrogate
};

// The mode's words in list order with their translations in language and the
// update times of the master entries. Each original that is a printf format
// is marked c-format; a translation that does not take the same arguments,
// or does not begin and end with a line break where the original does, is
// marked fuzzy: it stays visible to the translator, msgfmt --check-format
// passes it over, and importing it back changes nothing.
QOR_API CCatalog QorBuildCatalog(CQorDictionaryManager& manager, DICTMODE mode, const CQorLanguageDict& language,
                                 DWORD sourceLanguage, CCatalogKind kind, CCatalogExportResult& result);

// Builds the catalogue and writes it in the kind the name asks for; the file
// appears only when complete. False with one English sentence in error.
QOR_API bool QorExportCatalog(CQorDictionaryManager& manager, DICTMODE mode, const CQorLanguageDict& language,
                              DWORD sourceLanguage, const CString& path, CCatalogExportResult& result,
                              CString& error);

// Reads a whole catalogue of the kind the name asks for, at most 256 MiB.
// False with one English sentence in error, and out left empty.
QOR_API bool QorReadCatalogFile(const CString& path, CCatalog& out, CString& error);

struct QOR_API CCatalogImportResult {
    CWordMergeCounts counts;
    long messages = 0;
    long fuzzy = 0;         // translations marked fuzzy: not imported
    long untranslated = 0;  // messages without a translation: the word only
};

// Merges a catalogue into the mode's words and language by the workbook
// import's rules (WordMerge.h): every original joins the master list; a
// translation that is neither fuzzy nor empty joins the language. An empty
// translation removes none: a catalogue leaves untranslated what it does not
// translate. Nothing is saved.
QOR_API CCatalogImportResult QorMergeCatalog(CQorDictionaryManager& manager, DICTMODE mode, CQorLanguageDict& language,
                                             const CCatalog& catalog);
