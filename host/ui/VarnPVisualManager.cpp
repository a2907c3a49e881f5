#include "host/ui/VarnPVisualManager.h"

CVarnPVisualManager::CVarnPVisualManager()
    : m_dialogBack(GetSysColor(COLOR_BTNFACE)), m_dialogBrush(CreateSolidBrush(m_dialogBack)) {}

CVarnPVisualManager* CVarnPVisualManager::GetInstance() {
    static CVarnPVisualManager manager;
    return &manager;
}
