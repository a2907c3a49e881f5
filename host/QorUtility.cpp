#include "host/QorUtility.h"

#include <windows.h>

#include <vector>

#include "host/COleVariant.h"

namespace {

CString& ModulePathOverride() {
    static CString path;
    return path;
}

CString WithoutLastPart(const CString& path) {
    int slash = path.GetLength() - 1;
    while (slash >= 0 && path[slash] != L'\\' && path[slash] != L'/') --slash;
    return slash > 0 ? path.Left(slash) : CString();
}

}  // namespace

void CQorUtility::SetModulePath(const CString& folder) {
    CString path = folder;
    while (path.GetLength() > 1 && (path[path.GetLength() - 1] == L'\\' || path[path.GetLength() - 1] == L'/'))
        path = path.Left(path.GetLength() - 1);
    ModulePathOverride() = path;
}

CString CQorUtility::GetModulePath() {
    if (!ModulePathOverride().IsEmpty()) return ModulePathOverride();
    std::vector<WCHAR> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
        if (length == 0) return CString();
        if (length < buffer.size()) return WithoutLastPart(CString(buffer.data(), int(length)));
        buffer.resize(buffer.size() * 2);
    }
}

CString CQorUtility::GetModuleUpperLevelPath() { return WithoutLastPart(GetModulePath()); }

CString CQorUtility::GetHelpFile() { return GetModulePath() + L"\\Help\\QorHelp.chm"; }

CString CQorUtility::VarToStr(const COleVariant& value) {
    if (value.vt == VT_EMPTY || value.vt == VT_NULL) return CString();
    if (value.vt == VT_BSTR) return CString(value.bstrVal ? value.bstrVal : L"", int(SysStringLen(value.bstrVal)));
    COleVariant text;
    if (FAILED(VariantChangeTypeEx(&text, const_cast<COleVariant*>(&value), LOCALE_INVARIANT, 0, VT_BSTR))) {
        return CString();
    }
    return CString(text.bstrVal ? text.bstrVal : L"", int(SysStringLen(text.bstrVal)));
}
