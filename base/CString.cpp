#include "base/CString.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "base/LoadArena.h"
#include "base/Utf.h"

namespace {

WCHAR* Chars(CString::Header* header) noexcept { return reinterpret_cast<WCHAR*>(header + 1); }

}  // namespace

// The shared empty string: never allocated, never freed, never written.
alignas(CString::Header) static unsigned char g_nilStorage[sizeof(CString::Header) + sizeof(WCHAR)] = {};

static CString::Header* NilHeader() noexcept {
    return reinterpret_cast<CString::Header*>(g_nilStorage);
}

static CString::Header* AllocateHeader(int capacity) {
    if (capacity < 0) throw std::bad_alloc();
    std::size_t bytes = sizeof(CString::Header) + (std::size_t(capacity) + 1) * sizeof(WCHAR);
    void* memory = ArenaAllocate(bytes);
    auto* header = static_cast<CString::Header*>(memory);
    new (&header->refs) std::atomic<int>(1);
    header->length = 0;
    header->capacity = capacity;
    Chars(header)[0] = 0;
    return header;
}

std::size_t QorStrLen(const WCHAR* text) noexcept {
    if (!text) return 0;
    const WCHAR* end = text;
    while (*end) ++end;
    return std::size_t(end - text);
}

CString::CString() noexcept : m_pszData(Chars(NilHeader())) {}

CString::CString(const CString& other) noexcept : m_pszData(other.m_pszData) {
    Header* header = GetHeader();
    if (header != NilHeader()) header->refs.fetch_add(1, std::memory_order_relaxed);
}

CString::CString(CString&& other) noexcept : m_pszData(other.m_pszData) {
    other.m_pszData = Chars(NilHeader());
}

CString::CString(const WCHAR* text) : CString() { Assign(text, int(QorStrLen(text))); }

CString::CString(const WCHAR* text, int length) : CString() { Assign(text, length); }

CString::CString(WCHAR ch, int repeat) : CString() {
    if (repeat <= 0) return;
    PrepareWrite(repeat);
    for (int i = 0; i < repeat; ++i) m_pszData[i] = ch;
    m_pszData[repeat] = 0;
    GetHeader()->length = repeat;
}

CString::~CString() { Release(); }

void CString::Release() noexcept {
    Header* header = GetHeader();
    if (header == NilHeader()) return;
    if (header->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        header->refs.~atomic();
        ArenaFree(header);
    }
    m_pszData = Chars(NilHeader());
}

CString& CString::operator=(const CString& other) noexcept {
    if (m_pszData != other.m_pszData) {
        Header* header = other.GetHeader();
        if (header != NilHeader()) header->refs.fetch_add(1, std::memory_order_relaxed);
        Release();
        m_pszData = other.m_pszData;
    }
    return *this;
}

CString& CString::operator=(CString&& other) noexcept {
    if (this != &other) {
        Release();
        m_pszData = other.m_pszData;
        other.m_pszData = Chars(NilHeader());
    }
    return *this;
}

CString& CString::operator=(const WCHAR* text) {
    Assign(text, int(QorStrLen(text)));
    return *this;
}

void CString::PrepareWrite(int length) {
    Header* header = GetHeader();
    bool shared = header == NilHeader() || header->refs.load(std::memory_order_acquire) > 1;
    if (!shared && header->capacity >= length) return;
    int capacity = length;
    if (!shared || header->length > 0) {
        // Growth by half keeps repeated appends linear.
        int grown = header->length + header->length / 2;
        if (grown > capacity) capacity = grown;
    }
    Header* fresh = AllocateHeader(capacity);
    int keep = header->length < length ? header->length : length;
    std::memcpy(Chars(fresh), m_pszData, std::size_t(keep) * sizeof(WCHAR));
    Chars(fresh)[keep] = 0;
    fresh->length = keep;
    Release();
    m_pszData = Chars(fresh);
}

void CString::Assign(const WCHAR* text, int length) {
    if (!text || length <= 0) {
        Empty();
        return;
    }
    // text may point into this string's own buffer.
    if (text >= m_pszData && text <= m_pszData + GetLength()) {
        CString copy(text, length);
        *this = std::move(copy);
        return;
    }
    if (GetHeader() != NilHeader() && GetHeader()->refs.load(std::memory_order_acquire) > 1) Release();
    if (GetHeader() == NilHeader() || GetHeader()->capacity < length) {
        Release();
        m_pszData = Chars(AllocateHeader(length));
    }
    std::memcpy(m_pszData, text, std::size_t(length) * sizeof(WCHAR));
    m_pszData[length] = 0;
    GetHeader()->length = length;
}

CString CString::FromLittleEndianUtf16(const unsigned char* units, int length) {
    CString text;
    if (length <= 0) return text;
    Header* header = AllocateHeader(length);
    WCHAR* chars = Chars(header);
    std::memcpy(chars, units, std::size_t(length) * sizeof(WCHAR));
    const std::uint16_t one = 1;
    if (*reinterpret_cast<const unsigned char*>(&one) != 1)
        for (int i = 0; i < length; ++i) chars[i] = WCHAR(units[2 * i] | units[2 * i + 1] << 8);
    chars[length] = 0;
    header->length = length;
    text.m_pszData = chars;
    return text;
}

CString CString::FromUtf8(const char* text, std::size_t length) {
    std::u16string wide = Utf8ToUtf16(text, length);
    return CString(reinterpret_cast<const WCHAR*>(wide.data()), int(wide.size()));
}

std::string CString::ToUtf8() const {
    return Utf16ToUtf8(reinterpret_cast<const char16_t*>(m_pszData), std::size_t(GetLength()));
}

CString CString::FromNativeText(const std::string& text) {
    std::u16string wide = NativeNameToUtf16(text.data(), text.size());
    return CString(reinterpret_cast<const WCHAR*>(wide.data()), int(wide.size()));
}

std::string CString::ToNativeText() const {
    return Utf16ToNativeName(reinterpret_cast<const char16_t*>(m_pszData), std::size_t(GetLength()));
}

namespace {

int CompareUnits(const WCHAR* a, int na, const WCHAR* b, int nb, bool fold) noexcept {
    for (int i = 0, n = na < nb ? na : nb; i < n; ++i) {
        WCHAR x = fold ? QorToUpper(a[i]) : a[i];
        WCHAR y = fold ? QorToUpper(b[i]) : b[i];
        if (x != y) return (unsigned(x) < unsigned(y)) ? -1 : 1;
    }
    return na == nb ? 0 : (na < nb ? -1 : 1);
}

int TerminatedLength(const WCHAR* text) noexcept { return text ? int(QorStrLen(text)) : 0; }

}  // namespace

int CString::Compare(const CString& other) const noexcept {
    return CompareUnits(m_pszData, GetLength(), other.m_pszData, other.GetLength(), false);
}

int CString::Compare(const WCHAR* other) const noexcept {
    return CompareUnits(m_pszData, GetLength(), other, TerminatedLength(other), false);
}

int CString::CompareNoCase(const CString& other) const noexcept {
    return CompareUnits(m_pszData, GetLength(), other.m_pszData, other.GetLength(), true);
}

int CString::CompareNoCase(const WCHAR* other) const noexcept {
    return CompareUnits(m_pszData, GetLength(), other, TerminatedLength(other), true);
}

void CString::Empty() noexcept { Release(); }

void CString::SetAt(int index, WCHAR ch) {
    if (index < 0 || index >= GetLength()) return;
    PrepareWrite(GetLength());
    m_pszData[index] = ch;
}

CString& CString::MakeUpper() {
    int length = GetLength();
    for (int i = 0; i < length; ++i) {
        if (QorToUpper(m_pszData[i]) != m_pszData[i]) {
            PrepareWrite(length);
            for (; i < length; ++i) m_pszData[i] = QorToUpper(m_pszData[i]);
            break;
        }
    }
    return *this;
}

CString& CString::MakeLower() {
    int length = GetLength();
    for (int i = 0; i < length; ++i) {
        if (QorToLower(m_pszData[i]) != m_pszData[i]) {
            PrepareWrite(length);
            for (; i < length; ++i) m_pszData[i] = QorToLower(m_pszData[i]);
            break;
        }
    }
    return *this;
}

void CString::Append(const WCHAR* text, int length) {
    if (!text || length <= 0) return;
    int old = GetLength();
    if (text >= m_pszData && text <= m_pszData + old) {
        CString copy(text, length);
        Append(copy.m_pszData, length);
        return;
    }
    PrepareWrite(old + length);
    std::memcpy(m_pszData + old, text, std::size_t(length) * sizeof(WCHAR));
    m_pszData[old + length] = 0;
    GetHeader()->length = old + length;
}

CString& CString::operator+=(const CString& other) {
    Append(other.m_pszData, other.GetLength());
    return *this;
}

CString& CString::operator+=(const WCHAR* text) {
    Append(text, int(QorStrLen(text)));
    return *this;
}

CString& CString::operator+=(WCHAR ch) {
    Append(&ch, 1);
    return *this;
}

int CString::Replace(const WCHAR* oldText, const WCHAR* newText) {
    int oldLength = int(QorStrLen(oldText));
    if (oldLength == 0) return 0;
    int newLength = int(QorStrLen(newText));
    CString result;
    int count = 0, start = 0, hit;
    while ((hit = Find(oldText, start)) >= 0) {
        result.Append(m_pszData + start, hit - start);
        result.Append(newText, newLength);
        start = hit + oldLength;
        ++count;
    }
    if (count) {
        result.Append(m_pszData + start, GetLength() - start);
        *this = std::move(result);
    }
    return count;
}

static bool IsSpace(WCHAR ch) noexcept { return ch == ' ' || (ch >= 9 && ch <= 13); }

CString& CString::TrimLeft() {
    int skip = 0;
    while (skip < GetLength() && IsSpace(m_pszData[skip])) ++skip;
    if (skip) *this = Mid(skip);
    return *this;
}

CString& CString::TrimRight() {
    int end = GetLength();
    while (end > 0 && IsSpace(m_pszData[end - 1])) --end;
    if (end != GetLength()) *this = Left(end);
    return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

CString CString::Left(int count) const {
    if (count >= GetLength()) return *this;
    return count <= 0 ? CString() : CString(m_pszData, count);
}

CString CString::Right(int count) const {
    if (count >= GetLength()) return *this;
    return count <= 0 ? CString() : CString(m_pszData + GetLength() - count, count);
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
    if (first < 0) first = 0;
    if (first >= GetLength() || count <= 0) return CString();
    if (count > GetLength() - first) count = GetLength() - first;
    if (first == 0 && count == GetLength()) return *this;
    return CString(m_pszData + first, count);
}

int CString::Find(WCHAR ch, int start) const noexcept {
    for (int i = start < 0 ? 0 : start; i < GetLength(); ++i)
        if (m_pszData[i] == ch) return i;
    return -1;
}

int CString::Find(const WCHAR* sub, int start) const noexcept {
    int subLength = int(QorStrLen(sub));
    if (start < 0) start = 0;
    for (int i = start; i + subLength <= GetLength(); ++i)
        if (std::memcmp(m_pszData + i, sub, std::size_t(subLength) * sizeof(WCHAR)) == 0) return i;
    return -1;
}

WCHAR* CString::GetBuffer(int minLength) {
    int length = GetLength();
    PrepareWrite(minLength > length ? minLength : length);
    return m_pszData;
}

void CString::ReleaseBuffer(int newLength) {
    if (GetHeader() == NilHeader()) return;
    if (newLength < 0) newLength = int(QorStrLen(m_pszData));
    if (newLength > GetHeader()->capacity) newLength = GetHeader()->capacity;
    m_pszData[newLength] = 0;
    GetHeader()->length = newLength;
}

void CString::Format(const WCHAR* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::AppendFormat(const WCHAR* format, ...) {
    va_list args;
    va_start(args, format);
    AppendFormatV(format, args);
    va_end(args);
}

void CString::FormatV(const WCHAR* format, va_list args) {
    CString result;
    result.AppendFormatV(format, args);
    *this = std::move(result);
}

CString operator+(const CString& a, const CString& b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, const WCHAR* b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const WCHAR* a, const CString& b) {
    CString result(a);
    result += b;
    return result;
}

bool operator==(const CString& a, const CString& b) noexcept {
    return a.GetLength() == b.GetLength() &&
           std::memcmp(a.GetString(), b.GetString(), std::size_t(a.GetLength()) * sizeof(WCHAR)) == 0;
}

bool operator==(const CString& a, const WCHAR* b) noexcept { return a.Compare(b) == 0; }
