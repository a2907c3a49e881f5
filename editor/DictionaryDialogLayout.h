#pragma once

#include "base/QorApi.h"
#include "widgets/PixelRect.h"

// Where the main editor dialog puts its children for a client rectangle:
// the tree down the left, the splitter bar beside it, the page area to the
// right, OK and Cancel at the bottom right.
struct DictionaryDialogLayout {
    PixelRect tree;
    PixelRect splitter;
    PixelRect pageArea;
    PixelRect okButton;
    PixelRect cancelButton;
};

QOR_API DictionaryDialogLayout LayOutDictionaryDialog(const PixelRect& client);
