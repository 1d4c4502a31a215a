// Answers of whole expressions: precedence, parentheses, operators and functions.

#include "CaseNames.h"
#include "TinyParser.h"
#include "ZaroSub.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zaro {
namespace {

struct TAnswerCase {
    const char* Expression;
    const char* Answer;
};

std::string AnswerOf(const std::string& expression, std::vector<std::string>* variables) {
    TTinyParser parser;
    parser.SetVariables(variables);
    parser.SetExpression(expression);
    return parser.Answer();
}

class Answers : public ::testing::TestWithParam<TAnswerCase> {};

TEST_P(Answers, AsExpected) {
    std::vector<std::string> variables{"F=1000"};
    EXPECT_EQ(AnswerOf(GetParam().Expression, &variables), GetParam().Answer)
        << GetParam().Expression;
}

INSTANTIATE_TEST_SUITE_P(
    Precedence, Answers,
    ::testing::Values(
        TAnswerCase{"1+2*3", "7"}, TAnswerCase{"(1+2)*3", "9"}, TAnswerCase{"2^3^2", "64"},
        TAnswerCase{"-2^2", "-4"}, TAnswerCase{"10-4-3", "3"}, TAnswerCase{"2+3*(4-1)", "11"},
        TAnswerCase{"2(3+4)", "14"}, TAnswerCase{"(1+2)(3+4)", "21"}, TAnswerCase{"2 3", "6"},
        TAnswerCase{"((1+2)", "3"}, TAnswerCase{"(1+2))", "3"}, TAnswerCase{"2*(-3)", "-6"},
        TAnswerCase{"1E-3*2", "0.002"}, TAnswerCase{"X1E-3", "-3"},
        TAnswerCase{"SIN(1+1)", "0.909297426825682"}, TAnswerCase{"1 < 2 & 3 > 2", "1"},
        TAnswerCase{"5 ! 3", "5"}, TAnswerCase{"2*SUM(1,2)", "6"}),
    test::NamedAfter(&TAnswerCase::Expression));

// A prefix operator right after another operator binds to its operand first.
INSTANTIATE_TEST_SUITE_P(PrefixAfterOperator, Answers,
                         ::testing::Values(TAnswerCase{"2*-3", "-6"}, TAnswerCase{"2^-1", "0.5"},
                                           TAnswerCase{"1/-4", "-0.25"},
                                           TAnswerCase{"3*-SIN(0)", "0"},
                                           TAnswerCase{"3*-COS(0)", "-3"},
                                           TAnswerCase{"2*-3^2", "-18"},
                                           TAnswerCase{"1 - - 1", "2"}, TAnswerCase{"2*--3", "6"},
                                           TAnswerCase{"2 < -1", "0"}, TAnswerCase{"!!5", "1"},
                                           TAnswerCase{"SUM(1,-2)", "-1"}),
                         test::NamedAfter(&TAnswerCase::Expression));

// Malformed but tokenisable input: leftovers are joined into a term of value 0.
INSTANTIATE_TEST_SUITE_P(Leftovers, Answers,
                         ::testing::Values(TAnswerCase{"", ""}, TAnswerCase{"+", "0"},
                                           TAnswerCase{"5+", "0"}, TAnswerCase{"SIN", "0"},
                                           TAnswerCase{"2 SIN(0)", "0"}, TAnswerCase{".5", "0"},
                                           TAnswerCase{"0.5", "0.5"}, TAnswerCase{"(", "0"},
                                           TAnswerCase{")", "0"}, TAnswerCase{"()", "0"},
                                           TAnswerCase{")2", "0"}, TAnswerCase{"SINX", "0"},
                                           TAnswerCase{"*5", "0"}),
                         test::NamedAfter(&TAnswerCase::Expression));

INSTANTIATE_TEST_SUITE_P(
    Operators, Answers,
    ::testing::Values(
        TAnswerCase{"7 % 2", "3"}, TAnswerCase{"-7 % 2", "-3"}, TAnswerCase{"7.9 # 2.9", "3"},
        TAnswerCase{"-7.9 # 2", "-3"}, TAnswerCase{"3 // 6", "2"}, TAnswerCase{"2 \\\\ 3", "6"},
        TAnswerCase{"2^0.5", "1.4142135623731"}, TAnswerCase{"0^0", "1"}, TAnswerCase{"0^2", "0"},
        TAnswerCase{"(-2)^3", "-8"}, TAnswerCase{"2^-2", "0.25"}, TAnswerCase{"TRUE & FALSE", "0"},
        TAnswerCase{"TRUE | FALSE", "1"}, TAnswerCase{"FALSE | TRUE", "1"},
        TAnswerCase{"1E-200 & 1E-200", "0"}, TAnswerCase{"!0", "1"}, TAnswerCase{"!3", "0"},
        TAnswerCase{"3 > 2", "1"}, TAnswerCase{"3 >= 3", "1"}, TAnswerCase{"3 < 3", "0"},
        TAnswerCase{"3 <= 3", "1"}, TAnswerCase{"3 == 3", "1"}, TAnswerCase{"3 != 3", "0"}),
    test::NamedAfter(&TAnswerCase::Expression));

INSTANTIATE_TEST_SUITE_P(
    Functions, Answers,
    ::testing::Values(TAnswerCase{"PI", "3.14159265358979"}, TAnswerCase{"pi", "3.14159265358979"},
                      TAnswerCase{"2*PI*F*1M", "6.28318530717959"},
                      TAnswerCase{"-1/(2*PI*F*1U)", "-159.154943091895"},
                      TAnswerCase{"SIN2", "0.909297426825682"}, TAnswerCase{"ROUND(2.5)", "2"},
                      TAnswerCase{"ROUND(3.5)", "4"}, TAnswerCase{"ROUND(-2.5)", "-2"},
                      TAnswerCase{"TRUNC(-2.7)", "-2"}, TAnswerCase{"FLOOR(-2.7)", "-3"},
                      TAnswerCase{"CEIL(2.1)", "3"}, TAnswerCase{"FRAC(-2.5)", "-0.5"},
                      TAnswerCase{"ABS(-3)", "3"}, TAnswerCase{"EXP(1)", "2.71828182845905"},
                      TAnswerCase{"LN(_E)", "1"}, TAnswerCase{"LOG(1000)", "3"},
                      TAnswerCase{"SQRT(16)", "4"}, TAnswerCase{"ARCSIN(1)", "1.5707963267949"},
                      TAnswerCase{"ARCCOS(1)", "0"}, TAnswerCase{"ARCTAN(1)*4", "3.14159265358979"},
                      TAnswerCase{"ARCCOSH(0.5)", "0"}, TAnswerCase{"ARCTANH(0)", "0"},
                      TAnswerCase{"ARCSINH(0)", "0"}, TAnswerCase{"COSH(0)", "1"},
                      TAnswerCase{"TANH(0)", "0"}, TAnswerCase{"RADTODEG(PI)", "180"},
                      TAnswerCase{"DEGTORAD(180)", "3.14159265358979"},
                      TAnswerCase{"DB(100)", "20"}, TAnswerCase{"DB2(100)", "40"},
                      TAnswerCase{"ADB(20)", "100"}, TAnswerCase{"ADB2(20)", "10"},
                      TAnswerCase{"30DG", "0.523598775598299"}, TAnswerCase{"2PI", "2E-12"},
                      TAnswerCase{"2 PI", "6.28318530717959"},
                      TAnswerCase{"1/3", "0.333333333333333"}, TAnswerCase{"1E20*1.5", "1.5E20"},
                      TAnswerCase{"_C", "299792458"}, TAnswerCase{"_NA", "6.022045E23"}),
    test::NamedAfter(&TAnswerCase::Expression));

INSTANTIATE_TEST_SUITE_P(
    ArgumentLists, Answers,
    ::testing::Values(TAnswerCase{"SUM(1,2,3)", "6"}, TAnswerCase{"MEAN(1,2,3)", "2"},
                      TAnswerCase{"MEAN(2,4)", "3"}, TAnswerCase{"SUM(5)", "5"},
                      TAnswerCase{"MAX(1,2)", "2"}, TAnswerCase{"MAX(3,-1,2)", "3"},
                      TAnswerCase{"MIN(5)", "5"}, TAnswerCase{"MIN(4,-2,7)", "-2"},
                      TAnswerCase{"(1,2,3)", "3"},
                      // a function's result no longer carries the list it consumed
                      TAnswerCase{"SUM(SUM(1,2),3)", "6"}, TAnswerCase{"MEAN(SUM(1,2))", "3"},
                      TAnswerCase{"IND(1M, 1K)", "6.28318530717959"},
                      TAnswerCase{"IND(99, 1M, 1K)", "6.28318530717959"},
                      TAnswerCase{"CAP(1U, 1K)", "-159.154943091895"},
                      TAnswerCase{"AIND(1000, 1K)", "0.159154943091895"},
                      TAnswerCase{"ACAP(1U, 1K)", "-159.154943091895"}, TAnswerCase{"IND(1M)", "0"},
                      TAnswerCase{"CAP(1U)", "0"}),
    test::NamedAfter(&TAnswerCase::Expression));

struct TErrorCase {
    const char* Expression;
    EMathError::TKind Kind;
};

class RaisesMathError : public ::testing::TestWithParam<TErrorCase> {};

TEST_P(RaisesMathError, OfItsKind) {
    TTinyParser parser;
    parser.SetExpression(GetParam().Expression);
    try {
        parser.Answer();
        FAIL() << "no error for " << GetParam().Expression;
    } catch (const EMathError& e) {
        EXPECT_EQ(e.Kind, GetParam().Kind) << GetParam().Expression;
    }
    EXPECT_EQ(parser.Trms().Count() > 0, true); // the list stays as the error left it
}

using K = EMathError::TKind;

INSTANTIATE_TEST_SUITE_P(
    Table, RaisesMathError,
    ::testing::Values(
        TErrorCase{"1/0", K::ZeroDivide}, TErrorCase{"0/0", K::InvalidOp},
        TErrorCase{"5 % 0", K::ZeroDivide}, TErrorCase{"0^-1", K::ZeroDivide},
        TErrorCase{"2 // -2", K::ZeroDivide}, TErrorCase{"2 \\\\ 2", K::ZeroDivide},
        TErrorCase{"LN 0", K::ZeroDivide}, TErrorCase{"LOG(0)", K::ZeroDivide},
        TErrorCase{"DB(0)", K::ZeroDivide}, TErrorCase{"7 # 0.5", K::ZeroDivide},
        TErrorCase{"7 # -0.9", K::ZeroDivide}, TErrorCase{"SQRT(-1)", K::InvalidOp},
        TErrorCase{"LN(-1)", K::InvalidOp}, TErrorCase{"LOG(-1)", K::InvalidOp},
        TErrorCase{"ARCSIN(2)", K::InvalidOp}, TErrorCase{"ARCCOS(-1.5)", K::InvalidOp},
        TErrorCase{"(-8)^(1/3)", K::InvalidOp}, TErrorCase{"EXP(1000)", K::Overflow},
        TErrorCase{"ARCTANH(1)", K::Overflow}, TErrorCase{"ARCTANH(-2)", K::Overflow},
        TErrorCase{"1E300*1E300", K::Overflow}, TErrorCase{"10^400", K::Overflow},
        TErrorCase{"SINH(1000)", K::Overflow}, TErrorCase{"CEIL(3E9)", K::Overflow},
        TErrorCase{"FLOOR(-3E9)", K::Overflow}, TErrorCase{"TRUNC(1E19)", K::Overflow},
        TErrorCase{"ROUND(-1E19)", K::Overflow}, TErrorCase{"1E19 # 2", K::Overflow},
        TErrorCase{"RADTODEG(1E308)", K::Overflow}, TErrorCase{"CAP(0, 1K)", K::ZeroDivide}),
    test::NamedAfter(&TErrorCase::Expression));

TEST(Expression, IntegerFunctionsWorkUpToTheirRangeLimits) {
    EXPECT_EQ(AnswerOf("CEIL(2147483646.5)", nullptr), "2147483647");
    EXPECT_EQ(AnswerOf("FLOOR(-2147483648)", nullptr), "-2147483648");
    EXPECT_EQ(AnswerOf("TRUNC(9E18)", nullptr), "9E18");
}

TEST(Expression, NumberErrorsPassOutWithTheirMessages) {
    try {
        AnswerOf("10MEG", nullptr);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'' は浮動小数点数ではありません");
    }
    try {
        AnswerOf("2X", nullptr);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'2X' は浮動小数点数ではありません");
    }
}

} // namespace
} // namespace zaro
