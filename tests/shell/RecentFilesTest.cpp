#include "shell/RecentFiles.h"

#include <gtest/gtest.h>

using plumex::RecentFiles;
using List = std::vector<std::string>;

TEST(RecentFiles, NewestFirstAndCappedAtMax) {
    RecentFiles mru;
    EXPECT_FALSE(mru.enabled());
    for (int i = 1; i <= 11; ++i) mru.Put("/d/f" + std::to_string(i) + ".plx", 10);
    ASSERT_EQ(mru.items().size(), 10u);
    EXPECT_EQ(mru.items().front(), "/d/f11.plx");
    EXPECT_EQ(mru.items().back(), "/d/f2.plx"); // the oldest went
    EXPECT_TRUE(mru.enabled());
}

TEST(RecentFiles, KnownEntryMovesToTopWithoutGrowing) {
    RecentFiles mru;
    mru.Restore({"/a", "/b", "/c"}, 10);
    EXPECT_EQ(mru.items(), (List{"/a", "/b", "/c"})); // stored order kept
    mru.Put("/c", 10);
    EXPECT_EQ(mru.items(), (List{"/c", "/a", "/b"}));
    mru.Put("/c", 10);
    EXPECT_EQ(mru.items(), (List{"/c", "/a", "/b"}));
    mru.Put("/A", 10); // case matters
    EXPECT_EQ(mru.items().size(), 4u);
}

TEST(RecentFiles, RestoreDropsOldestBeyondMax) {
    RecentFiles mru;
    mru.Restore({"/a", "/b", "/c"}, 2);
    EXPECT_EQ(mru.items(), (List{"/b", "/c"}));
}

TEST(RecentFiles, ZeroOrNegativeMaxKeepsTheMenuEmptyButEnabled) {
    for (int max : {0, -3}) {
        RecentFiles mru;
        mru.Put("/a", max);
        mru.Restore({"/b"}, max);
        EXPECT_TRUE(mru.items().empty());
        EXPECT_TRUE(mru.enabled());
    }
}

TEST(RecentFiles, EmptyPathIgnored) {
    RecentFiles mru;
    mru.Put("", 10);
    EXPECT_TRUE(mru.items().empty());
    EXPECT_FALSE(mru.enabled());
}
