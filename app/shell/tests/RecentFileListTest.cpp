#include "RecentFileList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AtomicFile.h"
#include "ProgramFolder.h"

namespace {

using Paths = std::vector<std::filesystem::path>;

std::filesystem::path Store() {
    return platform::ProgramFile("RecentFiles");
}

TEST(RecentFileListTest, NewestComesFirstAFileIsListedOnceAndTheOldestGoes) {
    CRecentFileList list(Store());
    for (const char* name : {"/d/a.lcx", "/d/b.lcx", "/d/c.lcx", "/d/a.lcx", "/d/e.lcx", "/d/f.lcx"}) {
        list.Add(name);
    }
    EXPECT_EQ(list.Entries(), (Paths{"/d/f.lcx", "/d/e.lcx", "/d/a.lcx", "/d/c.lcx"}));
    list.Remove(1);
    list.Remove(7);
    EXPECT_EQ(list.Entries(), (Paths{"/d/f.lcx", "/d/a.lcx", "/d/c.lcx"}));
}

TEST(RecentFileListTest, TheSameFileNamedTwoWaysIsOneEntry) {
    CRecentFileList list(Store());
    list.Add("/d/x/../a.lcx");
    list.Add("/d/./a.lcx");
    EXPECT_EQ(list.Entries(), (Paths{"/d/a.lcx"}));
}

TEST(RecentFileListTest, SavedListIsReadBackAsItWas) {
    CRecentFileList list(Store());
    list.Add("/d/one file.lcx");
    list.Add("/d/zwei-äö.lcx");
    ASSERT_TRUE(list.Save());
    EXPECT_EQ(CRecentFileList(Store()).Entries(), list.Entries());
}

TEST(RecentFileListTest, PathsThatCannotBeStoredAndDamagedStoresAreLeftOut) {
    CRecentFileList list(Store());
    list.Add("/d/line\nbreak.lcx");
    EXPECT_TRUE(list.Entries().empty());

    // Blank lines are skipped; a last line without its line end is a store cut short.
    ASSERT_TRUE(platform::WriteFileAtomically(Store(), std::string("/a\n\n/b\n/c")));
    EXPECT_EQ(CRecentFileList(Store()).Entries(), (Paths{"/a", "/b"}));
    // More entries than the menu shows: the newest are kept.
    ASSERT_TRUE(platform::WriteFileAtomically(Store(), std::string("/a\n/b\n/c\n/d\n/e\n")));
    EXPECT_EQ(CRecentFileList(Store()).Entries(), (Paths{"/a", "/b", "/c", "/d"}));
}

TEST(RecentFileListTest, NoStoreGivesAnEmptyList) {
    EXPECT_TRUE(CRecentFileList(platform::ProgramFile("missing")).Entries().empty());
}

}  // namespace
