#include "translate/TextHelpers.h"

#include <cstring>

#include "model/QorDictionaryManager.h"
#include "model/QorLanguageDict.h"
#include "framework/Wnd.h"
#include "translate/LanguageFont.h"
#include "translate/WndResourcePool.h"

CString LoadModuleString(HINSTANCE hInst, UINT nID) {
    WCHAR buffer[260] = {};
    LoadStringW(hInst, nID, buffer, 260);
    CString text;
    text.Format(L"%s", buffer);
    return text;
}

namespace {

CQorLanguageDict* SystemLanguage(CQorDictionaryManager* pManager) {
    return pManager ? pManager->GetModeLanguage(DICTMODE_SYSTEM) : nullptr;
}

CString LocaleInfo(LCID lcid, LCTYPE type) {
    WCHAR buffer[85] = {};
    if (GetLocaleInfoW(lcid, type, buffer, 85) == 0) return CString(L"Not supported language");
    return CString(buffer);
}

}  // namespace

CString LoadDictString(CQorDictionaryManager* pManager, HINSTANCE hInst, UINT nID) {
    CString loaded = LoadModuleString(hInst, nID);
    CQorLanguageDict* language = SystemLanguage(pManager);
    if (!language) return loaded;
    CString translated = pManager->GetDisplayCharacterIn(*language, DICTMODE_SYSTEM, loaded);
    return translated.IsEmpty() ? loaded : translated;
}

CString GetLCIDLocaleName(LCID lcid) { return LocaleInfo(lcid, LOCALE_SNAME); }

CString GetLCIDNativeName(LCID lcid) { return LocaleInfo(lcid, LOCALE_SNATIVELANGNAME); }

void TranslateDialog(HWND hWnd, CQorDictionaryManager* pManager, const CDWordArray* pExceptWnds,
                     const CDWordArray* pExceptFontWnds) {
    if (!pManager) return;
    CWndResourcePool pool;
    if (pExceptWnds) pool.SetExceptionWndHandle(*pExceptWnds);
    if (pExceptFontWnds) pool.SetExceptionFontWndHandle(*pExceptFontWnds);
    pool.InitialResourcePool(hWnd, pManager, 1);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
}

void ApplyLanguageFont(CWnd* pWnd, CQorDictionaryManager* pManager) {
    CQorLanguageDict* language = SystemLanguage(pManager);
    if (!language || !pManager->IsEnableFont() || !pWnd || !pWnd->GetSafeHwnd()) return;
    // A language without font data leaves the record as zeroed here; it names
    // no font, and the window keeps its own.
    LOGFONTW font;
    std::memset(&font, 0, sizeof font);
    language->GetFont(font);
    static const LOGFONTW kNoFont = {};
    if (std::memcmp(&font, &kNoFont, sizeof font) == 0) return;
    // The font object is shared and lives as long as the library, so the
    // window can keep it.
    pWnd->SetFont(GetLanguageFont(font), TRUE);
}
