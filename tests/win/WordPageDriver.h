#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include "ModalDriver.h"
#include "pages/win/VirtualGridCtrl.h"
#include "resources/Resource.h"

// Steps on the editor's system word page, for tests that drive it through
// the editor: open the page, press its buttons.
struct WordPageDriver {
    HWND editor = nullptr;
    HWND page = nullptr;
    CVirtualGridCtrl* grid = nullptr;

    // Waits for the editor and brings the system words to the front.
    ModalDriver::Step OpenSystemPage() {
        return [this] {
            editor = FindTopLevelWithControl(IDC_DICT_TREE);
            if (!editor) return false;
            ShowEditorCard(editor, 1);
            page = GetParent(FindDescendant(editor, IDC_FUNCTION_DIAGRAM));
            grid = dynamic_cast<CVirtualGridCtrl*>(CWnd::FromHandlePermanent(GetDlgItem(page, 1)));
            EXPECT_NE(grid, nullptr);
            return true;
        };
    }
    // Posted, so that what the button opens runs outside this step.
    ModalDriver::Step Press(int button) {
        return [this, button] {
            PostMessageW(GetDlgItem(page, button), BM_CLICK, 0, 0);
            return true;
        };
    }
};
