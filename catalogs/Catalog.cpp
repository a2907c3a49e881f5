#include "catalogs/Catalog.h"

#include <cstdio>

std::string QorCatalogTimeText(const COleDateTime& time) {
    if (time.GetStatus() != COleDateTime::valid || time.GetYear() < 0) return std::string();
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", time.GetYear(), time.GetMonth(), time.GetDay(),
                  time.GetHour(), time.GetMinute(), time.GetSecond());
    return text;
}

COleDateTime QorCatalogTimeFromText(const std::string& text) {
    COleDateTime time(0.0, COleDateTime::null);
    // Exactly the form written: 19 characters, digits where digits belong.
    static const char kShape[] = "dddd-dd-ddTdd:dd:dd";
    if (text.size() != sizeof kShape - 1) return time;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kShape[i] == 'd' ? !digit : text[i] != kShape[i]) return time;
    }
    auto field = [&](std::size_t at, std::size_t length) { return std::stoi(text.substr(at, length)); };
    time.SetDateTime(field(0, 4), field(5, 2), field(8, 2), field(11, 2), field(14, 2), field(17, 2));
    if (time.GetStatus() != COleDateTime::valid) time.SetStatus(COleDateTime::null);
    return time;
}

bool QorIsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length;
        char32_t cp, min;
        if (lead >= 0xC2 && lead <= 0xDF) length = 2, cp = lead & 0x1F, min = 0x80;
        else if (lead >= 0xE0 && lead <= 0xEF) length = 3, cp = lead & 0x0F, min = 0x800;
        else if (lead >= 0xF0 && lead <= 0xF4) length = 4, cp = lead & 0x07, min = 0x10000;
        else return false;
        if (n - i < length) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += length;
    }
    return true;
}
