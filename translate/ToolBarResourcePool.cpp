#include "translate/ToolBarResourcePool.h"

#include <new>

#include "framework/ToolBar.h"
#include "framework/ToolTipCtrl.h"
#include "model/QorDictionaryManager.h"
#include "model/QorLanguageDict.h"
#include "translate/ToolBarResourcePoolObj.h"

CToolBarResourcePool::CToolBarResourcePool() : m_pObj(new CToolBarResourcePoolObj) {}

CToolBarResourcePool::~CToolBarResourcePool() = default;

void CToolBarResourcePool::InitialResourcePool(CToolBar* pToolBar, void* pDictManager) {
    if (!m_pObj) return;
    CToolBarResourcePoolObj& obj = *m_pObj;
    obj.items.clear();
    obj.manager = static_cast<CQorDictionaryManager*>(pDictManager);
    if (!pToolBar) return;
    obj.toolBar = pToolBar;
    CToolTipCtrl tips;
    tips.Attach(pToolBar->GetToolTips());
    const int count = pToolBar->GetCount();
    if (!tips.GetSafeHwnd() || count < 1) return;
    try {
        for (int i = 0; i < count; ++i) {
            const UINT id = pToolBar->GetItemID(i);
            if (id == 0) continue;
            CString text;
            tips.GetText(text, pToolBar, id);
            if (!text.IsEmpty()) obj.items.push_back(CToolBarResource{text, pToolBar, id});
        }
    } catch (const std::bad_alloc&) {
        // Out of memory: keep what was captured so far.
    }
}

void CToolBarResourcePool::ChangeLanguage(DICTMODE mode) {
    if (!m_pObj) return;
    const CToolBarResourcePoolObj& obj = *m_pObj;
    if (!obj.manager || !obj.toolBar || !IsWindow(obj.toolBar->GetSafeHwnd())) return;
    const CQorLanguageDict* language = obj.manager ? obj.manager->GetModeLanguage(mode) : nullptr;
    if (!language || !obj.manager->IsEnable()) return;
    CToolTipCtrl tips;
    tips.Attach(obj.toolBar->GetToolTips());
    if (!IsWindow(tips.GetSafeHwnd())) return;  // the tooltips went away after the capture
    try {
        for (const CToolBarResource& item : obj.items)
            tips.UpdateTipText(obj.manager->GetDisplayCharacterIn(*language, mode, item.text), item.toolBarWnd,
                               item.commandId);
    } catch (const std::bad_alloc&) {
        // Out of memory mid-way: what was relabelled so far stays.
    }
}
