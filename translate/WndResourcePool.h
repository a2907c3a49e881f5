#pragma once

#include <windows.h>

#include <memory>

#include "base/CList.h"
#include "base/CStringArray.h"
#include "base/QorApi.h"
#include "model/DictMode.h"

class CWndResourcePoolObj;

// Relabels a window and its direct child controls in another language.
// InitialResourcePool captures the caption, the control texts, combo-box
// entries, list-view column headers and tab labels once; ChangeLanguage
// rewrites them from the dictionary (the captured texts stay the keys, so a
// window can be switched back and forth), relabels the system menu and gives
// the window tree the language's font. Window handles in the exception lists
// are 32-bit values.
class QOR_API CWndResourcePool {
public:
    CWndResourcePool();
    virtual ~CWndResourcePool();
    CWndResourcePool(const CWndResourcePool&) = delete;
    CWndResourcePool& operator=(const CWndResourcePool&) = delete;

    // pDictManager is a CQorDictionaryManager*, not owned.
    void InitialResourcePool(HWND hWnd, void* pDictManager, int bTranslateCaption);
    void ChangeLanguage(DICTMODE mode);
    void SetDictManager(void* pDictManager);

    // Windows of these classes (exact letter case) are not captured...
    void SetExceptionWndClassName(const CStringArray& classNames);
    // ...unless their handle is listed here.
    void SetExceptionWndClassExceptionHandle(const CDWordArray& handles);
    // Windows not captured.
    void SetExceptionWndHandle(const CDWordArray& handles);
    // Windows the font walk leaves alone.
    void SetExceptionFontWndHandle(const CDWordArray& handles);

private:
    std::unique_ptr<CWndResourcePoolObj> m_pObj;
};
