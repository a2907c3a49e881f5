// libFuzzer target for the XLIFF reader: any bytes must give a catalogue or a
// CCatalogException, never a crash, a hang or a leak. Whatever it accepts,
// written by the writer and read again, must give the same catalogue, which
// written again gives the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCatalog.h"
#include "catalogs/XliffReader.h"
#include "catalogs/XliffWriter.h"

namespace {

// Element content keeps every character (<cp> stands for those XML cannot
// hold), but an attribute has no <cp>: the writer puts U+FFFD there instead.
bool AttributeCanHold(const CString& text) {
    for (int i = 0; i < text.GetLength(); ++i) {
        const WCHAR ch = text[i];
        if ((ch < 0x20 && ch != '\t' && ch != '\n' && ch != '\r') || ch == 0xFFFE || ch == 0xFFFF) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CCatalog catalog;
    try {
        catalog = QorReadXliff(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const CCatalogException&) {
        return 0;
    }
    // Outside any try: an exception here ends the run as a failure.
    const std::string written = QorWriteXliff(catalog, "fuzz");
    const CCatalog again = QorReadXliff(written);
    QorFuzzCheckSameCatalog(catalog, again,
                            AttributeCanHold(catalog.sourceLanguage) && AttributeCanHold(catalog.targetLanguage));
    if (QorWriteXliff(again, "fuzz") != written) __builtin_trap();
    return 0;
}
