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

TEST(DocumentCaption, TitleCarriesTheModifiedPlaceholderOnce) {
    EXPECT_EQ(documentCaption("", "Undefined").title, "Undefined[*] -Plumex");
    EXPECT_EQ(documentCaption("/d/vase.plx", "Undefined").title, "vase.plx[*] -Plumex");
    // A name holding Qt's placeholder keeps it literally: doubled, it is not the mark.
    EXPECT_EQ(documentCaption("/d/a[*]b[*].plx", "U").title, "a[*][*]b[*][*].plx[*] -Plumex");
}
