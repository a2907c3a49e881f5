#pragma once

#include <memory>

#include "base/QorApi.h"
#include "model/DictMode.h"

class CToolBar;
class CToolBarResourcePoolObj;

// Relabels the tooltips of a toolbar's buttons in another language. Button
// captions and fonts are left alone.
class QOR_API CToolBarResourcePool {
public:
    CToolBarResourcePool();
    virtual ~CToolBarResourcePool();
    CToolBarResourcePool(const CToolBarResourcePool&) = delete;
    CToolBarResourcePool& operator=(const CToolBarResourcePool&) = delete;

    // pDictManager is a CQorDictionaryManager*, not owned.
    void InitialResourcePool(CToolBar* pToolBar, void* pDictManager);
    void ChangeLanguage(DICTMODE mode);

private:
    std::unique_ptr<CToolBarResourcePoolObj> m_pObj;
};
