#include "framework/ToolBar.h"

#include <vector>

BOOL CToolBar::Create(CWnd* parent, DWORD style, UINT id) {
    if (!CWnd::Create(TOOLBARCLASSNAMEW, nullptr, style, RECT{0, 0, 0, 0}, parent, id)) return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* ids, int count) {
    while (GetCount() > 0) SendMessage(TB_DELETEBUTTON, 0);
    std::vector<TBBUTTON> buttons(std::size_t(count > 0 ? count : 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON& b = buttons[std::size_t(i)];
        b.idCommand = int(ids[i]);
        b.fsState = TBSTATE_ENABLED;
        b.fsStyle = ids[i] == ID_SEPARATOR ? BTNS_SEP : BTNS_BUTTON;
        b.iBitmap = ids[i] == ID_SEPARATOR ? 0 : I_IMAGENONE;
    }
    return count <= 0 || SendMessage(TB_ADDBUTTONSW, WPARAM(count), LPARAM(buttons.data())) != 0;
}

UINT CToolBar::GetItemID(int index) const {
    TBBUTTON button = {};
    if (!SendMessage(TB_GETBUTTON, WPARAM(index), LPARAM(&button))) return 0;
    return (button.fsStyle & BTNS_SEP) ? 0 : UINT(button.idCommand);
}
