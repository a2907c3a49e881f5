// libFuzzer target for the PO reader: any bytes must give a catalogue or a
// CCatalogException, never a crash, a hang or a leak. Whatever it accepts the
// writer must be able to write (the reader refuses what a PO file cannot
// hold), and reading that back must give the same catalogue, which written
// again gives the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "catalogs/PoReader.h"
#include "catalogs/PoWriter.h"
#include "FuzzCatalog.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CCatalog catalog;
    try {
        catalog = QorReadPo(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const CCatalogException&) {
        return 0;
    }
    // Messages come in file order, each from a line of its own.
    for (std::size_t i = 0; i < catalog.messages.size(); ++i)
        if (catalog.messages[i].line < 1 || (i > 0 && catalog.messages[i].line <= catalog.messages[i - 1].line))
            __builtin_trap();

    // Outside any try: an exception here ends the run as a failure.
    const std::string written = QorWritePo(catalog);
    const CCatalog again = QorReadPo(written);
    QorFuzzCheckSameCatalog(catalog, again, true);
    if (QorWritePo(again) != written) __builtin_trap();
    return 0;
}
