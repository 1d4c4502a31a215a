// Reading numbers with unit prefixes and exponents.

#include "CaseNames.h"
#include "ZaroSub.h"

#include <gtest/gtest.h>

namespace zaro {
namespace {

struct TReadCase {
    const char* Text;
    double Expected;
};

class ReadsPrefixedNumber : public ::testing::TestWithParam<TReadCase> {};

TEST_P(ReadsPrefixedNumber, ToItsValue) {
    const TReadCase& c = GetParam();
    EXPECT_DOUBLE_EQ(ZaroStrToFloat(c.Text), c.Expected) << c.Text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReadsPrefixedNumber,
    ::testing::Values(TReadCase{"1K", 1000}, TReadCase{"1k", 1000}, TReadCase{"2.2U", 2.2E-6},
                      TReadCase{"100M", 0.1}, TReadCase{"10MG", 1E7}, TReadCase{"5T", 5E12},
                      TReadCase{"3A", 3E-18}, TReadCase{"4G", 4E9}, TReadCase{"7N", 7E-9},
                      TReadCase{"8P", 8E-12}, TReadCase{"9F", 9E-15},
                      // "MG" and "DG" are found before their single letters
                      TReadCase{"2MG", 2E6}, TReadCase{"30DG", 0.5235987755982988},
                      TReadCase{"1E3", 1000}, TReadCase{"1e-3", 0.001},
                      TReadCase{"1E0.5", 3.1622776601683795},
                      TReadCase{"5E1M", 5 * 1.0023052380778996}, TReadCase{"2PI", 2E-12},
                      TReadCase{".5K", 500}, TReadCase{"+3", 3}, TReadCase{"-2.2K", -2200},
                      TReadCase{"1.5K2", 1500}, TReadCase{"10KOHM", 10000}, TReadCase{"5.", 5},
                      TReadCase{"1 K", 1000}, TReadCase{"1E-400", 0}, TReadCase{"0E5000", 0}),
    test::NamedAfter(&TReadCase::Text));

struct TRejectCase {
    const char* Text;
    const char* Message;
};

class RejectsText : public ::testing::TestWithParam<TRejectCase> {};

TEST_P(RejectsText, WithConversionError) {
    const TRejectCase& c = GetParam();
    try {
        ZaroStrToFloat(c.Text);
        FAIL() << "no error for " << c.Text;
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), c.Message) << c.Text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, RejectsText,
    ::testing::Values(TRejectCase{"", "ZaroStrToFloat: Not a number."},
                      TRejectCase{" 1", "ZaroStrToFloat: Not a number."},
                      TRejectCase{"K", "ZaroStrToFloat: Not a number."},
                      TRejectCase{"X1", "ZaroStrToFloat: Not a number."},
                      // the E splits 10MEG into 10M and G, and G has nothing before it
                      TRejectCase{"10MEG", "'' は浮動小数点数ではありません"},
                      TRejectCase{"1X", "'1X' は浮動小数点数ではありません"},
                      TRejectCase{"2*R1", "'2*R1' は浮動小数点数ではありません"},
                      TRejectCase{"1E", "'' は浮動小数点数ではありません"},
                      TRejectCase{"-K", "'-' は浮動小数点数ではありません"},
                      TRejectCase{".", "'.' は浮動小数点数ではありません"},
                      TRejectCase{"1..2", "'1..2' は浮動小数点数ではありません"},
                      TRejectCase{"+-1", "'+-1' は浮動小数点数ではありません"}),
    test::NamedAfter(&TRejectCase::Text));

TEST(TryPrefixedStrToFloat, ReturnsFalseAndZeroWhereZaroStrToFloatRaisesItsOwnError) {
    double value = 42;
    EXPECT_FALSE(TryPrefixedStrToFloat("", value));
    EXPECT_EQ(value, 0);
    value = 42;
    EXPECT_FALSE(TryPrefixedStrToFloat("abc", value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(TryPrefixedStrToFloat("4.7k", value));
    EXPECT_DOUBLE_EQ(value, 4700);
}

TEST(TryPrefixedStrToFloat, LetsTheReaderErrorOfAMalformedNumberPass) {
    double value = 0;
    EXPECT_THROW(TryPrefixedStrToFloat("2X", value), EConvertError);
}

TEST(PrefixedStrToFloat, HasNoExponentHandlingOfItsOwn) {
    EXPECT_DOUBLE_EQ(PrefixedStrToFloat("3K"), 3000);
    EXPECT_DOUBLE_EQ(PrefixedStrToFloat("1E3"), 1000); // the plain reader's own exponent
    EXPECT_THROW(PrefixedStrToFloat("1E0.5"), EConvertError);
}

TEST(ZaroStrToFloat, RaisesOverflowBeyondTheDoubleRange) {
    EXPECT_THROW(ZaroStrToFloat("1E400"), EOverflow);
    EXPECT_THROW(ZaroStrToFloat("9E308"), EOverflow);
    EXPECT_THROW(ZaroStrToFloat("1E300T"), EOverflow);
    EXPECT_THROW(PlainStrToFloat("1e999"), EOverflow);
}

} // namespace
} // namespace zaro
