#include "translate/MenuResourcePool.h"

#include <new>

#include "model/QorDictionaryManager.h"
#include "model/QorLanguageDict.h"
#include "translate/MenuResourcePoolObj.h"

namespace {

void CaptureMenu(HMENU menu, std::vector<CMenuResource>& items) {
    const int count = GetMenuItemCount(menu);  // -1 when unreadable: nothing to capture
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, UINT(position), TRUE, &info)) continue;
        // Separators, and items without an identifier, go with all below them.
        if (info.wID == 0) continue;
        WCHAR buffer[256];
        const int length = GetMenuStringW(menu, info.wID, buffer, 256, MF_BYCOMMAND);
        CString text(buffer, length > 0 ? length : 0);
        CString accelerator;
        const int tab = text.Find(WCHAR('\t'));
        if (tab > 0) {
            accelerator = text.Mid(tab + 1);
            text = text.Left(tab);
        }
        if (!text.IsEmpty()) items.push_back(CMenuResource{text, accelerator, menu, info.wID, UINT(position)});
        if (info.hSubMenu) CaptureMenu(info.hSubMenu, items);
    }
}

CString WithAccelerator(CString display, const CMenuResource& item) {
    if (!item.acceleratorText.IsEmpty()) {
        display += WCHAR('\t');
        display += item.acceleratorText;
    }
    return display;
}

}  // namespace

CMenuResourcePool::CMenuResourcePool() : m_pObj(new CMenuResourcePoolObj) {}

CMenuResourcePool::~CMenuResourcePool() = default;

void CMenuResourcePool::InitialResourcePool(HINSTANCE hInstance, HMENU hMenu, void* pDictManager) {
    if (!m_pObj) return;
    CMenuResourcePoolObj& obj = *m_pObj;
    obj.items.clear();
    obj.hMenu = hMenu;
    obj.manager = static_cast<CQorDictionaryManager*>(pDictManager);
    obj.hInstance = hInstance;
    if (!hMenu) return;
    try {
        CaptureMenu(hMenu, obj.items);
    } catch (const std::bad_alloc&) {
        // Out of memory: keep what was captured so far.
    }
}

void CMenuResourcePool::ChangeLanguage(DICTMODE mode) {
    if (!m_pObj || !m_pObj->manager) return;
    const CQorDictionaryManager& manager = *m_pObj->manager;
    const CQorLanguageDict* language = manager.GetModeLanguage(mode);
    if (!language || !manager.IsEnable()) return;
    try {
        for (const CMenuResource& item : m_pObj->items) {
            if (!item.hMenu) continue;
            const CString display = WithAccelerator(manager.GetDisplayCharacterIn(*language, mode, item.text), item);
            ModifyMenuW(item.hMenu, item.position, MF_BYPOSITION | MF_STRING, item.commandId, display);
        }
    } catch (const std::bad_alloc&) {
        // Out of memory mid-way: what was relabelled so far stays.
    }
}

CString CMenuResourcePool::GetString(UINT nID, DICTMODE mode) {
    if (!m_pObj || !m_pObj->manager) return CString();
    for (const CMenuResource& item : m_pObj->items) {
        if (item.commandId != nID) continue;
        const CQorLanguageDict* language = m_pObj->manager->GetModeLanguage(mode);
        return language ? WithAccelerator(m_pObj->manager->GetDisplayCharacterIn(*language, mode, item.text), item)
                        : CString();
    }
    return CString();
}
