#pragma once

// The Win32 scalar types the portable core speaks in. On Windows they are the
// platform's own (same underlying types, so windows.h can be included after
// this header); elsewhere they are defined with the same sizes.
#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
typedef wchar_t WCHAR;
typedef unsigned long DWORD;
#define QSTR(s) L##s
#else
typedef char16_t WCHAR;
typedef std::uint32_t DWORD;
#define QSTR(s) u##s
#endif

typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef int BOOL;
typedef unsigned int UINT;
typedef long long LONGLONG;
typedef unsigned long long ULONGLONG;
typedef const WCHAR* LPCWSTR;
typedef WCHAR* LPWSTR;
typedef DWORD COLORREF;
typedef DWORD LCID;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

static_assert(sizeof(WCHAR) == 2, "strings are UTF-16 code units on every platform");
static_assert(sizeof(DWORD) == 4, "DWORD is 32 bits on every platform");
