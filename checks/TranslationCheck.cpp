#include "checks/TranslationCheck.h"

#include <algorithm>
#include <string>

#include "checks/UiTextTokens.h"

namespace {

CString Text(const char* utf8) { return CString::FromUtf8(std::string(utf8)); }

struct Insert {
    std::string key;   // "%1", "{0}"
    std::string type;  // the argument a %1!d! reads; braces format, they do not type
    CString text;
};

// What a text holds that its translation has to keep.
struct TextParts {
    std::vector<CString> conversions;
    std::vector<std::string> conversionKeys;
    int percentLiterals = 0;
    std::vector<Insert> inserts;  // first use of each, in order
    int accelerators = 0;
    int strayBeforeSpace = 0;
    int strayAtEnd = 0;
    bool hasShortcut = false;
    CString shortcut;
    bool hasProse = false;  // anything to translate besides placeholders and punctuation
};

Insert MakeInsert(const WCHAR* text, int length) {
    Insert insert;
    insert.text = CString(text, length);
    int i = 1;
    long number = 0;
    while (i < length && text[i] >= '0' && text[i] <= '9') number = number * 10 + (text[i++] - '0');
    if (text[0] == '{') {
        insert.key = "{" + std::to_string(number) + "}";
    } else {
        insert.key = "%" + std::to_string(number);
        // A bare %1 reads a string, as %1!s! does.
        insert.type = i < length ? QorPrintfArgumentKey(text + i, length - i - 1) : "s";
    }
    return insert;
}

TextParts Parse(const CString& string) {
    TextParts parts;
    const WCHAR* text = string.GetString();
    for (const CUiToken& token : QorTokenizeUiText(string)) {
        const WCHAR* at = text + token.start;
        switch (token.kind) {
        case UiTokenKind::Text:
            for (int i = 0; i < token.length && !parts.hasProse; ++i) {
                WCHAR ch = at[i];
                parts.hasProse = ((ch | 0x20) >= 'a' && (ch | 0x20) <= 'z') || (ch >= 0x80 && !QorIsUiWhiteSpace(ch));
            }
            break;
        case UiTokenKind::Printf:
            parts.conversions.emplace_back(at, token.length);
            parts.conversionKeys.push_back(QorPrintfArgumentKey(at, token.length));
            break;
        case UiTokenKind::PercentLiteral: ++parts.percentLiterals; break;
        case UiTokenKind::Insert: {
            Insert insert = MakeInsert(at, token.length);
            auto same = [&](const Insert& other) { return other.key == insert.key; };
            if (std::none_of(parts.inserts.begin(), parts.inserts.end(), same)) parts.inserts.push_back(insert);
            break;
        }
        case UiTokenKind::Accelerator: ++parts.accelerators; break;
        case UiTokenKind::Ampersand: break;
        case UiTokenKind::StrayAmpersand:
            ++(token.start + 1 == string.GetLength() ? parts.strayAtEnd : parts.strayBeforeSpace);
            break;
        case UiTokenKind::Shortcut:
            parts.hasShortcut = true;
            parts.shortcut = CString(at, token.length);
            break;
        }
    }
    return parts;
}

class Findings {
public:
    void Error(CheckKind kind, const CString& message) { m_list.push_back({CheckSeverity::Error, kind, message}); }
    void Warning(CheckKind kind, const CString& message) { m_list.push_back({CheckSeverity::Warning, kind, message}); }
    std::vector<CCheckFinding> Take() { return std::move(m_list); }

private:
    std::vector<CCheckFinding> m_list;
};

CString Joined(const std::vector<CString>& texts) {
    CString joined;
    for (std::size_t i = 0; i < texts.size(); ++i) joined += (i ? Text(" ") : CString()) + texts[i];
    return joined;
}

void CheckConversions(const TextParts& original, const TextParts& translation, Findings& out) {
    const auto& want = original.conversionKeys;
    const auto& have = translation.conversionKeys;
    if (want != have) {
        auto sortedWant = want, sortedHave = have;
        std::sort(sortedWant.begin(), sortedWant.end());
        std::sort(sortedHave.begin(), sortedHave.end());
        if (sortedWant == sortedHave) {
            out.Error(CheckKind::Printf, Text("placeholder order differs: ") + Joined(original.conversions) +
                                             Text(" became ") + Joined(translation.conversions));
        } else if (want.size() == have.size()) {
            for (std::size_t i = 0; i < want.size(); ++i)
                if (want[i] != have[i])
                    out.Error(CheckKind::Printf, Text("placeholder ") + original.conversions[i] + Text(" became ") +
                                                     translation.conversions[i]);
        } else {
            // Each of the translation's conversions answers the first unmatched one of its type.
            std::vector<bool> used(have.size(), false);
            for (std::size_t i = 0; i < want.size(); ++i) {
                std::size_t j = 0;
                while (j < have.size() && (used[j] || have[j] != want[i])) ++j;
                if (j < have.size()) used[j] = true;
                else out.Error(CheckKind::Printf, Text("missing placeholder ") + original.conversions[i]);
            }
            for (std::size_t j = 0; j < have.size(); ++j)
                if (!used[j]) out.Error(CheckKind::Printf, Text("extra placeholder ") + translation.conversions[j]);
        }
    }
    for (int n = translation.percentLiterals; n < original.percentLiterals; ++n)
        out.Error(CheckKind::Printf, Text("missing placeholder %%"));
    for (int n = original.percentLiterals; n < translation.percentLiterals; ++n)
        out.Error(CheckKind::Printf, Text("extra placeholder %%"));
}

void CheckInserts(const TextParts& original, const TextParts& translation, Findings& out) {
    auto find = [](const TextParts& parts, const std::string& key) -> const Insert* {
        for (const Insert& insert : parts.inserts)
            if (insert.key == key) return &insert;
        return nullptr;
    };
    for (const Insert& insert : original.inserts) {
        const Insert* other = find(translation, insert.key);
        if (!other) out.Error(CheckKind::Placeholder, Text("missing placeholder ") + insert.text);
        else if (other->type != insert.type)
            out.Error(CheckKind::Placeholder, Text("placeholder ") + insert.text + Text(" became ") + other->text);
    }
    for (const Insert& insert : translation.inserts)
        if (!find(original, insert.key)) out.Error(CheckKind::Placeholder, Text("extra placeholder ") + insert.text);
}

void CheckAccelerators(const TextParts& original, const TextParts& translation, Findings& out) {
    const int strayAtEnd = std::max(0, translation.strayAtEnd - original.strayAtEnd);
    const int strayBeforeSpace = std::max(0, translation.strayBeforeSpace - original.strayBeforeSpace);
    if (strayAtEnd) out.Error(CheckKind::Accelerator, Text("accelerator at the end"));
    if (strayBeforeSpace) out.Error(CheckKind::Accelerator, Text("accelerator before a space"));
    // A marker only misplaced is told once, above.
    const int have = translation.accelerators;
    if (have != original.accelerators && have + strayAtEnd + strayBeforeSpace != original.accelerators)
        out.Error(CheckKind::Accelerator, Text("accelerator count differs"));
}

void CheckShortcut(const TextParts& original, const CString& translation, Findings& out) {
    if (!original.hasShortcut) return;
    int tab = translation.Find(WCHAR('\t'));
    if (tab < 0) out.Error(CheckKind::AcceleratorText, Text("missing accelerator text ") + original.shortcut);
    else if (translation.Mid(tab + 1) != original.shortcut)
        out.Error(CheckKind::AcceleratorText,
                  Text("accelerator text ") + original.shortcut + Text(" became ") + translation.Mid(tab + 1));
}

int LeadingSpace(const CString& text) {
    int n = 0;
    while (n < text.GetLength() && QorIsUiWhiteSpace(text[n])) ++n;
    return n;
}

// A text of white space only is all leading.
int TrailingSpace(const CString& text) {
    const int room = text.GetLength() - LeadingSpace(text);
    int n = 0;
    while (n < room && QorIsUiWhiteSpace(text[text.GetLength() - 1 - n])) ++n;
    return n;
}

struct LineBreaks {
    int crlf = 0, lf = 0, cr = 0;
    int Total() const { return crlf + lf + cr; }
};

LineBreaks CountLineBreaks(const CString& text) {
    LineBreaks breaks;
    for (int i = 0; i < text.GetLength(); ++i) {
        if (text[i] == '\r' && i + 1 < text.GetLength() && text[i + 1] == '\n') {
            ++breaks.crlf;
            ++i;
        } else if (text[i] == '\n') {
            ++breaks.lf;
        } else if (text[i] == '\r') {
            ++breaks.cr;
        }
    }
    return breaks;
}

int CountTabs(const CString& text) {
    int tabs = 0;
    for (int i = 0; i < text.GetLength(); ++i) tabs += text[i] == '\t';
    return tabs;
}

void CheckLayout(const CString& original, const CString& translation, Findings& out) {
    const int leading = LeadingSpace(original), trailing = TrailingSpace(original);
    if (original.Left(leading) != translation.Left(LeadingSpace(translation)))
        out.Error(CheckKind::WhiteSpace, Text("leading white space differs"));
    if (original.Right(trailing) != translation.Right(TrailingSpace(translation)))
        out.Error(CheckKind::WhiteSpace, Text("trailing white space differs"));
    LineBreaks want = CountLineBreaks(original), have = CountLineBreaks(translation);
    if (want.Total() != have.Total()) out.Error(CheckKind::LineBreaks, Text("line break count differs"));
    else if (want.crlf != have.crlf || want.lf != have.lf)
        out.Error(CheckKind::LineBreaks, Text("line break style differs"));
    if (CountTabs(original) != CountTabs(translation)) out.Error(CheckKind::Tabs, Text("tab count differs"));
}

}  // namespace

std::vector<CCheckFinding> QorCheckTranslation(const CString& original, const CString& translation,
                                               const CCheckContext& context) {
    Findings out;
    if (translation.IsEmpty()) {
        if (context.translatedElsewhere)
            out.Warning(CheckKind::Untranslated, Text(context.hasEntry ? "empty translation; other languages have one"
                                                                       : "no translation; other languages have one"));
        return out.Take();
    }
    const TextParts want = Parse(original), have = Parse(translation);
    CheckConversions(want, have, out);
    CheckInserts(want, have, out);
    CheckAccelerators(want, have, out);
    CheckShortcut(want, translation, out);
    CheckLayout(original, translation, out);

    if (translation == original && want.hasProse)
        out.Warning(CheckKind::Unchanged, Text("translation equal to the original"));
    // Measured in columns: a Chinese original takes about half the
    // characters of its English translation in the same room.
    const int shownOriginal = QorShownWidth(original), shownTranslation = QorShownWidth(translation);
    if (shownOriginal > 0 && shownTranslation > 3 * shownOriginal)
        out.Warning(CheckKind::Length, Text(("more than 3 times as wide as the original (" +
                                             std::to_string(shownTranslation) + " columns against " +
                                             std::to_string(shownOriginal) + ")")
                                                .c_str()));
    return out.Take();
}

const char* QorCheckSeverityName(CheckSeverity severity) {
    return severity == CheckSeverity::Error ? "error" : "warning";
}

const char* QorCheckKindName(CheckKind kind) {
    switch (kind) {
    case CheckKind::Printf: return "printf";
    case CheckKind::Placeholder: return "placeholder";
    case CheckKind::Accelerator: return "accelerator";
    case CheckKind::AcceleratorText: return "accelerator-text";
    case CheckKind::WhiteSpace: return "white-space";
    case CheckKind::LineBreaks: return "line-breaks";
    case CheckKind::Tabs: return "tabs";
    case CheckKind::Unchanged: return "unchanged";
    case CheckKind::Untranslated: return "untranslated";
    case CheckKind::Length: return "length";
    }
    return "unknown";
}
