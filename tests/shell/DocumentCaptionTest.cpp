#include "shell/DocumentCaption.h"

#include <gtest/gtest.h>

using namespace plumex;

TEST(DocumentCaption, UntitledAndNamedDocuments) {
    auto untitled = documentCaption("", "Undefined");
    EXPECT_EQ(untitled.window, "Undefined");
    EXPECT_EQ(untitled.application, "Undefined -Plumex");
    auto named = documentCaption("/home/u/shapes/vase.plx", "Undefined");
    EXPECT_EQ(named.window, "vase.plx");
    EXPECT_EQ(named.application, "vase.plx -Plumex");
}
