// libFuzzer target for the resource enumerator: any bytes give texts or a
// reason to skip the module, never a crash, a read past the end or a hang;
// a module either contributes texts or a reason, not both.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "host/resmodule/QorResModuleManager.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (WORD language : {WORD(0x0804), WORD(0x0407), WORD(0x0409)}) {
        std::vector<CString> texts;
        const CString reason = CQorResModuleManager::ReadModuleImage(data, size, language, texts);
        if (!reason.IsEmpty() && !texts.empty()) std::abort();
        for (const CString& text : texts)
            if (text.IsEmpty()) std::abort();
    }
    return 0;
}
