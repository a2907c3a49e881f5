#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The texts a user sees in one resource, in template order: the strings of
// a string-table block, the item texts of a menu (without the part from the
// first tab on, where an accelerator is shown; "&" kept), the caption and
// control texts of a dialog (texts given as ordinals skipped). Normal and
// extended menus and dialogs. Empty texts are not collected. Each returns an
// empty string, or why the resource is damaged; `out` then gains nothing.
std::string ReadStringTableTexts(const unsigned char* data, std::size_t size, std::vector<std::u16string>& out);
std::string ReadMenuTexts(const unsigned char* data, std::size_t size, std::vector<std::u16string>& out);
std::string ReadDialogTexts(const unsigned char* data, std::size_t size, std::vector<std::u16string>& out);
