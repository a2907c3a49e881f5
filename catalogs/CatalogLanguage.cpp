#include "catalogs/CatalogLanguage.h"

#include <cstdio>
#include <string>
#include <vector>

#include "model/LocaleNames.h"

namespace {

std::vector<std::string> Subtags(const std::string& tag) {
    std::vector<std::string> parts(1);
    for (char ch : tag) {
        if (ch == '-' || ch == '_') parts.emplace_back();
        else parts.back() += ch;
    }
    return parts;
}

bool IsScript(const std::string& subtag) {
    if (subtag.size() != 4) return false;
    for (char ch : subtag)
        if (!((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'))) return false;
    return true;
}

// Lower case, '_' as '-', without script, charset ("de_DE.UTF-8") and
// modifier ("@euro").
std::string Comparable(std::string name) {
    const std::size_t cut = name.find_first_of(".@");
    if (cut != std::string::npos) name.resize(cut);
    std::string out;
    for (const std::string& part : Subtags(name)) {
        if (IsScript(part) && !out.empty()) continue;
        if (!out.empty()) out += '-';
        for (char ch : part) out += char(ch >= 'A' && ch <= 'Z' ? ch + 32 : ch);
    }
    return out;
}

std::string PrivateTag(DWORD lcid) {
    char text[24];
    std::snprintf(text, sizeof text, "x-lcid-%04lx", static_cast<unsigned long>(lcid));
    return text;
}

}  // namespace

CString QorCatalogLanguageTag(DWORD lcid) {
    const char* name = QorLocaleName(lcid);
    return CString::FromUtf8(name ? std::string(name) : PrivateTag(lcid));
}

CString QorPoLanguageName(DWORD lcid) {
    const char* name = QorLocaleName(lcid);
    if (!name) return CString();
    std::string language, script;
    for (const std::string& part : Subtags(name)) {
        if (IsScript(part) && !language.empty()) {
            script = part == "Latn" ? "latin" : part == "Cyrl" ? "cyrillic" : part;
            continue;
        }
        if (!language.empty()) language += '_';
        language += part;
    }
    return CString::FromUtf8(script.empty() ? language : language + "@" + script);
}

bool QorCatalogLanguageFits(const CString& name, DWORD lcid) {
    const std::string given = Comparable(name.ToUtf8());
    if (given.empty()) return true;
    const char* known = QorLocaleName(lcid);
    const std::string wanted = Comparable(known ? std::string(known) : PrivateTag(lcid));
    if (given == wanted) return true;
    return known && given.find('-') == std::string::npos && wanted.compare(0, given.size() + 1, given + "-") == 0;
}
