#include "host/resmodule/ResourceTexts.h"

#include "host/resmodule/ByteReader.h"

namespace {

constexpr std::uint16_t kMenuPopup = 0x10;
constexpr std::uint16_t kMenuEnd = 0x80;
constexpr std::uint16_t kMenuExPopup = 0x01;
constexpr std::uint32_t kDialogSetFont = 0x40;
// Deeper nesting than any real menu; a deeper one is damage, not recursion without end.
constexpr int kMaxMenuDepth = 32;

// A zero-terminated UTF-16 string; a missing terminator fails the reader.
std::u16string ZeroTerminated(ByteReader& reader) {
    std::u16string text;
    for (;;) {
        const char16_t unit = char16_t(reader.U16());
        if (reader.Failed() || unit == 0) return text;
        text.push_back(unit);
    }
}

// A name or ordinal field of a dialog: 0x0000 none, 0xFFFF an ordinal, else a string.
std::u16string StringOrOrdinal(ByteReader& reader) {
    const std::uint16_t first = reader.U16();
    if (first == 0) return std::u16string();
    if (first == 0xFFFF) {
        reader.U16();
        return std::u16string();
    }
    std::u16string rest = ZeroTerminated(reader);
    return char16_t(first) + rest;
}

void Collect(std::u16string text, std::vector<std::u16string>& texts, bool cutAtTab) {
    if (cutAtTab) {
        const std::size_t tab = text.find(u'\t');
        if (tab != std::u16string::npos) text.resize(tab);
    }
    if (!text.empty()) texts.push_back(std::move(text));
}

bool NormalMenuItems(ByteReader& reader, int depth, std::vector<std::u16string>& texts) {
    if (depth > kMaxMenuDepth) return false;
    for (;;) {
        const std::uint16_t flags = reader.U16();
        if (!(flags & kMenuPopup)) reader.U16();  // command ID
        Collect(ZeroTerminated(reader), texts, true);
        if (reader.Failed()) return false;
        if ((flags & kMenuPopup) && !NormalMenuItems(reader, depth + 1, texts)) return false;
        if (flags & kMenuEnd) return true;
    }
}

bool ExtendedMenuItems(ByteReader& reader, int depth, std::vector<std::u16string>& texts) {
    if (depth > kMaxMenuDepth) return false;
    for (;;) {
        reader.Skip(12);  // type, state, ID
        const std::uint16_t flags = reader.U16();
        Collect(ZeroTerminated(reader), texts, true);
        reader.AlignTo4();
        if (reader.Failed()) return false;
        if (flags & kMenuExPopup) {
            reader.U32();  // help ID
            if (!ExtendedMenuItems(reader, depth + 1, texts)) return false;
        }
        if (flags & kMenuEnd) return true;
    }
}

}  // namespace

std::string ReadStringTableTexts(const unsigned char* data, std::size_t size, std::vector<std::u16string>& out) {
    ByteReader reader(data, size);
    std::vector<std::u16string> texts;
    for (int i = 0; i < 16 && !reader.AtEnd(); ++i) {
        const std::size_t length = reader.U16();
        if (reader.Failed() || !reader.Has(length * 2)) return "a string-table entry runs past the end of its block";
        std::u16string text;
        for (std::size_t c = 0; c < length; ++c) text.push_back(char16_t(reader.U16()));
        Collect(std::move(text), texts, false);
    }
    out.insert(out.end(), texts.begin(), texts.end());
    return std::string();
}

std::string ReadMenuTexts(const unsigned char* data, std::size_t size, std::vector<std::u16string>& out) {
    ByteReader reader(data, size);
    const std::uint16_t version = reader.U16();
    const std::uint16_t headerSize = reader.U16();
    std::vector<std::u16string> texts;
    bool whole = false;
    if (version == 0) {
        reader.Skip(headerSize);
        whole = NormalMenuItems(reader, 0, texts);
    } else if (version == 1) {
        reader.Skip(headerSize);  // counted from after this field: the help ID and any padding
        whole = ExtendedMenuItems(reader, 0, texts);
    } else {
        return "a menu has an unknown template version";
    }
    if (!whole || reader.Failed()) return "a menu's items run past the end of the resource";
    out.insert(out.end(), texts.begin(), texts.end());
    return std::string();
}

std::string ReadDialogTexts(const unsigned char* data, std::size_t size, std::vector<std::u16string>& out) {
    ByteReader reader(data, size);
    const std::uint16_t version = reader.U16();
    const bool extended = reader.U16() == 0xFFFF && version == 1;
    std::uint32_t style = 0;
    std::size_t items = 0;
    if (extended) {
        reader.Skip(8);  // help ID, extended style
        style = reader.U32();
    } else {
        reader = ByteReader(data, size);
        style = reader.U32();
        reader.Skip(4);
    }
    items = reader.U16();
    reader.Skip(8);  // position and size
    StringOrOrdinal(reader);  // menu
    StringOrOrdinal(reader);  // window class
    std::vector<std::u16string> texts;
    Collect(ZeroTerminated(reader), texts, false);
    if (style & kDialogSetFont) {
        reader.Skip(extended ? 6 : 2);  // point size (and weight, italic, character set)
        ZeroTerminated(reader);         // typeface
    }
    for (std::size_t i = 0; i < items && !reader.Failed(); ++i) {
        reader.AlignTo4();
        reader.Skip(extended ? 24 : 18);
        StringOrOrdinal(reader);  // class
        Collect(StringOrOrdinal(reader), texts, false);
        const std::size_t extra = reader.U16();
        reader.Skip(extra);
    }
    if (reader.Failed()) return "a dialog's template runs past the end of the resource";
    out.insert(out.end(), texts.begin(), texts.end());
    return std::string();
}
