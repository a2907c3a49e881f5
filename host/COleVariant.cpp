#include "host/COleVariant.h"

#include <new>

COleVariant::COleVariant(const COleVariant& other) : COleVariant(static_cast<const VARIANT&>(other)) {}

COleVariant::COleVariant(const VARIANT& other) {
    VariantInit(this);
    if (FAILED(VariantCopy(this, const_cast<VARIANT*>(&other)))) throw std::bad_alloc();
}

COleVariant::COleVariant(const WCHAR* text) {
    VariantInit(this);
    bstrVal = SysAllocString(text ? text : L"");
    if (!bstrVal) throw std::bad_alloc();
    vt = VT_BSTR;
}

COleVariant::COleVariant(double value) noexcept {
    VariantInit(this);
    vt = VT_R8;
    dblVal = value;
}

COleVariant::COleVariant(long value) noexcept {
    VariantInit(this);
    vt = VT_I4;
    lVal = value;
}

COleVariant& COleVariant::operator=(const COleVariant& other) {
    if (this != &other && FAILED(VariantCopy(this, const_cast<COleVariant*>(&other)))) throw std::bad_alloc();
    return *this;
}
