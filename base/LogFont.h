#pragma once

// The 92-byte logical font record and the font handle. On Windows these are
// GDI's own types; elsewhere a byte-identical record and an opaque handle.
#include "base/Types.h"

#if defined(_WIN32)
#include <windef.h>
#include <wingdi.h>
#else
#define LF_FACESIZE 32
typedef struct tagLOGFONTW {
    std::int32_t lfHeight;
    std::int32_t lfWidth;
    std::int32_t lfEscapement;
    std::int32_t lfOrientation;
    std::int32_t lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    WCHAR lfFaceName[LF_FACESIZE];
} LOGFONTW;

struct HFONT__;
typedef HFONT__* HFONT;
#endif

static_assert(sizeof(LOGFONTW) == 92, "LOGFONTW is stored byte for byte");
