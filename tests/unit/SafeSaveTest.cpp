// Saving through links and at the limits of names: what the name stands for
// must not change, and nothing may be left beside the file.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "TestSupport.h"
#include "model/QorDictionaryManager.h"

namespace fs = std::filesystem;

namespace {

fs::path Native(const CString& path) {
#if defined(_WIN32)
    return fs::path(std::wstring(path.GetString()));
#else
    return fs::path(path.ToNativeText());
#endif
}

CString VersionIn(const CString& path) {
    CQorDictionaryManager reader;
    if (!reader.Load(path)) return S("<") + reader.GetLastFileError() + S(">");
    return reader.GetVersion();
}

int SaveVersion(const CString& path, const char* version) {
    CQorDictionaryManager manager;
    manager.SetVersion(CString::FromUtf8(version));
    return manager.Save(path);
}

}  // namespace

TEST(SafeSave, LinksLeadToTheFileThatIsReplaced) {
    ScratchDir dir;
    const CString real = dir.Path("real.dict"), hard = dir.Path("hard.dict");
    ASSERT_EQ(SaveVersion(real, "1"), 1);

    // A hard link keeps sharing the content with its twin. Wine counts one
    // link whatever there are, so there it cannot be told from a plain file.
    fs::create_hard_link(Native(real), Native(hard));
    if (fs::hard_link_count(Native(real)) == 2) {
        ASSERT_EQ(SaveVersion(hard, "2"), 1) << VersionIn(hard).ToUtf8();
        EXPECT_EQ(VersionIn(real), S("2"));
        EXPECT_EQ(fs::hard_link_count(Native(real)), 2u);
        ASSERT_EQ(SaveVersion(real, "3"), 1);
        EXPECT_EQ(VersionIn(hard), S("3"));
    } else {
        std::printf("hard links not tried: the file system counts %d\n", int(fs::hard_link_count(Native(real))));
    }
    fs::remove(Native(hard));

    // Wine cannot make symbolic links; Windows needs a privilege for them.
    const CString link = dir.Path("link.dict"), dangling = dir.Path("dangling.dict");
    std::error_code noLinks;
    fs::create_symlink(Native(real).filename(), Native(link), noLinks);
    if (!noLinks) {
        ASSERT_EQ(SaveVersion(link, "4"), 1);
        EXPECT_TRUE(fs::is_symlink(Native(link)));
        EXPECT_EQ(VersionIn(real), S("4"));
        // A link to nothing yet: the file appears where it points.
        fs::create_symlink("created.dict", Native(dangling));
        ASSERT_EQ(SaveVersion(dangling, "5"), 1);
        EXPECT_TRUE(fs::is_symlink(Native(dangling)));
        EXPECT_EQ(VersionIn(dir.Path("created.dict")), S("5"));
        EXPECT_EQ(dir.List().size(), 4u);
    } else {
        std::printf("symbolic links not tried: %s\n", noLinks.message().c_str());
        EXPECT_EQ(dir.List(), std::vector<std::string>{"real.dict"});
    }
}

TEST(SafeSave, NamesUpToTheLimitAndNothingLeftBehind) {
    ScratchDir dir;
    // 255 is the longest file name on both platforms (bytes here, UTF-16 units there).
    const std::string name = std::string(250, 'n') + ".dict";
    const CString path = dir.Path(name.c_str());
    ASSERT_EQ(SaveVersion(path, "1"), 1);
    ASSERT_EQ(SaveVersion(path, "2"), 1);
    EXPECT_EQ(VersionIn(path), S("2"));
    EXPECT_EQ(dir.List(), std::vector<std::string>{name});

    // A failed save's message names the user's file, never a temporary one.
    const CString folder = dir.Path("folder.dict");
    fs::create_directory(Native(folder));
    CQorDictionaryManager manager;
    EXPECT_EQ(manager.Save(folder), 0);
    EXPECT_NE(manager.GetLastFileError().Find(QSTR("folder.dict")), -1);
    EXPECT_EQ(manager.GetLastFileError().Find(QSTR(".tmp")), -1) << manager.GetLastFileError().ToUtf8();
    EXPECT_EQ(dir.List().size(), 2u);
}
