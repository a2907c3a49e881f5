// The resource enumerator on modules this project builds for the tests, on
// damaged copies of them, and on folders.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "base/CStringList.h"
#include "host/resmodule/QorResModuleManager.h"

namespace {

const char* const kFolder = QOR_TEST_PE_DIR;

CString Module(const char* name) { return S((std::string(kFolder) + "/" + name).c_str()); }

std::vector<CString> Texts(const char* module, WORD language) {
    std::vector<CString> texts;
    const ResModuleReport report = CQorResModuleManager::ReadModule(Module(module), language, texts);
    EXPECT_TRUE(report.skipReason.IsEmpty()) << report.skipReason.ToUtf8();
    EXPECT_EQ(report.strings, int(texts.size()));
    return texts;
}

std::vector<CString> List(std::initializer_list<const char*> texts) {
    std::vector<CString> list;
    for (const char* text : texts) list.push_back(S(text));
    return list;
}

TEST(ResModuleTest, EachKindOfResourceGivesItsTextsInTheRequestedLanguageOnly) {
    // Empty strings dropped, duplicates kept, "&" and characters outside the BMP as written.
    EXPECT_EQ(Texts("strings.dll", 0x0804), List({"打开", "保存(&S)", "打开", "列\t表", "音乐 𝄞", "最后"}));
    EXPECT_EQ(Texts("strings.dll", 0x0407), List({"Öffnen", "&Speichern"}));
    EXPECT_EQ(Texts("strings.dll", 0x0409), List({"Open"}));
    EXPECT_TRUE(Texts("strings.dll", 0x0404).empty()) << "another Chinese";
    EXPECT_TRUE(Texts("strings.dll", 0).empty()) << "neutral matches nothing";

    // Menus: the accelerator text after the tab is not part of the text;
    // separators have none. The normal template first, then the extended one.
    EXPECT_EQ(Texts("menus.dll", 0x0804),
              List({"文件(&F)", "新建(&N)", "最近", "清除", "退出", "帮助", "编辑(&E)", "复制", "更多", "全选", "视图"}));
    EXPECT_EQ(Texts("menus.dll", 0x0407), List({"Datei"}));

    // Dialogs: caption and control texts; fonts, class names, ordinals and empty texts are not texts.
    EXPECT_EQ(Texts("dialogs.dll", 0x0804), List({"设置", "名称:", "确定", "属性", "启用", "取消"}));
    EXPECT_EQ(Texts("dialogs.dll", 0x0407), List({"Einstellungen", "OK"}));

    EXPECT_EQ(Texts("program.exe", 0x0804), List({"程序"}));
}

TEST(ResModuleTest, AFolderIsReadInFileNameOrderSkippingWhatIsNotAModule) {
    ScratchDir folder;
    WriteBytes(folder.Path("B.dll"), ReadBytes(Module("menus.dll")));
    WriteBytes(folder.Path("a.DLL"), ReadBytes(Module("strings.dll")));
    WriteBytes(folder.Path("c.exe"), ReadBytes(Module("program.exe")));
    WriteBytes(folder.Path("notes.dll"), {'n', 'o', 't', 'e', 's'});
    WriteBytes(folder.Path("d.txt"), ReadBytes(Module("dialogs.dll")));
    std::filesystem::create_directories(std::filesystem::u8path(folder.Path("sub.dll").ToUtf8()));
    WriteBytes(folder.Path("sub.dll/e.dll"), ReadBytes(Module("dialogs.dll")));

    CQorResModuleManager reader;
    ASSERT_TRUE(reader.EnumResource(folder.Path(""), 0x0804));
    const std::vector<ResModuleReport>& reports = reader.GetReports();
    ASSERT_EQ(reports.size(), 4u);
    EXPECT_EQ(reports[0].fileName, S("a.DLL"));
    EXPECT_EQ(reports[0].strings, 6);
    EXPECT_EQ(reports[1].fileName, S("B.dll"));
    EXPECT_EQ(reports[2].fileName, S("c.exe"));
    EXPECT_EQ(reports[3].fileName, S("notes.dll"));
    EXPECT_EQ(reports[3].skipReason, S("not a program or library (no MZ header)"));
    CStringList texts;
    texts.AddTail(S("already there"));
    reader.GetResStrings(texts);
    ASSERT_EQ(texts.GetCount(), 1 + 6 + 11 + 1);
    EXPECT_EQ(texts.GetHead(), S("already there"));
    EXPECT_EQ(texts.GetTail(), S("程序"));

    // A stop before the first module reads nothing; a folder that is not there fails.
    std::atomic<bool> stop{true};
    reader.SetStopFlag(&stop);
    ASSERT_TRUE(reader.EnumResource(folder.Path(""), 0x0804));
    EXPECT_TRUE(reader.GetReports().empty());
    CString error;
    EXPECT_TRUE(CQorResModuleManager::ListModules(folder.Path("missing"), &error).empty());
    EXPECT_NE(error.Find(S("cannot list the folder")), -1);
    EXPECT_FALSE(reader.EnumResource(folder.Path("missing"), 0x0804));
}

std::vector<unsigned char> Bytes(const char* module) { return ReadBytes(Module(module)); }

std::uint32_t Get32(const std::vector<unsigned char>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}
void Put32(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = (unsigned char)(v >> (8 * i));
}

// Where the resource tree starts in the file, found the way the reader does.
std::size_t ResourceTreeOffset(const std::vector<unsigned char>& b) {
    const std::size_t pe = Get32(b, 0x3C);
    const std::size_t optional = pe + 24;
    const std::size_t sections = optional + (b[pe + 20] | b[pe + 21] << 8);
    const std::uint32_t rva = Get32(b, optional + 112 + 16);
    for (std::size_t s = 0; s < std::size_t(b[pe + 6]); ++s) {
        const std::size_t header = sections + s * 40;
        const std::uint32_t va = Get32(b, header + 12);
        if (rva >= va && rva < va + Get32(b, header + 16)) return Get32(b, header + 20) + (rva - va);
    }
    return 0;
}

CString Damage(const std::vector<unsigned char>& bytes) {
    std::vector<CString> texts;
    // A copy of exactly the bytes given, so that the sanitizer sees any read past them.
    std::vector<unsigned char> exact(bytes);
    const CString reason = CQorResModuleManager::ReadModuleImage(exact.data(), exact.size(), 0x0804, texts);
    EXPECT_TRUE(reason.IsEmpty() || texts.empty()) << "a damaged module contributes nothing";
    return reason;
}

TEST(ResModuleTest, DamagedModulesAreSkippedWithAReason) {
    for (const char* module : {"strings.dll", "menus.dll", "dialogs.dll"}) {
        SCOPED_TRACE(module);
        const std::vector<unsigned char> good = Bytes(module);
        // Cut anywhere: a reason, or (cut in the padding after the data) the full answer.
        int cutsRead = 0;
        for (std::size_t length = 0; length < good.size(); ++length) {
            std::vector<unsigned char> cut(good.begin(), good.begin() + std::ptrdiff_t(length));
            cutsRead += Damage(cut).IsEmpty();
        }
        EXPECT_LT(cutsRead, int(good.size()) / 2);

        const std::size_t pe = Get32(good, 0x3C);
        std::vector<unsigned char> bad = good;
        bad[pe + 6] = 0xFF;  // 255 sections
        EXPECT_EQ(Damage(bad), S("the section table extends past the end of the file"));

        const std::size_t tree = ResourceTreeOffset(good);
        ASSERT_NE(tree, 0u);
        // The first type entry points back at the root directory.
        bad = good;
        Put32(bad, tree + 16 + 4, 0x80000000u);
        EXPECT_EQ(Damage(bad), S("the resource directory loops back on itself"));
        // An entry count far beyond the section.
        bad = good;
        bad[tree + 14] = 0xFF;
        bad[tree + 15] = 0x7F;
        EXPECT_EQ(Damage(bad), S("a resource directory extends past the end of the resources"));
    }

    // A data entry whose size runs past the end of the file: the first data
    // entry is the only 16-byte record whose RVA points at the string block.
    std::vector<unsigned char> bad = Bytes("program.exe");
    const std::size_t tree = ResourceTreeOffset(bad);
    std::size_t typeDir = Get32(bad, tree + 16 + 4) & 0x7FFFFFFF;
    std::size_t nameDir = Get32(bad, tree + typeDir + 16 + 4) & 0x7FFFFFFF;
    std::size_t dataEntry = Get32(bad, tree + nameDir + 16 + 4);
    Put32(bad, tree + dataEntry + 4, 0x7FFFFFF0u);
    EXPECT_EQ(Damage(bad), S("the data of a resource lies outside the file"));
    // A string length past the block: string 7 of block 1 is "程序".
    bad = Bytes("program.exe");
    const std::uint32_t resourceRva = Get32(bad, Get32(bad, 0x3C) + 24 + 112 + 16);
    const std::size_t block = tree + (Get32(bad, tree + dataEntry) - resourceRva);
    ASSERT_EQ(bad[block + 14], 2);
    bad[block + 14] = 0xFF;
    bad[block + 15] = 0xFF;
    EXPECT_EQ(Damage(bad), S("a string-table entry runs past the end of its block"));
}

}  // namespace
