#pragma once

#include <cstddef>

#include "catalogs/Catalog.h"

// What a reader gave and what it gives for the writer's file of it: the same
// messages in the same order. Line numbers follow the writer's layout and are
// not compared; the languages only when the writer can hold them.
inline void QorFuzzCheckSameCatalog(const CCatalog& read, const CCatalog& reread, bool languages) {
    if (languages && (read.sourceLanguage != reread.sourceLanguage || read.targetLanguage != reread.targetLanguage))
        __builtin_trap();
    if (read.messages.size() != reread.messages.size()) __builtin_trap();
    for (std::size_t i = 0; i < read.messages.size(); ++i) {
        const CCatalogMessage& a = read.messages[i];
        const CCatalogMessage& b = reread.messages[i];
        if (a.original != b.original || a.translation != b.translation || !(a.updated == b.updated) ||
            a.fuzzy != b.fuzzy || a.cFormat != b.cFormat)
            __builtin_trap();
    }
}
