#include "host/ui/VarnPVisualManager.h"

CVarnPVisualManager::CVarnPVisualManager()
    : m_dialogBack(GetSysColor(COLOR_BTNFACE)), m_dialogBrush(CreateSolidBrush(m_dialogBack)) {}

CVarnPVisualManager* CVarnPVisualManager::GetInstance() {
    static CVarnPVisualManager manager;
    return &manager;
}

void CVarnPVisualManager::GetGridColors(CVarnPGridColors& colors) const {
    colors.background = GetSysColor(COLOR_WINDOW);
    colors.text = GetSysColor(COLOR_WINDOWTEXT);
    colors.gridLine = RGB(218, 220, 224);
    colors.headerBack = m_dialogBack;
    colors.headerText = GetSysColor(COLOR_BTNTEXT);
    colors.headerLine = GetSysColor(COLOR_BTNSHADOW);
    colors.selectionBack = GetSysColor(COLOR_HIGHLIGHT);
    colors.selectionText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    colors.currentBorder = GetSysColor(COLOR_WINDOWTEXT);
    colors.frozenLine = GetSysColor(COLOR_BTNSHADOW);
}
