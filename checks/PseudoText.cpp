#include "checks/PseudoText.h"

#include "checks/UiTextTokens.h"

namespace {

// Accented forms that keep each letter readable, all from Latin-1 and
// Latin Extended-A (and the florin), which the usual Windows UI fonts hold:
// a pseudo-text must not show boxes. Letters without such a form stay.
const WCHAR kUpper[26] = {0x00C5, 'B',    0x00C7, 0x00D0, 0x00C9, 'F',    0x011C, 0x0124, 0x00CE,
                          0x0134, 0x0136, 0x013B, 'M',    0x00D1, 0x00D6, 0x00DE, 'Q',    0x0154,
                          0x0160, 0x0166, 0x00DB, 'V',    0x0174, 'X',    0x00DD, 0x017D};
const WCHAR kLower[26] = {0x00E5, 'b',    0x00E7, 0x00F0, 0x00E9, 0x0192, 0x011D, 0x0125, 0x00EE,
                          0x0135, 0x0137, 0x013C, 'm',    0x00F1, 0x00F6, 0x00FE, 'q',    0x0155,
                          0x0161, 0x0167, 0x00FB, 'v',    0x0175, 'x',    0x00FD, 0x017E};

WCHAR LookAlike(WCHAR ch) {
    if (ch >= 'A' && ch <= 'Z') return kUpper[ch - 'A'];
    if (ch >= 'a' && ch <= 'z') return kLower[ch - 'a'];
    return ch;
}

}  // namespace

CString QorPseudoTranslate(const CString& original, int expandPercent) {
    const WCHAR* text = original.GetString();
    const int length = original.GetLength();
    const std::vector<CUiToken> tokens = QorTokenizeUiText(original);

    int lead = 0;
    while (lead < length && QorIsUiWhiteSpace(text[lead])) ++lead;
    // The core ends before the trailing white space, or before the tab of a shortcut.
    int coreEnd = length;
    if (!tokens.empty() && tokens.back().kind == UiTokenKind::Shortcut) coreEnd = tokens.back().start - 1;
    else
        while (coreEnd > lead && QorIsUiWhiteSpace(text[coreEnd - 1])) --coreEnd;
    if (coreEnd <= lead) return original;

    // A stray & has to stay last: anything after it would make it an accelerator.
    int closeAt = coreEnd;
    for (const CUiToken& token : tokens)
        if (token.kind == UiTokenKind::StrayAmpersand && token.start + 1 == coreEnd) closeAt = token.start;

    CString out(text, lead);
    out += WCHAR('[');
    for (const CUiToken& token : tokens) {
        const int from = token.start > lead ? token.start : lead;
        const int to = token.start + token.length < closeAt ? token.start + token.length : closeAt;
        for (int i = from; i < to; ++i) out += token.kind == UiTokenKind::Text ? LookAlike(text[i]) : text[i];
    }
    const long padding = (long(QorShownLength(original)) * expandPercent + 99) / 100;
    if (padding > 0) out += CString(WCHAR('~'), int(padding));
    out += WCHAR(']');
    out += original.Mid(closeAt);
    return out;
}
