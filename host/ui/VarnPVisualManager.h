#pragma once

#include <windows.h>

#include "base/QorApi.h"
#include "base/win/UniqueHandle.h"
#include "host/ui/VarnPGridColors.h"

// The control library's visual style: the colours its dialogs and controls
// paint with. One per process.
class QOR_API CVarnPVisualManager {
public:
    static CVarnPVisualManager* GetInstance();
    COLORREF GetDialogBackColor() const { return m_dialogBack; }
    HBRUSH GetDialogBackBrush() const { return m_dialogBrush.get(); }
    // The grid colours of this style, from the system colours.
    void GetGridColors(CVarnPGridColors& colors) const;

private:
    CVarnPVisualManager();
    COLORREF m_dialogBack;
    UniqueBrush m_dialogBrush;
};
