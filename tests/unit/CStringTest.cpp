#include <gtest/gtest.h>

#include <random>

#include "TestSupport.h"
#include "base/CString.h"

TEST(CString, CaseRulesTouchOnlyAsciiLetters) {
    CString text = S("abz ABZ é ß ａ ÿ 1_@[`{");
    CString upper = text;
    upper.MakeUpper();
    EXPECT_EQ(upper, S("ABZ ABZ é ß ａ ÿ 1_@[`{"));
    CString lower = text;
    lower.MakeLower();
    EXPECT_EQ(lower, S("abz abz é ß ａ ÿ 1_@[`{"));
    EXPECT_EQ(S("Hello").CompareNoCase(S("hELLO")), 0);
    EXPECT_NE(S("É").CompareNoCase(S("é")), 0);
    // '_' (0x5F) sorts between 'Z' and 'a'; folding must compare upper-cased values.
    EXPECT_LT(S("a").CompareNoCase(S("_")), 0);
    EXPECT_GT(S("a").Compare(S("_")), 0);
}

TEST(CString, OrdinalCompareIsByCodeUnit) {
    EXPECT_LT(S("B").Compare(S("a")), 0);
    EXPECT_LT(S("ab").Compare(S("abc")), 0);
    EXPECT_EQ(S("中文").Compare(S("中文")), 0);
    // U+FF01 is above any surrogate code unit; ordinal order is by unit, not code point.
    EXPECT_LT(S("\xF0\x9F\x98\x80").Compare(S("！")), 0);
}

TEST(CString, CopiesShareUntilWritten) {
    CString a = S("shared text");
    CString b = a;
    EXPECT_EQ(a.GetString(), b.GetString());
    b.MakeUpper();
    EXPECT_EQ(a, S("shared text"));
    EXPECT_EQ(b, S("SHARED TEXT"));
    CString c = a;
    c += S("!");
    EXPECT_EQ(a, S("shared text"));
    EXPECT_EQ(c, S("shared text!"));
    CString d = a;
    d.SetAt(0, 'S');
    EXPECT_EQ(a, S("shared text"));
    EXPECT_EQ(d, S("Shared text"));
}

TEST(CString, AppendingToItselfAndEditing) {
    CString s = S("ab");
    s += s;
    s.Append(s.GetString() + 1, 2);
    EXPECT_EQ(s, S("ababba"));
    EXPECT_EQ(s.Replace(QSTR("ab"), QSTR("X")), 2);
    EXPECT_EQ(s, S("XXba"));
    EXPECT_EQ(S("a***b***").Replace(QSTR("***"), QSTR("")), 2);
    CString spaced = S("  \t mid dle \r\n");
    EXPECT_EQ(spaced.Trim(), S("mid dle"));
    CString t = S("abcdef");
    EXPECT_EQ(t.Mid(2, 2), S("cd"));
    EXPECT_EQ(t.Mid(4, 100), S("ef"));
    EXPECT_EQ(t.Mid(10), S(""));
    EXPECT_EQ(t.Left(-1), S(""));
    EXPECT_EQ(t.Right(2), S("ef"));
    EXPECT_EQ(t.Find(QSTR("cd")), 2);
    EXPECT_EQ(t.Find('z'), -1);
}

TEST(CString, FormatConversions) {
    CString s;
    s.Format(QSTR("%04d-%02d-%02d %02d:%02d:%02d"), -1, -1, -1, -1, -1, -1);
    EXPECT_EQ(s, S("-001--1--1 -1:-1:-1"));
    s.Format(QSTR("%s|%5s|%-4s|%.2s|%S|%c|%%|%x|%X|%08.3f|%u|%lld"), QSTR("中文"), QSTR("ab"), QSTR("cd"),
             QSTR("xyz"), "ü", int('Q'), 255, 0xABCu, 3.14159, 4000000000u, -9000000000LL);
    EXPECT_EQ(s, S("中文|   ab|cd  |xy|ü|Q|%|ff|ABC|0003.142|4000000000|-9000000000"));
    s.AppendFormat(QSTR("+%d"), 7);
    EXPECT_EQ(s.Right(2), S("+7"));
    s.Format(QSTR("'%s"), QSTR(""));
    EXPECT_EQ(s, S("'"));
}

TEST(CString, Utf8RoundTripKeepsEveryCodePoint) {
    const char* text = "A é 中 \xF0\x9F\x98\x80 end";
    CString s = S(text);
    EXPECT_EQ(s.GetLength(), 12);  // the emoji is a surrogate pair
    EXPECT_EQ(s.ToUtf8(), text);
    // Invalid UTF-8 becomes U+FFFD instead of being dropped silently.
    CString bad = CString::FromUtf8(std::string("a\xC3(b", 4));
    EXPECT_EQ(bad.GetLength(), 4);
    EXPECT_EQ(unsigned(bad[1]), 0xFFFDu);
}

TEST(CString, BufferAccess) {
    CString s;
    WCHAR* buffer = s.GetBuffer(10);
    buffer[0] = 'h';
    buffer[1] = 'i';
    buffer[2] = 0;
    s.ReleaseBuffer();
    EXPECT_EQ(s, S("hi"));
    EXPECT_EQ(s.GetLength(), 2);
    CString copy = s;
    s.GetBuffer(1)[0] = 'H';
    s.ReleaseBuffer(2);
    EXPECT_EQ(copy, S("hi"));
    EXPECT_EQ(s, S("Hi"));
}

TEST(CStringNativeText, AnyByteStringSurvivesTheTripThroughUtf16) {
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(std::size_t(random() % 24), '\0');
        for (char& c : bytes) c = char(random() % 4 ? 0x80 + random() % 0x80 : random() % 0x100);
        EXPECT_EQ(CString::FromNativeText(bytes).ToNativeText(), bytes) << round;
    }
    // Valid UTF-8 reads as text, so a name in UTF-8 shows as itself.
    EXPECT_EQ(CString::FromNativeText("W\xc3\xb6rter"), CString::FromUtf8("Wörter"));
    EXPECT_EQ(CString::FromNativeText("caf\xe9").GetLength(), 4);
    EXPECT_EQ(CString::FromNativeText("caf\xe9").ToUtf8(), "caf\xef\xbf\xbd") << "plain UTF-8 still shows U+FFFD";
}
