#include "app/StatusText.h"

#include <gtest/gtest.h>

using namespace plumex;

TEST(StatusText, MouseDecimalsChangeOnlyPastEachThreshold) {
    EXPECT_EQ(mousePositionText(1.23456, 100), "1.23");
    EXPECT_EQ(mousePositionText(1.23456, 100.5), "1.235");
    EXPECT_EQ(mousePositionText(-2.5, 1), "-2"); // "%.0f" rounds half to even
    EXPECT_EQ(mousePositionText(1.25, 1.01), "1.2");
    EXPECT_EQ(mouseDecimals(10000), 4);
    EXPECT_EQ(mouseDecimals(10000.1), 5);
    EXPECT_EQ(mouseDecimals(0.01), 0);
    // Far-out positions must not be cut short by a fixed buffer.
    EXPECT_EQ(mousePositionText(1e30, 12800).size(),
              std::string("1000000000000000019884624838656.00000").size());
}

TEST(StatusText, ScaleIsCutToThousandthsNotRounded) {
    EXPECT_EQ(statusScaleText(100), "100");
    EXPECT_EQ(statusScaleText(100.5), "100.5");
    EXPECT_EQ(statusScaleText(0.01), "0.01");
    EXPECT_EQ(statusScaleText(118.92071150027212), "118.92");
    EXPECT_EQ(statusScaleText(1.9999), "1.999");
    EXPECT_EQ(statusScaleText(12800), "12800");
}

TEST(StatusText, HandleAngleIsMeasuredFromUpClockwise) {
    EXPECT_EQ(handleAngleText({1, 1}, {1, 3}), "0");
    EXPECT_EQ(handleAngleText({1, 1}, {3, 1}), "90");
    EXPECT_EQ(handleAngleText({1, 1}, {-3, 1}), "-90");
    EXPECT_EQ(handleAngleText({1, 1}, {1, 1}), "0");
    EXPECT_EQ(handleAngleText({0, 0}, {1, std::sqrt(3.0)}), "30");
}

TEST(StatusText, RotationIsClockwisePositiveAndStepsCutTowardZero) {
    const TCvCoord pivot{0, 0};
    EXPECT_EQ(rotationAngleText(pivot, {1, 0}, {0, -1}, false), "90");
    EXPECT_EQ(rotationAngleText(pivot, {1, 0}, {0, 1}, false), "-90");
    const double a = 37.3 * std::numbers::pi / 180;
    EXPECT_EQ(rotationAngleText(pivot, {1, 0}, {std::cos(a), -std::sin(a)}, false), "37.3");
    EXPECT_EQ(rotationAngleText(pivot, {1, 0}, {std::cos(a), -std::sin(a)}, true), "35");
    EXPECT_EQ(rotationAngleText(pivot, {1, 0}, {std::cos(a), std::sin(a)}, true), "-35");
}
