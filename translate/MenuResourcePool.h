#pragma once

#include <windows.h>

#include <memory>

#include "base/CString.h"
#include "base/QorApi.h"
#include "model/DictMode.h"

class CMenuResourcePoolObj;

// Relabels a menu and its submenus in another language. The text of every
// command item is captured once, with the accelerator text after its tab
// kept apart; ChangeLanguage rewrites each item by position from the captured
// texts and puts the accelerator text back.
class QOR_API CMenuResourcePool {
public:
    CMenuResourcePool();
    virtual ~CMenuResourcePool();
    CMenuResourcePool(const CMenuResourcePool&) = delete;
    CMenuResourcePool& operator=(const CMenuResourcePool&) = delete;

    // pDictManager is a CQorDictionaryManager*, not owned.
    void InitialResourcePool(HINSTANCE hInstance, HMENU hMenu, void* pDictManager);
    void ChangeLanguage(DICTMODE mode);
    // What the first captured item with this ID reads in the mode's language;
    // the menu is not changed. Empty when unknown.
    CString GetString(UINT nID, DICTMODE mode);

private:
    std::unique_ptr<CMenuResourcePoolObj> m_pObj;
};
