#include <gtest/gtest.h>

#include <cmath>

#include "TestSupport.h"
#include "base/CArchive.h"
#include "base/CFile.h"
#include "base/Exceptions.h"

namespace {

std::vector<unsigned char> Store(const CString& text) {
    ScratchDir dir;
    CString path = dir.Path("s.bin");
    CFile file;
    EXPECT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite));
    CArchive ar(&file, CArchive::store);
    ar << text;
    ar.Close();
    file.Close();
    return ReadBytes(path);
}

CString LoadString(const std::vector<unsigned char>& bytes) {
    CMemFile file(bytes.data(), bytes.size());
    CArchive ar(&file, CArchive::load);
    CString text;
    ar >> text;
    return text;
}

std::vector<unsigned char> Prefix(const std::vector<unsigned char>& bytes, std::size_t n) {
    return std::vector<unsigned char>(bytes.begin(), bytes.begin() + std::ptrdiff_t(n));
}

}  // namespace

TEST(ArchiveString, EachLengthFormIsWrittenAndReadBack) {
    EXPECT_EQ(Store(CString()), (std::vector<unsigned char>{0xFF, 0xFE, 0xFF, 0x00}));
    EXPECT_EQ(Store(S("abc")), (std::vector<unsigned char>{0xFF, 0xFE, 0xFF, 3, 'a', 0, 'b', 0, 'c', 0}));
    struct Form {
        int length;
        std::vector<unsigned char> head;
    };
    const Form forms[] = {
        {254, {0xFF, 0xFE, 0xFF, 0xFE}},
        {255, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Form& form : forms) {
        CString text(WCHAR(0x4E2D), form.length);
        std::vector<unsigned char> bytes = Store(text);
        ASSERT_EQ(bytes.size(), form.head.size() + 2u * form.length) << form.length;
        EXPECT_EQ(Prefix(bytes, form.head.size()), form.head) << form.length;
        EXPECT_EQ(LoadString(bytes), text) << form.length;
    }
}

TEST(ArchiveString, ReaderAcceptsEveryFormTheFrameworkCanWrite) {
    // 16-bit 0xFFFE after the Unicode tag is a plain length.
    FileBytes tagged;
    tagged.Byte(0xFF).Word(0xFFFE).Byte(0xFF).Word(0xFFFE);
    for (int i = 0; i < 0xFFFE; ++i) tagged.Word('x');
    EXPECT_EQ(LoadString(tagged.bytes).GetLength(), 0xFFFE);
    // The 64-bit form.
    FileBytes huge;
    huge.Byte(0xFF).Word(0xFFFE).Byte(0xFF).Word(0xFFFF).Int32(-1).Int32(2).Int32(0).Word('o').Word('k');
    EXPECT_EQ(LoadString(huge.bytes), S("ok"));
    // 8-bit strings, 1-byte and 16-bit lengths.
    FileBytes ansi;
    ansi.AnsiString("plain");
    EXPECT_EQ(LoadString(ansi.bytes), S("plain"));
    FileBytes ansiLong;
    ansiLong.Byte(0xFF).Word(300);
    ansiLong.bytes.insert(ansiLong.bytes.end(), 300, 'z');
    EXPECT_EQ(LoadString(ansiLong.bytes), CString(WCHAR('z'), 300));
#if !defined(_WIN32)
    // Without an ANSI code page, 8-bit text is read as Windows-1252.
    FileBytes cp1252;
    cp1252.AnsiString("caf\xE9 \x80");
    EXPECT_EQ(LoadString(cp1252.bytes), S("café €"));
#endif
}

TEST(ArchiveString, ImpossibleLengthsFailBeforeAllocating) {
    auto expectFailure = [](const FileBytes& input, CArchiveException::Cause cause) {
        try {
            LoadString(input.bytes);
            ADD_FAILURE() << "no exception";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.m_cause, cause) << e.GetReason();
        }
    };
    FileBytes huge32;  // four billion code units announced, none present
    huge32.Byte(0xFF).Word(0xFFFE).Byte(0xFF).Word(0xFFFF).Int32(-2);
    expectFailure(huge32, CArchiveException::badLength);
    FileBytes huge64;
    huge64.Byte(0xFF).Word(0xFFFE).Byte(0xFF).Word(0xFFFF).Int32(-1).Int32(-1).Int32(0x7FFFFFFF);
    expectFailure(huge64, CArchiveException::badLength);
    FileBytes short16;  // three code units announced, two present
    short16.Byte(0xFF).Word(0xFFFE).Byte(3).Word('a').Word('b');
    expectFailure(short16, CArchiveException::badLength);
    FileBytes cutInLength;
    cutInLength.Byte(0xFF).Byte(0xFE);
    expectFailure(cutInLength, CArchiveException::endOfFile);
}

TEST(Archive, ValuesStraddlingTheBufferAreReadWhole) {
    // Strings and scalars that cross the 4096-byte buffer boundary at every
    // offset near it read back exactly.
    for (int pad = 4080; pad < 4100; ++pad) {
        FileBytes input;
        input.Zeros(std::size_t(pad)).String(S("straddle 中文")).Int32(-123456).Double(45123.25);
        CMemFile file(input.bytes.data(), input.bytes.size());
        CArchive ar(&file, CArchive::load);
        std::vector<unsigned char> skip(static_cast<std::size_t>(pad));
        ASSERT_EQ(ar.Read(skip.data(), skip.size()), skip.size());
        CString text;
        int number;
        double date;
        ar >> text >> number >> date;
        EXPECT_EQ(text, S("straddle 中文")) << pad;
        EXPECT_EQ(number, -123456) << pad;
        EXPECT_EQ(date, 45123.25) << pad;
        EXPECT_EQ(ar.GetPosition(), input.bytes.size());
        BYTE more;
        EXPECT_THROW(ar >> more, CArchiveException);
    }
}

TEST(Archive, FailureNamesTheByteAndTheRecord) {
    FileBytes input;
    input.Int32(7).Byte(1);
    CMemFile file(input.bytes.data(), input.bytes.size());
    CArchive ar(&file, CArchive::load);
    CArchiveContext outer(ar, "language", 2);
    CArchiveContext inner(ar, "entry", 0);
    int value;
    ar >> value;
    try {
        ar >> value;
        FAIL() << "no exception";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::endOfFile);
        EXPECT_NE(e.GetReason().find("at byte 4"), std::string::npos) << e.GetReason();
        EXPECT_NE(e.GetReason().find("entry 1 of language 3"), std::string::npos) << e.GetReason();
    }
}

TEST(OleDateTime, CalendarFieldsAndInvalidValues) {
    COleDateTime date(2024, 2, 29, 13, 45, 59);
    ASSERT_EQ(date.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(date.GetYear(), 2024);
    EXPECT_EQ(date.GetMonth(), 2);
    EXPECT_EQ(date.GetDay(), 29);
    EXPECT_EQ(date.GetHour(), 13);
    EXPECT_EQ(date.GetMinute(), 45);
    EXPECT_EQ(date.GetSecond(), 59);
    EXPECT_DOUBLE_EQ(COleDateTime(1899, 12, 30, 0, 0, 0).GetValue(), 0.0);
    EXPECT_DOUBLE_EQ(COleDateTime(1900, 1, 1, 18, 0, 0).GetValue(), 2.75);
    // Before the epoch the whole days count back and the time of day forward.
    COleDateTime before(1899, 12, 29, 6, 0, 0);
    EXPECT_DOUBLE_EQ(before.GetValue(), -1.25);
    EXPECT_EQ(before.GetDay(), 29);
    EXPECT_EQ(before.GetHour(), 6);
    EXPECT_EQ(COleDateTime(2023, 2, 29, 0, 0, 0).GetStatus(), COleDateTime::invalid);
    COleDateTime invalid(45000.0, COleDateTime::invalid);
    EXPECT_EQ(invalid.GetYear(), -1);
    EXPECT_EQ(invalid.GetSecond(), -1);
    EXPECT_EQ(COleDateTime(1e12).GetYear(), -1);
    COleDateTime now = COleDateTime::GetCurrentTime();
    EXPECT_EQ(now.GetStatus(), COleDateTime::valid);
    EXPECT_GE(now.GetYear(), 2024);
    double seconds = now.GetValue() * 86400.0;
    EXPECT_NEAR(seconds, std::round(seconds), 1e-3);
}
