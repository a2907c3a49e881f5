#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/CString.h"
#include "base/QorApi.h"

// Reads the whole file at path, at most maxSize bytes, and hands its bytes to
// parse. A failure to open or read it, a file over the limit, or a CException
// or lack of memory in parse returns false with one English sentence naming
// the file in error; the caller drops whatever parse had made.
QOR_API bool QorParseWholeFile(const CString& path, std::uint64_t maxSize,
                               const std::function<void(std::string&& bytes)>& parse, CString& error);
