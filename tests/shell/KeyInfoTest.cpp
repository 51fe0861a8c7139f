#include "shell/KeyInfo.h"

#include "app/LanguageKeys.h"
#include "app/Languages.h"
#include "app/Options.h"
#include "shell/CommandTable.h"
#include "shell/Shortcut.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace plumex;

namespace {

const TKeyInfo* entry(const std::vector<TKeyInfo>& list, std::string_view path) {
    for (const TKeyInfo& e : list)
        if (e.path == path) return &e;
    return nullptr;
}

TEST(KeyInfo, ScrollKeysThenTheHiddenMoveMenuThenTheMenusInOrder) {
    const std::vector<TKeyInfo> list = collectKeyInfo();
    ASSERT_GT(list.size(), 16u);
    EXPECT_EQ(list[0].path, "*Scroll/1 Grid Left");
    EXPECT_EQ(list[0].shortcut, vk::Left);
    EXPECT_EQ(list[4].shortcut, scShift | vk::Prior);
    EXPECT_EQ(list[7].path, "*Scroll/HalfScreen Down");
    EXPECT_EQ(list[8].path, "*Move Objects/1 Grid Left");
    EXPECT_EQ(list[8].shortcut, scCtrl | vk::Left);
    for (int i = 8; i < 16; ++i) EXPECT_EQ(list[static_cast<size_t>(i)].path[0], '*') << i;
    EXPECT_NE(list[16].path[0], '*');
    EXPECT_EQ(list[16].path.rfind("File/", 0), 0u) << list[16].path;

    const TKeyInfo* zoom = entry(list, "View/Zoom In");
    ASSERT_NE(zoom, nullptr);
    EXPECT_EQ(keyColumns(zoom->shortcut).key, "Num+");
    EXPECT_EQ(keyColumns(zoom->shortcut).ctrl, "");
    const TKeyInfo* twice =
        entry(list, "Object/" + stripCaption(caption(M_Expand)) + "/Double Size");
    ASSERT_NE(twice, nullptr);
    EXPECT_EQ(keyColumns(twice->shortcut).ctrl, "Ctrl+");
    EXPECT_EQ(keyColumns(twice->shortcut).key, "Num+");
}

TEST(KeyInfo, EveryListedKeyRunsACommandAndUnlistedItemsHaveNone) {
    const std::vector<TKeyInfo> list = collectKeyInfo();
    for (size_t i = 8; i < list.size(); ++i)
        EXPECT_NE(commandOfShortcut(list[i].shortcut), nullptr) << list[i].path;
    // Items without a shortcut are left out, though their submenus are walked.
    for (const TKeyInfo& e : list) EXPECT_EQ(e.path.find("Shear"), std::string::npos) << e.path;
    // Every shortcut of the table shows, once per command.
    const auto withKey =
        std::count_if(commandTable().begin(), commandTable().end(), [](const Command& c) {
            return c.shortcut != 0 && !(c.flags & cfContextOnly);
        });
    EXPECT_EQ(static_cast<long>(list.size()) - 8, withKey);
}

TEST(KeyInfo, KeyOrderComparesCodeThenShiftThenCtrlThenAlt) {
    std::vector<int> keys = {scShift | scCtrl | vk::Left, scCtrl | vk::Left,   vk::Left,
                             scShift | vk::Delete,        scCtrl | vk::Delete, vk::Delete,
                             scAlt | vk::Return};
    std::sort(keys.begin(), keys.end(), keyOrderLess);
    EXPECT_EQ(keys, (std::vector<int>{vk::Return | scAlt, vk::Left, scCtrl | vk::Left,
                                      scShift | scCtrl | vk::Left, vk::Delete, scCtrl | vk::Delete,
                                      scShift | vk::Delete}));
    EXPECT_FALSE(keyOrderLess(vk::Left, vk::Left));
}

TEST(KeyInfo, StrippingCutsAcceleratorsAndParentheses) {
    EXPECT_EQ(stripCaption("&Open File..."), "Open File...");
    EXPECT_EQ(stripCaption("Zoom &In(Num+)"), "Zoom In");
    EXPECT_EQ(stripCaption("\xE9\x96\x8B\xE3\x81\x8F\xEF\xBC\x88&O\xEF\xBC\x89"),
              "\xE9\x96\x8B\xE3\x81\x8F");
    EXPECT_EQ(stripCaption("a(b\xEF\xBC\x88"), "a");
}

TEST(KeyInfo, LanguageChangeShowsInTheNextList) {
    TCvOptions options;
    ASSERT_TRUE(languages().Apply("Japanese", options));
    const std::vector<TKeyInfo> list = collectKeyInfo();
    ASSERT_TRUE(languages().Apply("English", options));
    EXPECT_EQ(list[0].path.rfind("*", 0), 0u);
    EXPECT_EQ(entry(list, "*Scroll/1 Grid Left"), nullptr);
    EXPECT_NE(collectKeyInfo()[0].path, list[0].path);
}

} // namespace
