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

// Failures show the texts, not their addresses.
static void PrintTo(const CString& text, std::ostream* out) { *out << '"' << text.ToUtf8() << '"'; }

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
    // separators have none. The named menu, then the normal and the extended one.
    EXPECT_EQ(Texts("menus.dll", 0x0804), List({"工具", "退出", "文件(&F)", "新建(&N)", "最近", "清除", "退出", "帮助",
                                                "编辑(&E)", "复制", "更多", "全选", "视图"}));
    EXPECT_EQ(Texts("menus.dll", 0x0407), List({"Datei"}));
    EXPECT_TRUE(Texts("menus.dll", 0x0409).empty());

    // Dialogs: caption and control texts; fonts, class names, ordinals and empty texts are not texts.
    EXPECT_EQ(Texts("dialogs.dll", 0x0804), List({"设置", "名称:", "确定", "属性", "启用", "取消"}));
    EXPECT_EQ(Texts("dialogs.dll", 0x0407), List({"Einstellungen", "OK"}));
    EXPECT_TRUE(Texts("dialogs.dll", 0x0409).empty());

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
    ASSERT_EQ(texts.GetCount(), 1 + 6 + 13 + 1);
    EXPECT_EQ(texts.GetHead(), S("already there"));
    EXPECT_EQ(texts.GetTail(), S("程序"));

    // The folder written with backslashes and without a trailing separator names the same files.
    CString backslashed = folder.Path("a");
    backslashed = backslashed.Left(backslashed.GetLength() - 2);
    backslashed.Replace(QSTR("/"), QSTR("\\"));
    const std::vector<CString> paths = CQorResModuleManager::ListModules(backslashed, nullptr);
    ASSERT_EQ(paths.size(), 4u);
    EXPECT_EQ(paths[0], backslashed + S("\\a.DLL"));

    // A stop before a module reads nothing of it and is no damage; a folder that is not there fails.
    std::atomic<bool> stop{true};
    std::vector<CString> stopped;
    EXPECT_TRUE(CQorResModuleManager::ReadModule(paths[0], 0x0804, stopped, &stop).skipReason.IsEmpty());
    EXPECT_TRUE(stopped.empty());
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

// The resource tree of a PE32+ file as the test modules are, found
// independently of the reader: where it starts in the file and its RVA.
struct Tree {
    std::size_t start = 0;
    std::uint32_t rva = 0;

    explicit Tree(const std::vector<unsigned char>& b) {
        const std::size_t pe = Get32(b, 0x3C);
        const std::size_t optional = pe + 24;
        const std::size_t sections = optional + (b[pe + 20] | b[pe + 21] << 8);
        rva = Get32(b, optional + 112 + 16);
        for (std::size_t s = 0; s < std::size_t(b[pe + 6]); ++s) {
            const std::size_t header = sections + s * 40;
            const std::uint32_t va = Get32(b, header + 12);
            if (rva >= va && rva < va + Get32(b, header + 16)) start = Get32(b, header + 20) + (rva - va);
        }
    }
    // The file offset of entry `index` of the directory at `directory` (tree offset).
    std::size_t Entry(std::size_t directory, std::size_t index) const { return start + directory + 16 + index * 8; }
    // The tree offset the first entry of that directory points to.
    std::size_t First(const std::vector<unsigned char>& b, std::size_t directory) const {
        return Get32(b, Entry(directory, 0) + 4) & 0x7FFFFFFF;
    }
};

CString Damage(const std::vector<unsigned char>& bytes) {
    std::vector<CString> texts;
    // A copy of exactly the bytes given, so that the sanitizer sees any read past them.
    std::vector<unsigned char> exact(bytes);
    const CString reason = CQorResModuleManager::ReadModuleImage(exact.data(), exact.size(), 0x0804, texts);
    EXPECT_TRUE(reason.IsEmpty() || texts.empty()) << "a damaged module contributes nothing";
    return reason;
}

TEST(ResModuleTest, DamagedHeadersAndDirectoriesSkipTheModule) {
    for (const char* module : {"strings.dll", "menus.dll", "dialogs.dll", "program.exe"}) {
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

        const Tree tree(good);
        ASSERT_NE(tree.start, 0u);
        // A type entry pointing back at the root, a name entry at its type directory.
        bad = good;
        Put32(bad, tree.Entry(0, 0) + 4, 0x80000000u);
        EXPECT_EQ(Damage(bad), S("the resource directory loops back on itself"));
        bad = good;
        const std::size_t typeDirectory = tree.First(good, 0);
        Put32(bad, tree.Entry(typeDirectory, 0) + 4, 0x80000000u | std::uint32_t(typeDirectory));
        EXPECT_EQ(Damage(bad), S("the resource directory loops back on itself"));
        // An entry count far beyond the section.
        bad = good;
        bad[tree.start + 14] = 0xFF;
        bad[tree.start + 15] = 0x7F;
        EXPECT_EQ(Damage(bad), S("a resource directory extends past the end of the resources"));
        // The first resource's data: where it is and how long.
        const std::size_t data = tree.start + tree.First(good, tree.First(good, typeDirectory));
        bad = good;
        Put32(bad, data, 0x7FFFFFF0u);
        EXPECT_EQ(Damage(bad), S("the data of a resource lies outside the file"));
        bad = good;
        Put32(bad, data + 4, 0x7FFFFFF0u);
        EXPECT_EQ(Damage(bad), S("the data of a resource lies outside the file"));
    }

    // Menu TOOLS is the first name of type 4, before the numbered ones.
    std::vector<unsigned char> bad = Bytes("menus.dll");
    const Tree tree(bad);
    const std::size_t name = tree.Entry(tree.First(bad, 0), 0);
    ASSERT_EQ(Get32(bad, name) >> 31, 1u);
    Put32(bad, name, 0x8FFFFFF0u);
    EXPECT_EQ(Damage(bad), S("a resource name extends past the end of the resources"));
}

// The Chinese payload of the first name of the first type of a module, to be
// damaged in place.
struct Payload {
    std::vector<unsigned char> bytes;
    std::size_t at = 0, sizeField = 0;

    explicit Payload(const char* module) : bytes(Bytes(module)) {
        const Tree tree(bytes);
        const std::size_t languages = tree.First(bytes, tree.First(bytes, 0));
        std::size_t index = 0;
        while (Get32(bytes, tree.Entry(languages, index)) != 0x0804) ++index;
        const std::size_t entry = tree.start + Get32(bytes, tree.Entry(languages, index) + 4);
        at = tree.start + (Get32(bytes, entry) - tree.rva);
        sizeField = entry + 4;
    }
    std::uint32_t Size() const { return Get32(bytes, sizeField); }
    // The offset of the first occurrence of a UTF-16 text in the payload.
    std::size_t Find(const char16_t* text) const {
        const std::u16string wanted(text);
        for (std::size_t i = at; i + wanted.size() * 2 <= at + Size(); i += 2) {
            bool same = true;
            for (std::size_t c = 0; c < wanted.size() && same; ++c)
                same = (bytes[i + 2 * c] | bytes[i + 2 * c + 1] << 8) == wanted[c];
            if (same) return i - at;
        }
        ADD_FAILURE() << "text not in the resource";
        return 0;
    }
};

TEST(ResModuleTest, DamagedPayloadsSkipTheModule) {
    // String 7 of block 1 of the program is "程序": a count past the block.
    Payload strings("program.exe");
    ASSERT_EQ(strings.bytes[strings.at + 14], 2);
    strings.bytes[strings.at + 14] = 0xFF;
    strings.bytes[strings.at + 15] = 0xFF;
    EXPECT_EQ(Damage(strings.bytes), S("a string-table entry runs past the end of its block"));

    // The dialog ends inside its caption "设置", whose terminator is gone.
    Payload dialog("dialogs.dll");
    Put32(dialog.bytes, dialog.sizeField, std::uint32_t(dialog.Find(u"设置") + 4));
    EXPECT_EQ(Damage(dialog.bytes), S("a dialog's template runs past the end of the resource"));

    // The named menu's items lose their end marks: the items run on past the resource.
    Payload menu("menus.dll");
    for (std::size_t i = menu.at + 4; i < menu.at + menu.Size(); i += 2)
        if (menu.bytes[i] & 0x80) menu.bytes[i] &= 0x7F;
    EXPECT_EQ(Damage(menu.bytes), S("a menu's items run past the end of the resource"));
    // A menu template version that does not exist.
    menu = Payload("menus.dll");
    menu.bytes[menu.at] = 7;
    EXPECT_EQ(Damage(menu.bytes), S("a menu has an unknown template version"));
}

}  // namespace
