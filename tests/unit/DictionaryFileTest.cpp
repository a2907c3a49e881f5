#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "TestSupport.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"

#if !defined(_WIN32)
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

const std::vector<unsigned char> kFreshManager = {
    0x01, 0x00, 0x00, 0x00, 0xFF, 0xFE, 0xFF, 0x07, 0x31, 0x00, 0x2E, 0x00, 0x30, 0x00, 0x2E, 0x00, 0x30,
    0x00, 0x2E, 0x00, 0x30, 0x00, 0x01, 0x00, 0x00, 0x00, 0x09, 0x08, 0x00, 0x00, 0x09, 0x08, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};

long long Count(CQorDictionaryWord* list) { return list->GetDictionaryList()->GetCount(); }

// A dictionary that exercises every field: two languages with fonts, both
// modes, entries with odd times and statuses, long and unusual strings.
void Fill(CQorDictionaryManager& manager) {
    manager.SetVersion(S("2.5.1.0"));
    manager.SetEnableFont(1);
    manager.SetSysDefaultLanguageLCID(1031);
    manager.SetProjectDefaultLanguageLCID(2052);
    const char* originals[] = {"文件", "Open", "Close All", "速度 [rpm]", ""};
    for (DWORD id : {DWORD(1031), DWORD(2052)}) {
        auto* language = new CQorLanguageDict;
        language->SetLanguageID(id);
        language->SetEnable(id == 1031);
        language->SetFontColor(0x123456);
        language->SetFontPointSize(95);
        LOGFONTW font;
        language->GetFont(font);
        font.lfWeight = 700;
        font.lfItalic = 1;
        font.lfFaceName[20] = 'x';  // bytes after the terminator are kept too
        language->SetFont(font);
        for (int i = 0; i < 4; ++i) {
            for (DICTMODE mode : {DICTMODE_SYSTEM, DICTMODE_PROJECT}) {
                auto* entry = new CQorDictWordElement;
                entry->SetOriginalCharacter(S(originals[i]));
                CString display;
                display.Format(QSTR("%s-%u-%d"), entry->GetOriginalCharacter().GetString(), unsigned(id), int(mode));
                entry->SetDisplayCharacter(display);
                entry->SetUpdateDateTime(COleDateTime(45000.125 + i, COleDateTime::DateTimeStatus(i % 3)));
                language->AddWord(mode, entry);
            }
        }
        manager.Add(language);
    }
    auto* longEntry = new CQorDictWordElement;
    longEntry->SetOriginalCharacter(CString(WCHAR('L'), 300));
    manager.GetSysDictWord()->AddWord(longEntry);
    for (int i = 0; i < 4; ++i) {
        auto* entry = new CQorDictWordElement;
        entry->SetOriginalCharacter(S(originals[i]));
        manager.GetProjectDictWord()->AddWord(entry);
    }
}

}  // namespace

TEST(DictionaryFile, FreshManagerIsTheSixtySixByteExample) {
    ScratchDir dir;
    CQorDictionaryManager manager;
    ASSERT_EQ(manager.Save(dir.Path("fresh.dict")), 1);
    EXPECT_EQ(ReadBytes(dir.Path("fresh.dict")), kFreshManager);

    WriteBytes(dir.Path("example.dict"), kFreshManager);
    CQorDictionaryManager loaded;
    loaded.SetVersion(S("other"));
    loaded.SetSysDefaultLanguageLCID(1);
    ASSERT_EQ(loaded.Load(dir.Path("example.dict")), 1);
    EXPECT_EQ(loaded.GetVersion(), S("1.0.0.0"));
    EXPECT_EQ(loaded.GetSysDefaultLanguageLCID(), 2057u);
    EXPECT_EQ(loaded.IsEnableFont(), 0);
    EXPECT_EQ(loaded.GetLanguageDictList()->GetCount(), 0);
    EXPECT_EQ(Count(loaded.GetSysDictWord()), 0);
    EXPECT_EQ(loaded.GetFile(), dir.Path("example.dict"));
    EXPECT_TRUE(loaded.GetLastFileError().IsEmpty());
}

TEST(DictionaryFile, EveryFieldSurvivesARoundTripByteForByte) {
    ScratchDir dir;
    CQorDictionaryManager original;
    Fill(original);
    ASSERT_EQ(original.Save(dir.Path("a.dict")), 1);
    CQorDictionaryManager loaded;
    ASSERT_EQ(loaded.Load(dir.Path("a.dict")), 1);
    ASSERT_EQ(loaded.Save(dir.Path("b.dict")), 1);
    std::vector<unsigned char> a = ReadBytes(dir.Path("a.dict"));
    EXPECT_EQ(a, ReadBytes(dir.Path("b.dict")));
    EXPECT_GT(a.size(), 1000u);

    EXPECT_EQ(loaded.GetVersion(), S("2.5.1.0"));
    EXPECT_EQ(loaded.GetProjectDefaultLanguageLCID(), 2052u);
    CQorLanguageDict* german = loaded.Find(1031);
    ASSERT_NE(german, nullptr);
    EXPECT_EQ(german->GetFontSafeHwnd(), nullptr);  // handles are not stored
    LOGFONTW font;
    german->GetFont(font);
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(font.lfFaceName[20], 'x');
    EXPECT_EQ(loaded.GetDisplayCharacter(DICTMODE_SYSTEM, S("close all")), S("Close All-1031-0"));
    EXPECT_EQ(loaded.GetDisplayCharacter(DICTMODE_PROJECT, S("速度 [rpm]")), S("速度 [rpm]"));  // 2052 disabled
    CQorDictWordElement* entry = german->FindWord(DICTMODE_PROJECT, S("Close All"));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->GetUpdateDateTime(), COleDateTime(45002.125, COleDateTime::DateTimeStatus(2)));
    EXPECT_EQ(loaded.GetSysDictWord()->GetDictionaryList()->GetHead()->GetOriginalCharacter().GetLength(), 300);
}

TEST(DictionaryFileReader, MarkersBelowOneCutRecordsShort) {
    ScratchDir dir;
    CString path = dir.Path("m.dict");
    // First int32 of zero or less: an empty dictionary that keeps the settings.
    for (int marker : {0, -7}) {
        WriteBytes(path, FileBytes().Int32(marker).String(S("ignored")).bytes);
        CQorDictionaryManager manager;
        manager.SetVersion(S("kept"));
        ASSERT_EQ(manager.Load(path), 1) << marker;
        EXPECT_EQ(manager.GetVersion(), S("kept"));
        ASSERT_NE(manager.GetSysDictWord(), nullptr);
        EXPECT_EQ(Count(manager.GetSysDictWord()), 0);
    }
    // A language whose first marker is 0 is 4 bytes and still joins the list;
    // an entry whose marker is 0 is 4 bytes and is dropped; a master list
    // whose marker is 0 is 4 bytes and stays empty; so does a list that
    // claims a negative count.
    FileBytes file;
    file.ManagerHead(2).Int32(0);
    file.LanguageHead(1031, 1).Int32(1).Int32(3).Entry(S("a"), S("A")).Int32(0).Entry(S("b"), S("B"));
    file.Int32(1).Int32(-5);
    file.Int32(0).Int32(1).Int32(1).Int32(1).Entry(S("p"), S(""));
    WriteBytes(path, file.bytes);
    CQorDictionaryManager manager;
    ASSERT_EQ(manager.Load(path), 1) << manager.GetLastFileError().ToUtf8();
    auto* languages = manager.GetLanguageDictList();
    ASSERT_EQ(languages->GetCount(), 2);
    EXPECT_EQ(languages->GetHead()->GetLanguageID(), LANGID_NONE);
    EXPECT_EQ(languages->GetHead()->IsEnable(), 0);
    CQorLanguageDict* german = languages->GetTail();
    EXPECT_EQ(german->GetDictionaryList(DICTMODE_SYSTEM)->GetCount(), 2);
    EXPECT_EQ(german->GetDisplayCharacter(DICTMODE_SYSTEM, S("B")), S("B"));
    EXPECT_EQ(german->GetDictionaryList(DICTMODE_PROJECT)->GetCount(), 0);
    EXPECT_EQ(Count(manager.GetSysDictWord()), 0);
    ASSERT_EQ(Count(manager.GetProjectDictWord()), 1);
}

TEST(DictionaryFileReader, DuplicatesEmptiesSharedIdsAndTrailingBytes) {
    ScratchDir dir;
    CString path = dir.Path("d.dict");
    FileBytes file;
    file.ManagerHead(2, 1031);
    file.LanguageHead(1031, 1).Int32(1).Int32(3).Entry(S("Save"), S("first")).Entry(S("SAVE"), S("second"))
        .Entry(S(""), S("dropped")).EmptyWordList();
    file.LanguageHead(1031, 1).EmptyWordList().EmptyWordList();
    file.Int32(1).EmptyWordList().Int32(1).EmptyWordList();
    file.Int32(12345).String(S("trailing garbage"));
    WriteBytes(path, file.bytes);
    CQorDictionaryManager manager;
    ASSERT_EQ(manager.Load(path), 1) << manager.GetLastFileError().ToUtf8();
    auto* languages = manager.GetLanguageDictList();
    ASSERT_EQ(languages->GetCount(), 2);  // a file may bring the same ID twice
    CQorLanguageDict* first = languages->GetHead();
    EXPECT_EQ(manager.Find(1031), first);
    EXPECT_EQ(first->GetDictionaryList(DICTMODE_SYSTEM)->GetCount(), 1);
    EXPECT_EQ(manager.GetDisplayCharacter(DICTMODE_SYSTEM, S("save")), S("first"));
    EXPECT_EQ(manager.Remove(DWORD(1031)), 1);  // removes only the first
    ASSERT_EQ(languages->GetCount(), 1);
    EXPECT_NE(languages->GetHead(), first);
}

TEST(DictionaryFileReader, EightBitStringsAreConverted) {
    ScratchDir dir;
    CString path = dir.Path("ansi.dict");
    FileBytes file;
    file.Int32(1).AnsiString("0.9").Int32(1).Int32(2057).Int32(2057).Int32(0).Int32(0);
    file.Int32(1).Int32(1).Int32(1).Int32(1).AnsiString("Start").AnsiString("Go").Date(0, 1.5);
    file.Int32(1).EmptyWordList();
    WriteBytes(path, file.bytes);
    CQorDictionaryManager manager;
    ASSERT_EQ(manager.Load(path), 1) << manager.GetLastFileError().ToUtf8();
    EXPECT_EQ(manager.GetVersion(), S("0.9"));
    CQorDictWordElement* entry = manager.GetSysDictWord()->FindWord(S("start"));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->GetDisplayCharacter(), S("Go"));
}

TEST(DictionaryFileReader, EveryTruncationFailsCleanly) {
    ScratchDir dir;
    CString full = dir.Path("full.dict");
    CQorDictionaryManager source;
    Fill(source);
    ASSERT_EQ(source.Save(full), 1);
    std::vector<unsigned char> bytes = ReadBytes(full);
    CString cut = dir.Path("cut.dict");
    CQorDictionaryManager manager;
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        WriteBytes(cut, std::vector<unsigned char>(bytes.begin(), bytes.begin() + std::ptrdiff_t(length)));
        manager.SetVersion(S("before"));
        ASSERT_EQ(manager.Load(cut), 0) << "accepted a file cut at byte " << length;
        EXPECT_EQ(manager.GetSysDictWord(), nullptr);
        EXPECT_EQ(manager.GetProjectDictWord(), nullptr);
        EXPECT_EQ(manager.GetLanguageDictList()->GetCount(), 0);
        EXPECT_EQ(manager.GetFile(), cut);
        EXPECT_NE(manager.GetLastFileError().Find(QSTR("at byte")), -1) << length;
        // Settings read before the cut are kept.
        EXPECT_EQ(manager.GetVersion(), length >= 22 ? S("2.5.1.0") : S("before")) << length;
    }
    // The diagnostic says where and in what.
    WriteBytes(cut, std::vector<unsigned char>(bytes.begin(), bytes.begin() + 200));
    ASSERT_EQ(manager.Load(cut), 0);
    std::string reason = manager.GetLastFileError().ToUtf8();
    EXPECT_NE(reason.find("cut.dict"), std::string::npos) << reason;
    EXPECT_NE(reason.find("language 1"), std::string::npos) << reason;
    // A later successful load brings the master lists back.
    ASSERT_EQ(manager.Load(full), 1);
    EXPECT_NE(manager.GetSysDictWord(), nullptr);
    EXPECT_EQ(manager.GetLanguageDictList()->GetCount(), 2);
}

TEST(DictionaryFileReader, AbsurdCountsFailAtOnce) {
    ScratchDir dir;
    CString path = dir.Path("count.dict");
    WriteBytes(path, FileBytes().ManagerHead(0x7FFFFFFF).bytes);
    CQorDictionaryManager manager;
    EXPECT_EQ(manager.Load(path), 0);
    EXPECT_NE(manager.GetLastFileError().Find(QSTR("count of 2147483647 languages")), -1)
        << manager.GetLastFileError().ToUtf8();
    WriteBytes(path, FileBytes().ManagerHead(0).Int32(1).Int32(1).Int32(50000000).Zeros(64).bytes);
    EXPECT_EQ(manager.Load(path), 0);
    EXPECT_NE(manager.GetLastFileError().Find(QSTR("entries")), -1);
}

TEST(DictionaryFileLoad, MissingFileEmptiesTheDictionaryButKeepsSettings) {
    ScratchDir dir;
    CQorDictionaryManager manager;
    Fill(manager);
    ASSERT_EQ(manager.Save(dir.Path("ok.dict")), 1);
    EXPECT_EQ(manager.Load(dir.Path("missing.dict")), 0);
    EXPECT_EQ(manager.GetLanguageDictList()->GetCount(), 0);
    ASSERT_NE(manager.GetSysDictWord(), nullptr);
    EXPECT_EQ(Count(manager.GetSysDictWord()), 0);
    EXPECT_EQ(manager.GetVersion(), S("2.5.1.0"));
    EXPECT_EQ(manager.GetFile(), dir.Path("ok.dict"));
    EXPECT_NE(manager.GetLastFileError().Find(QSTR("missing.dict")), -1);
}

TEST(DictionaryFileSave, FailureLeavesTheOldFileAndTheModel) {
    ScratchDir dir;
    CQorDictionaryManager manager;
    Fill(manager);
    CString target = dir.Path("keep.dict");
    ASSERT_EQ(manager.Save(target), 1);
    std::vector<unsigned char> before = ReadBytes(target);

    // A folder that cannot take the file: nothing changes, not even the path.
    EXPECT_EQ(manager.Save(dir.Path("no/such/folder/x.dict")), 0);
    EXPECT_EQ(manager.GetFile(), target);
    EXPECT_EQ(manager.Save(dir.Path("")), 0);  // the scratch folder itself
    EXPECT_EQ(manager.GetFile(), target);
    EXPECT_FALSE(manager.GetLastFileError().IsEmpty());

#if !defined(_WIN32)
    // A write that fails half-way (file size limit): the old file stays
    // byte-identical and no temporary file is left behind.
    manager.GetSysDictWord()->AddWord([] {
        auto* big = new CQorDictWordElement;
        big->SetOriginalCharacter(CString(WCHAR('B'), 200000));
        return big;
    }());
    struct rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    // The signal keeps its default action, which would end this process.
    auto previous = std::signal(SIGXFSZ, SIG_DFL);
    struct rlimit limited = saved;
    limited.rlim_cur = 100000;
    setrlimit(RLIMIT_FSIZE, &limited);
    int result = manager.Save(target);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadBytes(target), before);
    EXPECT_EQ(dir.List(), std::vector<std::string>{"keep.dict"});
    EXPECT_NE(manager.GetLastFileError().Find(QSTR("keep.dict")), -1) << manager.GetLastFileError().ToUtf8();
    EXPECT_EQ(manager.GetLanguageDictList()->GetCount(), 2);
    EXPECT_EQ(manager.GetFile(), target);
#endif
    // Save() writes where the last successful Save went.
    manager.SetVersion(S("3.0"));
    ASSERT_EQ(manager.Save(), 1);
    CQorDictionaryManager reread;
    ASSERT_EQ(reread.Load(target), 1);
    EXPECT_EQ(reread.GetVersion(), S("3.0"));
    EXPECT_EQ(dir.List(), std::vector<std::string>{"keep.dict"});
}
