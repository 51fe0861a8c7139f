#include "canvas/Window.h"

#include <gtest/gtest.h>

TEST(View, placeholder) {
    plumex::TCvOptions o;
    TCvWindow w(&o);
    EXPECT_EQ(w.Scale(), 100);
}
