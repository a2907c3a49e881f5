#pragma once

#include <string>

#include "base/Types.h"
#include "model/DictMode.h"

// export and import of translation catalogues (.po, .xlf): one language and
// mode per file, so --language is required.
namespace qordict {

bool IsCatalogPath(const std::string& path);
int ExportCatalog(const std::string& dictionary, const std::string& out, DICTMODE mode, DWORD language);
int ImportCatalog(const std::string& dictionary, const std::string& in, DICTMODE mode, DWORD language);

}  // namespace qordict
