#pragma once

// Marks the classes that QorDictionary.dll exports to its host. Native Linux
// builds link the core statically, so the macro only sets visibility there.
#if defined(_WIN32)
#  if defined(QORDICT_BUILDING_DLL)
#    define QOR_API __declspec(dllexport)
#  else
#    define QOR_API __declspec(dllimport)
#  endif
#else
#  define QOR_API __attribute__((visibility("default")))
#endif
