#include "export/PovFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

namespace {

// The independent computation: printf's "%.*f", then the cut and the negative-zero rule.
std::string reference(double v, int accuracy) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", accuracy, v);
    std::string s = buf;
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    return s == "-0" ? "0" : s;
}

// Finite doubles of every kind: any bit pattern, ordinary magnitudes, and exact halfway
// cases k / 2^m that stress the rounding of the last kept decimal.
double randomDouble(std::mt19937_64& rng) {
    switch (rng() % 4) {
    case 0: {
        double v;
        do {
            const std::uint64_t bits = rng();
            std::memcpy(&v, &bits, sizeof v);
        } while (!std::isfinite(v));
        return v;
    }
    case 1:
        return std::uniform_real_distribution<double>(-1e4, 1e4)(rng);
    case 2:
        return std::ldexp(static_cast<double>(static_cast<std::int64_t>(rng() % 2000001) - 1000000),
                          -static_cast<int>(rng() % 24));
    default:
        return std::uniform_real_distribution<double>(-1, 1)(rng) *
               std::pow(10.0, static_cast<double>(rng() % 40) - 20);
    }
}

TEST(FormatPovNumber, MatchesPrintfForRandomDoublesAtEveryAccuracy) {
    std::mt19937_64 rng(20240611);
    int failures = 0;
    for (int i = 0; i < 300000 && failures < 5; ++i) {
        const double v = randomDouble(rng);
        // Every accuracy for the first values, then one accuracy per value to keep it quick.
        const int from = i < 20000 ? 0 : static_cast<int>(rng() % 21);
        const int to = i < 20000 ? 20 : from;
        for (int a = from; a <= to; ++a) {
            const std::string got = FormatPovNumber(v, a);
            if (got == reference(v, a)) continue;
            ADD_FAILURE() << "value " << std::hexfloat << v << " accuracy " << a << ": " << got
                          << " vs " << reference(v, a);
            ++failures;
        }
    }
}

TEST(FormatPovNumber, CutsZerosAndPointButNeverIntegerDigits) {
    EXPECT_EQ(FormatPovNumber(1.5, 15), "1.5");
    EXPECT_EQ(FormatPovNumber(2.0, 15), "2");
    EXPECT_EQ(FormatPovNumber(100, 3), "100");
    EXPECT_EQ(FormatPovNumber(100, 0), "100");
    EXPECT_EQ(FormatPovNumber(0.1, 20), "0.10000000000000000555");
    EXPECT_EQ(FormatPovNumber(2.5, 0), "2"); // the exact value rounds half to even
    EXPECT_EQ(FormatPovNumber(0.125, 2), "0.12");
    EXPECT_EQ(FormatPovNumber(1e22, 2), "10000000000000000000000");
    EXPECT_EQ(FormatPovNumber(-1.25e-7, 15), "-0.000000125");
}

TEST(FormatPovNumber, NegativeZeroIsWrittenAsZero) {
    EXPECT_EQ(FormatPovNumber(-0.0, 15), "0");
    EXPECT_EQ(FormatPovNumber(-0.0004, 3), "0");
    EXPECT_EQ(FormatPovNumber(-0.4, 0), "0");
    EXPECT_EQ(FormatPovNumber(-0.0005001, 3), "-0.001");
}

TEST(FormatPovNumber, AccuracyIsClampedToZeroThroughTwenty) {
    EXPECT_EQ(FormatPovNumber(3.75, -4), "4");
    EXPECT_EQ(FormatPovNumber(0.1, 99), FormatPovNumber(0.1, 20));
    EXPECT_EQ(FormatPovNumber(-1.7976931348623157e308, 25).size(), 310u);
}

TEST(FormatPovVector, WritesBothCoordinatesWithoutBlanks) {
    EXPECT_EQ(FormatPovVector({1.5, -2}, 15), "<1.5,-2>");
    EXPECT_EQ(FormatPovVector({-0.0, 1.0 / 3}, 4), "<0,0.3333>");
}

TEST(IndentLines, TrimsSplitsAndEndsEveryLineWithCrLf) {
    EXPECT_EQ(IndentLines("pigment {color rgb 1}"), " pigment {color rgb 1}\r\n");
    EXPECT_EQ(IndentLines("  \t a\r\n\r\nb\nc\r  \r\n\n "), " a\r\n \r\n b\r\n c\r\n");
    EXPECT_EQ(IndentLines(" \r\n\t "), "");
    EXPECT_EQ(IndentLines(""), "");
    EXPECT_EQ(IndentLines("x\ny", "[", "]"), "[x]\r\n[y]\r\n");
}

} // namespace
