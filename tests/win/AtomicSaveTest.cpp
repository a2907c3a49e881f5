#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "model/QorDictionaryManager.h"

// A save whose final replacement fails keeps the old file and leaves no
// temporary file behind: here another program holds the file open without
// sharing, so it cannot be replaced.
TEST(AtomicSaveWindows, FailedReplacementKeepsTheOldFile) {
    ScratchDir dir;
    CString target = dir.Path("locked.dict");
    CQorDictionaryManager manager;
    ASSERT_EQ(manager.Save(target), 1);
    std::vector<unsigned char> before = ReadBytes(target);
    HANDLE held = CreateFileW(target.GetString(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    manager.SetVersion(QSTR("2.0"));
    EXPECT_EQ(manager.Save(target), 0);
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(target), before);
    EXPECT_EQ(dir.List(), std::vector<std::string>{"locked.dict"});
    EXPECT_NE(manager.GetLastFileError().Find(QSTR("locked.dict")), -1) << manager.GetLastFileError().ToUtf8();

    EXPECT_EQ(manager.Save(), 1);
    CQorDictionaryManager reread;
    ASSERT_EQ(reread.Load(target), 1);
    EXPECT_EQ(reread.GetVersion(), QSTR("2.0"));
}
