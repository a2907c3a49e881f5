#pragma once

#include <memory>

class CQorDictionaryManager;

// The benchmarks' dictionary: languages German, French, Japanese and Chinese
// (the system default), and `words` system words translated into each.
std::unique_ptr<CQorDictionaryManager> MakeBenchDictionary(long words);

// Peak and current resident memory of this process in KiB (Linux); the peak
// counts again from now after ResetPeakMemory.
long PeakMemoryKiB();
long CurrentMemoryKiB();
void ResetPeakMemory();
