#pragma once

#include <windows.h>
#include <oaidl.h>

#include "base/Types.h"
#include "base/QorApi.h"

// An owned OLE Automation VARIANT, as the framework's COleVariant: cleared by
// the destructor, deep-copied by copies. Only what the spreadsheet exchange
// needs: empty, text and number values.
class QOR_API COleVariant : public tagVARIANT {
public:
    COleVariant() noexcept { VariantInit(this); }
    COleVariant(const COleVariant& other);
    COleVariant(const VARIANT& other);
    COleVariant(const WCHAR* text);
    COleVariant(double value) noexcept;
    COleVariant(long value) noexcept;
    ~COleVariant() { VariantClear(this); }
    COleVariant& operator=(const COleVariant& other);
};
