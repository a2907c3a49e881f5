// What loading may cost in memory, for files made to cost as much as
// possible per byte: the model must stay within 20 times the file's size.
#include <gtest/gtest.h>

#include <memory>

#include "SheetTestSupport.h"
#include "TestSupport.h"
#include "model/QorDictionaryManager.h"
#include "model/QorLanguageDict.h"

namespace {

constexpr double kMaxAmplification = 20.0;

// The heap the loaded model keeps, per byte of its file.
double LoadedBytesPerFileByte(const CString& path, std::unique_ptr<CQorDictionaryManager>& manager) {
    const double fileSize = double(ReadBytes(path).size());
    const long long before = HeapInUse();
    manager = std::make_unique<CQorDictionaryManager>();
    EXPECT_EQ(manager->Load(path), 1) << manager->GetLastFileError().ToUtf8();
    return double(HeapInUse() - before) / fileSize;
}

}  // namespace

TEST(LoadMemory, LanguagesWithoutDataCostLittleAndSaveAsBefore) {
    if (HeapInUse() < 0) GTEST_SKIP() << "the heap cannot be measured here";
    ScratchDir dir;
    const int languages = 100000;
    FileBytes file;
    file.ManagerHead(languages);
    for (int i = 1; i < languages; ++i) file.Int32(0);  // the smallest record: no data
    file.Int32(1).Int32(0);                              // the other one without data
    file.EmptyWordList().EmptyWordList();
    const CString path = dir.Path("bare.dict");
    WriteBytes(path, file.bytes);

    std::unique_ptr<CQorDictionaryManager> manager;
    const double ratio = LoadedBytesPerFileByte(path, manager);
    EXPECT_LE(ratio, kMaxAmplification);
    std::printf("languages without data: %.1f bytes of memory per byte of file\n", ratio);
    ASSERT_EQ(manager->GetLanguageDictList()->GetCount(), languages);

    // Such a language saves as a language with the default settings, as one
    // that holds them does.
    ASSERT_EQ(manager->Save(dir.Path("shared.dict")), 1);
    auto* list = manager->GetLanguageDictList();
    for (POSITION pos = list->GetHeadPosition(); pos;) {
        CQorLanguageDict* language = list->GetNext(pos);
        language->SetFontPointSize(language->GetFontPointSize());  // gives it data of its own
    }
    ASSERT_EQ(manager->Save(dir.Path("own.dict")), 1);
    EXPECT_EQ(ReadBytes(dir.Path("shared.dict")), ReadBytes(dir.Path("own.dict")));
    CQorLanguageDict* first = list->GetHead();
    EXPECT_EQ(first->GetFontPointSize(), 110);
    EXPECT_EQ(first->GetLanguageID(), LANGID_NONE);
    EXPECT_EQ(first->GetDisplayCharacter(DICTMODE_SYSTEM, S("x")), S("x"));

    // A copy of a language without data is one too, and changing it leaves the original alone.
    CQorLanguageDict bare, copy(bare);
    copy.SetLanguageID(1031);
    EXPECT_EQ(bare.GetLanguageID(), LANGID_NONE);
    EXPECT_EQ(copy.GetLanguageID(), 1031u);
}

TEST(LoadMemory, DroppedDuplicatesReserveNothing) {
    if (HeapInUse() < 0) GTEST_SKIP() << "the heap cannot be measured here";
    ScratchDir dir;
    const int entries = 200000;
    FileBytes file;
    file.ManagerHead(1).LanguageHead(1031, 1).Int32(1).Int32(entries);
    for (int i = 0; i < entries; ++i) file.Entry(S("k"), S("K"));  // one key: all but the first are dropped
    file.EmptyWordList().EmptyWordList().EmptyWordList();
    const CString path = dir.Path("same.dict");
    WriteBytes(path, file.bytes);

    std::unique_ptr<CQorDictionaryManager> manager;
    const double ratio = LoadedBytesPerFileByte(path, manager);
    EXPECT_LE(ratio, 1.0) << "one entry kept";
    EXPECT_EQ(manager->GetLanguageDictList()->GetHead()->GetDictionaryList(DICTMODE_SYSTEM)->GetCount(), 1);
}
