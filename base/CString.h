#pragma once

#include <atomic>
#include <cstdarg>
#include <string>

#include "base/QorApi.h"
#include "base/Types.h"

// A UTF-16 string with the interface of the framework's CStringW. Copies share
// one reference-counted buffer until one of them is written, so returning a
// string by value costs an increment, not an allocation.
class QOR_API CString {
public:
    // Construction
    CString() noexcept;
    CString(const CString& other) noexcept;
    CString(CString&& other) noexcept;
    CString(const WCHAR* text);
    CString(const WCHAR* text, int length);
    CString(WCHAR ch, int repeat = 1);
    ~CString();

    CString& operator=(const CString& other) noexcept;
    CString& operator=(CString&& other) noexcept;
    CString& operator=(const WCHAR* text);

    static CString FromUtf8(const char* text, std::size_t length);
    static CString FromUtf8(const std::string& text) { return FromUtf8(text.data(), text.size()); }
    std::string ToUtf8() const;
    // For file names and messages that carry them: UTF-8 where the bytes are
    // UTF-8, any other byte kept as a lone surrogate so that a POSIX name,
    // which need not be UTF-8, converts back byte for byte.
    static CString FromNativeText(const std::string& text);
    std::string ToNativeText() const;

    // Attributes
    int GetLength() const noexcept { return GetHeader()->length; }
    bool IsEmpty() const noexcept { return GetLength() == 0; }
    const WCHAR* GetString() const noexcept { return m_pszData; }
    operator const WCHAR*() const noexcept { return m_pszData; }
    WCHAR GetAt(int index) const noexcept { return m_pszData[index]; }
    WCHAR operator[](int index) const noexcept { return m_pszData[index]; }

    // Comparison: Compare is ordinal by code unit; CompareNoCase folds a-z only,
    // the same rule as MakeUpper, so it agrees with the dictionary's keys.
    // Both take this string's whole length, and another CString's: an embedded
    // NUL is a code unit, so "AB" < "AB\0C", as with ==, the dictionary's index
    // and the file, which keeps both. A plain pointer ends at its first NUL.
    int Compare(const CString& other) const noexcept;
    int Compare(const WCHAR* other) const noexcept;
    int CompareNoCase(const CString& other) const noexcept;
    int CompareNoCase(const WCHAR* other) const noexcept;

    // Changes
    void Empty() noexcept;
    void SetAt(int index, WCHAR ch);
    CString& MakeUpper();
    CString& MakeLower();
    CString& operator+=(const CString& other);
    CString& operator+=(const WCHAR* text);
    CString& operator+=(WCHAR ch);
    void Append(const WCHAR* text, int length);
    int Replace(const WCHAR* oldText, const WCHAR* newText);
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();

    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    int Find(WCHAR ch, int start = 0) const noexcept;
    int Find(const WCHAR* sub, int start = 0) const noexcept;

    // printf-style formatting over UTF-16: %s takes a UTF-16 string, %S a UTF-8
    // one; integers, floating point, %c and %% as in C.
    void Format(const WCHAR* format, ...);
    void AppendFormat(const WCHAR* format, ...);
    void FormatV(const WCHAR* format, va_list args);
    void AppendFormatV(const WCHAR* format, va_list args);

    // Direct buffer access for platform calls that fill a character array.
    WCHAR* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

    // Before the characters. Visible so that the length reads inline: the
    // dictionary's index asks for it on every probe.
    struct Header {
        std::atomic<int> refs;
        int length;
        int capacity;  // code units, not counting the terminator
    };
    // A string of the given UTF-16 code units stored little-endian, as files
    // hold them, at any alignment.
    static CString FromLittleEndianUtf16(const unsigned char* units, int length);

private:
    Header* GetHeader() const noexcept { return reinterpret_cast<Header*>(m_pszData) - 1; }
    void Assign(const WCHAR* text, int length);
    void PrepareWrite(int length);  // unshares and makes room for length units
    void Release() noexcept;

    WCHAR* m_pszData;
};

QOR_API CString operator+(const CString& a, const CString& b);
QOR_API CString operator+(const CString& a, const WCHAR* b);
QOR_API CString operator+(const WCHAR* a, const CString& b);
QOR_API bool operator==(const CString& a, const CString& b) noexcept;
QOR_API bool operator==(const CString& a, const WCHAR* b) noexcept;
inline bool operator!=(const CString& a, const CString& b) noexcept { return !(a == b); }
inline bool operator!=(const CString& a, const WCHAR* b) noexcept { return !(a == b); }
inline bool operator<(const CString& a, const CString& b) noexcept { return a.Compare(b) < 0; }

// Length of a zero-terminated UTF-16 string.
QOR_API std::size_t QorStrLen(const WCHAR* text) noexcept;
// The case rule of the C locale: exactly a-z become A-Z.
inline WCHAR QorToUpper(WCHAR ch) noexcept { return (ch >= 'a' && ch <= 'z') ? WCHAR(ch - 32) : ch; }
inline WCHAR QorToLower(WCHAR ch) noexcept { return (ch >= 'A' && ch <= 'Z') ? WCHAR(ch + 32) : ch; }
