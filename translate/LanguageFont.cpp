#include "translate/LanguageFont.h"

#include <cstring>
#include <vector>

#include "base/win/UniqueHandle.h"

namespace {
struct CachedFont {
    LOGFONTW record;
    UniqueFont font;
};
}  // namespace

HFONT GetLanguageFont(const LOGFONTW& font) {
    // A handful of languages at most: a linear search is the fastest look-up.
    static std::vector<CachedFont> fonts;
    for (const CachedFont& cached : fonts)
        if (std::memcmp(&cached.record, &font, sizeof font) == 0) return cached.font.get();
    UniqueFont made(CreateFontIndirectW(&font));
    if (!made) return nullptr;
    fonts.push_back(CachedFont{font, std::move(made)});
    return fonts.back().font.get();
}
