#include "api/IniProfileStore.h"
#include "api/Preferences.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using lm::test::fileText;
using lm::test::writeFileText;

class IniProfileStoreTest : public ::testing::Test {
protected:
    lm::test::TempDir temp;
    const fs::path dir_ = temp.path;
};

} // namespace

TEST_F(IniProfileStoreTest, WritesProfileSyntaxIntoNewFoldersAndReadsItBack)
{
    const fs::path file = dir_ / "a" / "b" / "prefs.ini";
    lm::IniProfileStore store(file);
    EXPECT_TRUE(store.writeInt("Laminar", "VerAppearance", 10));
    EXPECT_TRUE(store.writeInt("Laminar\\TAB#2\\Column#4", "Width", -5));
    EXPECT_TRUE(store.writeInt("Laminar", "VerPlacement", 2));
    EXPECT_TRUE(store.writeInt("Laminar", "VerAppearance", 11));
    EXPECT_FALSE(fs::exists(file)); // nothing lasting before the flush
    EXPECT_TRUE(store.flush());
    EXPECT_EQ(fileText(file), "[Laminar]\nVerAppearance=11\nVerPlacement=2\n[Laminar\\TAB#2\\Column#4]\nWidth=-5\n");

    lm::IniProfileStore reread(file);
    EXPECT_EQ(reread.readInt("Laminar\\TAB#2\\Column#4", "Width", 0), -5);
    EXPECT_EQ(reread.readInt("Laminar\\TAB#2\\Column#5", "Width", 7), 7);
    EXPECT_FALSE(reread.writeInt("Bad]Section", "x", 1));
    EXPECT_FALSE(reread.writeInt("Laminar", "a=b", 1));
}

TEST_F(IniProfileStoreTest, LooksUpCaseInsensitivelyAndKeepsUnrelatedContent)
{
    const fs::path file = dir_ / "host.ini";
    const std::string before = "; the host's own settings\n[Other]\nColour = blue\n\n"
                               "[laminar]\nverappearance = 7\nJunk=12abc\nBig=2147483648\nLow=-2147483648\nPlus=+5\n"
                               "\n[Tail]\nx=1\n";
    writeFileText(file, before);
    lm::IniProfileStore store(file);
    const std::tuple<const char*, const char*, int32_t, int32_t> reads[] = {
        {"LAMINAR", "VerAppearance", 0, 7}, {"Laminar", "Junk", -1, -1}, {"Laminar", "Big", -1, -1},
        {"Laminar", "Low", 0, INT32_MIN},   {"Laminar", "Plus", 0, 5},   {"Other", "Colour", -1, -1}, {"Tail", "x", 0, 1}};
    for (const auto& [section, key, fallback, expected] : reads)
        EXPECT_EQ(store.readInt(section, key, fallback), expected) << key;

    // The stored spelling of a key stays; a new key goes after the section's last entry.
    EXPECT_TRUE(store.writeInt("Laminar", "VerAppearance", 10));
    EXPECT_TRUE(store.writeInt("Laminar", "Tab Count", 5));
    EXPECT_TRUE(store.flush());
    std::string after = before;
    after.replace(after.find("verappearance = 7"), 17, "verappearance=10");
    after.insert(after.find("\n[Tail]"), "Tab Count=5\n");
    EXPECT_EQ(fileText(file), after);

    const fs::path dos = dir_ / "dos.ini";
    writeFileText(dos, "[A]\r\nk=1\r\n");
    lm::IniProfileStore crlf(dos);
    EXPECT_TRUE(crlf.writeInt("a", "m", 2) && crlf.flush());
    EXPECT_EQ(fileText(dos), "[A]\r\nk=1\r\nm=2\r\n");

}

TEST_F(IniProfileStoreTest, WhatCannotBeReadIsNeverWrittenAndNeverBlocks)
{
    // A folder, a named pipe without a writer (opening it must not wait), a file beyond the size bound.
    const fs::path pipe = dir_ / "pipe.ini";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const fs::path huge = dir_ / "huge.ini";
    writeFileText(huge, "[S]\nk=1\n" + std::string(lm::kMaxProfileBytes, ';'));
    for (const fs::path& path : {dir_, pipe, huge}) {
        lm::IniProfileStore store(path);
        EXPECT_EQ(store.readInt("S", "k", -1), -1) << path;
        EXPECT_FALSE(store.writeInt("S", "k", 1)) << path;
        EXPECT_FALSE(store.flush()) << path;
    }
    EXPECT_EQ(fs::status(pipe).type(), fs::file_type::fifo);
    EXPECT_EQ(fs::file_size(huge), lm::kMaxProfileBytes + 8);
}

// Following links and refusing read-only files is the file layer's (its own tests); the
// store must create the folder a dangling link names and keep its edits after a refusal.
TEST_F(IniProfileStoreTest, StoresThroughADanglingLinkAndKeepsEditsARefusedFlushDidNotWrite)
{
    fs::create_symlink(dir_ / "new" / "prefs.ini", dir_ / "link.ini");
    lm::IniProfileStore store(dir_ / "link.ini");
    EXPECT_TRUE(store.writeInt("S", "k", 3) && store.flush());
    EXPECT_TRUE(fs::is_symlink(dir_ / "link.ini"));
    EXPECT_EQ(fileText(dir_ / "new" / "prefs.ini"), "[S]\nk=3\n");

    fs::permissions(dir_ / "new" / "prefs.ini", fs::perms::owner_read);
    EXPECT_TRUE(store.writeInt("T", "k", 4));
    EXPECT_FALSE(store.flush());
    EXPECT_EQ(fileText(dir_ / "new" / "prefs.ini"), "[S]\nk=3\n");
    fs::permissions(dir_ / "new" / "prefs.ini", fs::perms::owner_all);
    EXPECT_TRUE(store.flush());
    EXPECT_EQ(fileText(dir_ / "new" / "prefs.ini"), "[S]\nk=3\n[T]\nk=4\n");
}

TEST(IniProfileStore, PerUserStoreFollowsConfigHomeAndKeyName)
{
    EXPECT_EQ(lm::applicationName(), "laminar_tests");
    const std::string app = lm::applicationName() + ".ini";
    lm::test::ConfigHome config;
    const auto writeOne = [](bool useIniFile, const char* name) {
        const auto store = lm::openProfileStore(useIniFile, name);
        return store->writeInt("Laminar", "VerPlacement", 2) && store->flush();
    };
    EXPECT_TRUE(writeOne(false, "Acme\\Tools"));
    EXPECT_TRUE(fs::exists(config.path / "Acme" / "Tools" / app));
    EXPECT_EQ(lm::perUserProfilePath("..\\..\\x"), config.path / "x" / app);
    // An initialisation file without a name falls back to the per-user store.
    EXPECT_TRUE(writeOne(false, nullptr));
    EXPECT_EQ(lm::openProfileStore(true, nullptr)->readInt("Laminar", "VerPlacement", 0), 2);
    EXPECT_TRUE(writeOne(true, (config.path / "own.ini").c_str()));
    EXPECT_TRUE(fs::exists(config.path / "own.ini"));

    // A relative XDG_CONFIG_HOME is ignored: the home folder's .config is used.
    ::setenv("XDG_CONFIG_HOME", "relative", 1);
    ASSERT_NE(::getenv("HOME"), nullptr);
    EXPECT_EQ(lm::perUserProfilePath(nullptr), fs::path(::getenv("HOME")) / ".config" / "Quorvex" / app);
}
