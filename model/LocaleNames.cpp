#include "model/LocaleNames.h"

namespace {

struct LocaleEntry {
    DWORD lcid;
    const char* name;
    const char* native;
};

// The IDs of the editor's built-in language table and US English, with the
// names Windows reports for them (LOCALE_SNAME, LOCALE_SNATIVELANGNAME).
const LocaleEntry kLocales[] = {
    {0x0436, "af-ZA", "Afrikaans"},      {0x041C, "sq-AL", "shqip"},
    {0x3801, "ar-AE", "العربية"},        {0x042B, "hy-AM", "Հայերեն"},
    {0x042C, "az-Latn-AZ", "azərbaycan"}, {0x042D, "eu-ES", "euskara"},
    {0x0423, "be-BY", "беларуская"},     {0x0402, "bg-BG", "български"},
    {0x0403, "ca-ES", "català"},         {0x0804, "zh-CN", "中文"},
    {0x0404, "zh-TW", "中文"},           {0x041A, "hr-HR", "hrvatski"},
    {0x0405, "cs-CZ", "čeština"},        {0x0406, "da-DK", "dansk"},
    {0x0413, "nl-NL", "Nederlands"},     {0x0809, "en-GB", "English"},
    {0x0409, "en-US", "English"},        {0x0425, "et-EE", "eesti"},
    {0x0429, "fa-IR", "فارسی"},          {0x040B, "fi-FI", "suomi"},
    {0x0438, "fo-FO", "føroyskt"},       {0x040C, "fr-FR", "français"},
    {0x083C, "ga-IE", "Gaeilge"},        {0x0407, "de-DE", "Deutsch"},
    {0x0408, "el-GR", "Ελληνικά"},       {0x040D, "he-IL", "עברית"},
    {0x0439, "hi-IN", "हिंदी"},           {0x040E, "hu-HU", "magyar"},
    {0x040F, "is-IS", "íslenska"},       {0x0421, "id-ID", "Indonesia"},
    {0x0410, "it-IT", "italiano"},       {0x0411, "ja-JP", "日本語"},
    {0x0412, "ko-KR", "한국어"},          {0x0426, "lv-LV", "latviešu"},
    {0x0427, "lt-LT", "lietuvių"},       {0x042F, "mk-MK", "македонски"},
    {0x043E, "ms-MY", "Melayu"},         {0x043A, "mt-MT", "Malti"},
    {0x044E, "mr-IN", "मराठी"},           {0x0414, "nb-NO", "norsk bokmål"},
    {0x0415, "pl-PL", "polski"},         {0x0816, "pt-PT", "português"},
    {0x0417, "rm-CH", "rumantsch"},      {0x0418, "ro-RO", "română"},
    {0x0419, "ru-RU", "русский"},        {0x044F, "sa-IN", "संस्कृत"},
    {0x0C1A, "sr-Cyrl-CS", "српски"},    {0x0432, "tn-ZA", "Setswana"},
    {0x0424, "sl-SI", "slovenščina"},    {0x042E, "hsb-DE", "hornjoserbšćina"},
    {0x0C0A, "es-ES", "español"},        {0x0441, "sw-KE", "Kiswahili"},
    {0x041D, "sv-SE", "svenska"},        {0x0449, "ta-IN", "தமிழ்"},
    {0x0444, "tt-RU", "татар"},          {0x041E, "th-TH", "ไทย"},
    {0x041F, "tr-TR", "Türkçe"},         {0x0422, "uk-UA", "українська"},
    {0x0420, "ur-PK", "اُردو"},           {0x0843, "uz-Cyrl-UZ", "ўзбекча"},
    {0x042A, "vi-VN", "Tiếng Việt"},     {0x0434, "xh-ZA", "isiXhosa"},
    // Windows' pseudo-locale, which `qordict pseudo` fills.
    {0x0501, "qps-ploc", "Pseudo"},
};

const LocaleEntry* Lookup(DWORD lcid) {
    for (const LocaleEntry& entry : kLocales)
        if (entry.lcid == lcid) return &entry;
    return nullptr;
}

}  // namespace

const char* QorLocaleName(DWORD lcid) {
    const LocaleEntry* entry = Lookup(lcid);
    return entry ? entry->name : nullptr;
}

const char* QorNativeLanguageName(DWORD lcid) {
    const LocaleEntry* entry = Lookup(lcid);
    return entry ? entry->native : nullptr;
}

static bool SameAsciiNoCase(const char* a, const char* b) {
    auto fold = [](char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; };
    for (; *a && fold(*a) == fold(*b); ++a, ++b) {
    }
    return fold(*a) == fold(*b);
}

DWORD QorLocaleNameToLcid(const char* name) {
    for (const LocaleEntry& entry : kLocales)
        if (name && SameAsciiNoCase(entry.name, name)) return entry.lcid;
    return 0;
}
