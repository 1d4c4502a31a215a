// The general number format G(P) and the formats of PrefixedFloatToStrF.

#include "CaseNames.h"
#include "ZaroSub.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zaro {
namespace {

struct TGeneralCase {
    double Value;
    int Precision;
    const char* Expected;
};

class WritesGeneralFormat : public ::testing::TestWithParam<TGeneralCase> {};

TEST_P(WritesGeneralFormat, AsExpected) {
    const TGeneralCase& c = GetParam();
    EXPECT_EQ(FloatToStrG(c.Value, c.Precision), c.Expected) << c.Value;
}

INSTANTIATE_TEST_SUITE_P(
    Table, WritesGeneralFormat,
    ::testing::Values(
        TGeneralCase{0, 15, "0"}, TGeneralCase{-0.0, 15, "0"}, TGeneralCase{2, 15, "2"},
        TGeneralCase{-159.15494309189535, 15, "-159.154943091895"},
        TGeneralCase{3.141592653589793, 15, "3.14159265358979"},
        TGeneralCase{1.0 / 3, 15, "0.333333333333333"}, TGeneralCase{0.0001, 15, "0.0001"},
        TGeneralCase{0.00001, 15, "1E-5"}, TGeneralCase{1.5E20, 15, "1.5E20"},
        TGeneralCase{-2.5E-7, 15, "-2.5E-7"}, TGeneralCase{2E-12, 15, "2E-12"},
        TGeneralCase{123456789012345, 15, "123456789012345"},
        TGeneralCase{1234567890123456, 15, "1.23456789012346E15"},
        // rounding to fifteen digits carries into a new digit and changes the notation
        TGeneralCase{999999999999999.9, 15, "1E15"}, TGeneralCase{0.1 + 0.2, 15, "0.3"},
        TGeneralCase{0.0001, 7, "0.0001"}, TGeneralCase{1E-5, 7, "1E-5"},
        TGeneralCase{12345678, 7, "1.234568E7"}, TGeneralCase{1234567, 7, "1234567"},
        TGeneralCase{1E300, 15, "1E300"}, TGeneralCase{5E-324, 15, "4.94065645841247E-324"}),
    test::NamedBy<TGeneralCase>([](const TGeneralCase& c) {
        return std::string(c.Expected) + " at " + std::to_string(c.Precision);
    }));

struct TPrefixedCase {
    double Value;
    int Format;
    int Precision;
    int Digits;
    const char* Expected;
};

class WritesPrefixedFormat : public ::testing::TestWithParam<TPrefixedCase> {};

TEST_P(WritesPrefixedFormat, AsExpected) {
    const TPrefixedCase& c = GetParam();
    EXPECT_EQ(PrefixedFloatToStrF(c.Value, c.Format, c.Precision, c.Digits), c.Expected)
        << c.Value << " format " << c.Format;
}

INSTANTIATE_TEST_SUITE_P(
    MeterReadings, WritesPrefixedFormat,
    ::testing::Values(TPrefixedCase{0, 3, 4, 2, "0.00"}, TPrefixedCase{4700, 3, 4, 2, "4.7K"},
                      TPrefixedCase{47000, 3, 4, 2, "47K"}, TPrefixedCase{0.0047, 3, 4, 2, "4.7M"},
                      TPrefixedCase{0.0001, 3, 4, 2, "100U"}, TPrefixedCase{0.47, 3, 4, 2, "0.47"},
                      TPrefixedCase{-4700, 3, 4, 2, "-4.7K"},
                      TPrefixedCase{2.5E15, 3, 4, 2, "2.500E+15"},
                      TPrefixedCase{1E-19, 3, 4, 2, "1.000E-19"},
                      TPrefixedCase{999950, 3, 4, 2, "1000K"}, TPrefixedCase{1E6, 3, 4, 2, "1MG"},
                      TPrefixedCase{0.001, 3, 4, 2, "1M"}, TPrefixedCase{1E-6, 3, 4, 2, "1U"},
                      TPrefixedCase{1E-18, 3, 4, 2, "1A"}, TPrefixedCase{1E12, 3, 4, 2, "1T"},
                      TPrefixedCase{1, 3, 4, 2, "1"}, TPrefixedCase{12.3456, 3, 4, 2, "12.35"},
                      TPrefixedCase{0.05, 3, 4, 2, "50M"}),
    test::NamedAfter(&TPrefixedCase::Expected));

INSTANTIATE_TEST_SUITE_P(OtherFormats, WritesPrefixedFormat,
                         ::testing::Values(TPrefixedCase{0.0001, 0, 15, 0, "0.0001"},
                                           TPrefixedCase{0.00001, 0, 15, 0, "1E-5"},
                                           TPrefixedCase{0.00001, 4, 15, 2, "1E-05"},
                                           TPrefixedCase{2.5E15, 1, 4, 2, "2.500E+15"},
                                           TPrefixedCase{-1.5E-3, 1, 3, 3, "-1.50E-003"},
                                           TPrefixedCase{3.14159, 2, 15, 2, "3.14"},
                                           TPrefixedCase{0, 2, 4, 2, "0.00"},
                                           TPrefixedCase{-0.001, 2, 4, 2, "0.00"},
                                           TPrefixedCase{123456, 2, 4, 2, "1.235E+05"}),
                         test::NamedAfter(&TPrefixedCase::Expected));

TEST(PrefixedFloatToStrF, RejectsAnUnknownFormat) {
    EXPECT_THROW(PrefixedFloatToStrF(1, 5, 4, 2), ERangeError);
    EXPECT_THROW(PrefixedFloatToStrF(1, -1, 4, 2), ERangeError);
}

TEST(PrefixedFloatToStrF, NamesValuesThatAreNotFinite) {
    double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(PrefixedFloatToStrF(inf, 3, 4, 2), "INF");
    EXPECT_EQ(PrefixedFloatToStrF(-inf, 0, 4, 2), "-INF");
    EXPECT_EQ(FloatToStrG(std::nan(""), 15), "NAN");
}

TEST(ThresholdIndex, FindsTheFirstThresholdAboveTheValue) {
    const double levels[] = {0.2, 0.4};
    EXPECT_EQ(ThresholdIndex(levels, 0.2), 1); // equal falls into the next level
    EXPECT_EQ(ThresholdIndex(levels, 5), 1);   // above all: the last index
    EXPECT_EQ(ThresholdIndex(levels, -1), 0);
    const double lamp[] = {0.2, 0.4, 0.6, 0.8, 1.2, 100.0};
    EXPECT_EQ(ThresholdIndex(lamp, 0.7), 3);
    EXPECT_EQ(ThresholdIndex(lamp, 1000), 5);
    EXPECT_THROW(ThresholdIndex({}, 1), ERangeError);
}

} // namespace
} // namespace zaro
