#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorLanguageDict.h"
#include "model/TextListFile.h"

#if !defined(_WIN32)
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

void AddEntry(CQorLanguageDict* language, DICTMODE mode, const char* original, const char* display) {
    auto* entry = new CQorDictWordElement;
    entry->SetOriginalCharacter(S(original));
    entry->SetDisplayCharacter(S(display));
    ASSERT_EQ(language->AddWord(mode, entry), 1);
}

// German shown in both modes: File and Project translated, Empty with an
// empty translation.
void MakeGerman(CQorDictionaryManager& manager) {
    auto* german = new CQorLanguageDict;
    german->SetLanguageID(0x0407);
    german->SetEnable(1);
    AddEntry(german, DICTMODE_SYSTEM, "File", "Datei");
    AddEntry(german, DICTMODE_SYSTEM, "Empty", "");
    AddEntry(german, DICTMODE_PROJECT, "Project", "Projekt");
    ASSERT_EQ(manager.Add(german), 1);
    manager.SetSysDefaultLanguageLCID(0x0407);
    manager.SetProjectDefaultLanguageLCID(0x0407);
}

std::vector<CString> Texts(std::initializer_list<const char*> utf8) {
    std::vector<CString> texts;
    for (const char* text : utf8) texts.push_back(S(text));
    return texts;
}

}  // namespace

TEST(MissRecorder, RecordsEachUntranslatedTextOnceInEitherModeAndPath) {
    CQorDictionaryManager manager;
    MakeGerman(manager);
    const CQorLanguageDict& german = *manager.Find(0x0407);
    manager.GetDisplayCharacter(DICTMODE_SYSTEM, S("Edit"));
    EXPECT_TRUE(manager.GetMisses().empty()) << "off records nothing";

    manager.EnableMissRecorder(true);
    EXPECT_EQ(manager.GetDisplayCharacter(DICTMODE_SYSTEM, S("file")), S("Datei"));
    EXPECT_EQ(manager.GetDisplayCharacter(DICTMODE_SYSTEM, S("Edit")), S("Edit"));
    EXPECT_EQ(manager.GetDisplayCharacterIn(german, DICTMODE_SYSTEM, S("EDIT")), S("EDIT"));
    EXPECT_EQ(manager.GetDisplayCharacter(DICTMODE_SYSTEM, S("Empty")), S("Empty"));
    EXPECT_EQ(manager.GetDisplayCharacterIn(german, DICTMODE_PROJECT, S("Project")), S("Projekt"));
    EXPECT_EQ(manager.GetDisplayCharacter(DICTMODE_PROJECT, S("File")), S("File"));  // system only
    manager.GetDisplayCharacter(DICTMODE_SYSTEM, CString());
    EXPECT_EQ(manager.GetMisses(), Texts({"Edit", "Empty", "File"}));

    // Nothing shown in a language: no language for the mode, a disabled
    // language or a disabled dictionary.
    manager.SetProjectDefaultLanguageLCID(0x0409);
    manager.GetDisplayCharacter(DICTMODE_PROJECT, S("no language"));
    manager.SetEnable(0);
    manager.GetDisplayCharacter(DICTMODE_SYSTEM, S("dictionary off"));
    manager.SetEnable(1);
    manager.Find(0x0407)->SetEnable(0);
    manager.GetDisplayCharacter(DICTMODE_SYSTEM, S("language off"));
    EXPECT_EQ(manager.GetMisses().size(), 3u);

    // Off keeps the list and adds nothing; on again goes on from there; Load keeps it.
    manager.Find(0x0407)->SetEnable(1);
    manager.EnableMissRecorder(false);
    EXPECT_FALSE(manager.IsMissRecorderEnabled());
    manager.GetDisplayCharacter(DICTMODE_SYSTEM, S("while off"));
    manager.EnableMissRecorder(true);
    manager.GetDisplayCharacter(DICTMODE_SYSTEM, S("Help"));
    manager.Load(S("/no/such/file.dict"));
    EXPECT_EQ(manager.GetMisses(), Texts({"Edit", "Empty", "File", "Help"}));
    manager.ClearMisses();
    EXPECT_TRUE(manager.GetMisses().empty());
}

TEST(MissRecorder, KeepsAtMostTheBoundAndCountsTheRest) {
    CQorDictionaryManager manager;
    MakeGerman(manager);
    manager.EnableMissRecorder(true, 2);
    for (const char* text : {"a", "b", "c", "A", "d", "c"}) manager.GetDisplayCharacter(DICTMODE_SYSTEM, S(text));
    EXPECT_EQ(manager.GetMisses(), Texts({"a", "b"}));
    EXPECT_EQ(manager.GetDroppedMissCount(), 3u);  // c, d and c again; "A" is "a"
    manager.EnableMissRecorder(true, 3);
    manager.GetDisplayCharacter(DICTMODE_SYSTEM, S("d"));
    EXPECT_EQ(manager.GetMisses(), Texts({"a", "b", "d"}));
    manager.ClearMisses();
    EXPECT_EQ(manager.GetDroppedMissCount(), 0u);
}

TEST(MissRecorderThreads, LookUpsOnSeveralThreadsRecordEachMissOnce) {
    CQorDictionaryManager manager;
    MakeGerman(manager);
    manager.EnableMissRecorder(true);
    std::vector<CString> misses;
    for (int i = 0; i < 300; ++i) misses.push_back(S(("miss " + std::to_string(i)).c_str()));
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int round = 0; round < 3; ++round)
                for (std::size_t i = 0; i < misses.size(); ++i) {
                    const CString& text = misses[(i * 7 + std::size_t(t) * 31) % misses.size()];
                    if (manager.GetDisplayCharacter(DICTMODE_SYSTEM, text) != text) ++wrong;
                    if (manager.GetDisplayCharacter(DICTMODE_SYSTEM, S("File")) != S("Datei")) ++wrong;
                }
        });
    std::size_t seen = 0;
    for (int i = 0; i < 50; ++i) {
        manager.EnableMissRecorder(true);  // the switch is written while the others read it
        seen = std::max(seen, manager.GetMisses().size());
    }
    for (std::thread& thread : threads) thread.join();
    std::vector<CString> recorded = manager.GetMisses();
    EXPECT_EQ(wrong.load(), 0);
    EXPECT_LE(seen, misses.size());
    ASSERT_EQ(recorded.size(), misses.size());
    std::sort(recorded.begin(), recorded.end());
    std::sort(misses.begin(), misses.end());
    EXPECT_EQ(recorded, misses);
}

TEST(MissList, EveryTextReadsBackExactly) {
    ScratchDir dir;
    const WCHAR lone[] = {WCHAR('x'), WCHAR(0xD800), WCHAR('y'), WCHAR(0xDC01), 0};
    const WCHAR nul[] = {WCHAR('a'), 0, WCHAR('b')};
    CQorDictionaryManager manager;
    MakeGerman(manager);
    manager.EnableMissRecorder(true);
    const std::vector<CString> texts = {S("Save\tAll"), S("two\nlines\r\n"), S("C:\\temp\\n"), S("表情 😀 🎉"),
                                        CString(lone), CString(nul, 3), S("  spaced  "), S("\\u0041")};
    for (const CString& text : texts) manager.GetDisplayCharacter(DICTMODE_SYSTEM, text);
    ASSERT_EQ(manager.SaveMisses(dir.Path("misses.txt")), 1) << manager.GetLastFileError().ToUtf8();

    const std::vector<unsigned char> bytes = ReadBytes(dir.Path("misses.txt"));
    const std::string written(bytes.begin(), bytes.end());
    EXPECT_EQ(written, "Save\\tAll\ntwo\\nlines\\r\\n\nC:\\\\temp\\\\n\n表情 😀 🎉\nx\\uD800y\\uDC01\na\\u0000b\n"
                       "  spaced  \n\\\\u0041\n");
    std::vector<CString> read;
    std::string error;
    ASSERT_TRUE(ReadTextListFile(dir.Path("misses.txt"), read, error)) << error;
    EXPECT_EQ(read, texts);

    // Written by hand: a byte-order mark, CR LF, empty lines, lower-case hex.
    read.clear();
    const std::string hand = "\xEF\xBB\xBFone\r\n\r\n\\u00e9\\ud83d\\ude00\n\nlast";
    ASSERT_TRUE(ParseTextList(hand.data(), hand.size(), read, error)) << error;
    EXPECT_EQ(read, Texts({"one", "é😀", "last"}));
}

TEST(MissList, BadLinesAreNamedAndAddNothing) {
    struct Case {
        std::string bytes, message;
    } cases[] = {
        {"ok\n\xFF\n", "line 2: not valid UTF-8 at byte 1"},
        {"ok\nab\xC0\xAF\n", "line 2: not valid UTF-8 at byte 3"},   // overlong '/'
        {"\xED\xA0\x80\n", "line 1: not valid UTF-8"},              // an encoded surrogate
        {"a\n\nc\xE4\xB8", "line 3: not valid UTF-8"},              // cut off
        {"\xF4\x90\x80\x80", "line 1: not valid UTF-8"},            // past U+10FFFF
        {"C:\\Temp\n", "line 1: unknown escape '\\T'"},
        {"a\\u12G4\n", "line 1: \\u needs four hexadecimal digits"},
        {"x\ntrailing\\", "line 2: a backslash ends the line"},
    };
    for (const Case& c : cases) {
        std::vector<CString> texts;
        std::string error;
        EXPECT_FALSE(ParseTextList(c.bytes.data(), c.bytes.size(), texts, error)) << c.bytes;
        EXPECT_EQ(error.rfind(c.message, 0), 0u) << error;
        EXPECT_TRUE(texts.empty());
    }
}

TEST(MissList, AFailedSaveLeavesTheOldFile) {
    ScratchDir dir;
    CQorDictionaryManager manager;
    MakeGerman(manager);
    manager.EnableMissRecorder(true);
    manager.GetDisplayCharacter(DICTMODE_SYSTEM, S("old"));
    const CString target = dir.Path("misses.txt");
    ASSERT_EQ(manager.SaveMisses(target), 1);
    EXPECT_EQ(manager.SaveMisses(dir.Path("no/such/folder/misses.txt")), 0);
    EXPECT_NE(manager.GetLastFileError().Find(QSTR("misses.txt")), -1);
    EXPECT_EQ(manager.SaveMisses(dir.Path("")), 0);  // the folder itself

#if !defined(_WIN32)
    // Cut off half-way by the file size limit.
    manager.GetDisplayCharacter(DICTMODE_SYSTEM, CString(WCHAR('B'), 200000));
    struct rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    auto previous = std::signal(SIGXFSZ, SIG_DFL);
    struct rlimit limited = saved;
    limited.rlim_cur = 100000;
    setrlimit(RLIMIT_FSIZE, &limited);
    const int result = manager.SaveMisses(target);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(result, 0);
    EXPECT_NE(manager.GetLastFileError().Find(QSTR("misses.txt")), -1) << manager.GetLastFileError().ToUtf8();
#endif
    EXPECT_EQ(ReadBytes(target), (std::vector<unsigned char>{'o', 'l', 'd', '\n'}));
    EXPECT_EQ(dir.List(), std::vector<std::string>{"misses.txt"});
}
