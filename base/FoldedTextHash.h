#pragma once

#include <cstdint>

#include "base/CString.h"

// The hash of the dictionary's keys and of the miss recorder's texts:
// SipHash-1-3 of the UTF-16 code units with a-z folded to A-Z, so that two
// texts that are one key hash alike. Keys come from files and windows anyone
// may fill, so the hash is keyed with a secret: without it nobody can choose
// texts that pile up in one probe run.
struct CFoldedTextHashKey {
    std::uint64_t k0, k1;
};

// A new secret from the system's random source; should that fail, from the
// clock and an address, so that it still differs between runs.
QOR_API CFoldedTextHashKey MakeFoldedTextHashKey() noexcept;

QOR_API std::uint64_t HashFoldedText(const CString& text, const CFoldedTextHashKey& key) noexcept;
