// Splitting expression texts into terms.

#include "Tokenizer.h"
#include "CaseNames.h"
#include "OpeList.h"
#include "ZaroSub.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zaro {
namespace {

struct TExpectedTerm {
    std::string Text;
    int Priority;
    double Value;
};

std::vector<TExpectedTerm> Terms(const std::string& text) {
    TOpeList opes;
    opes.FillStandard();
    TTrmList trms;
    Tokenize(text, opes, trms);
    std::vector<TExpectedTerm> terms;
    for (int i = 0; i < trms.Count(); ++i) {
        terms.push_back({trms.Items(i).Text, trms.Items(i).Priority, trms.Items(i).Value});
    }
    return terms;
}

std::string Texts(const std::string& text) {
    std::string joined;
    for (const TExpectedTerm& term : Terms(text)) {
        joined += (joined.empty() ? "" : " ") + term.Text;
    }
    return joined;
}

TEST(Tokenize, OperatorTermsCarryTheValueOfTheNumberBeforeThem) {
    std::vector<TExpectedTerm> terms = Terms("2*sin(x)+1k");
    std::vector<TExpectedTerm> expected{{"2", 0, 2},  {"*", 90, 2},   {"SIN", 100, 2},
                                        {"(", 10, 2}, {"X", 0, 0},    {")", 10, 0},
                                        {"+", 60, 0}, {"1K", 0, 1000}};
    ASSERT_EQ(terms.size(), expected.size());
    for (std::size_t i = 0; i < terms.size(); ++i) {
        EXPECT_EQ(terms[i].Text, expected[i].Text) << i;
        EXPECT_EQ(terms[i].Priority, expected[i].Priority) << i;
        EXPECT_EQ(terms[i].Value, expected[i].Value) << i;
    }
}

struct TSplitCase {
    const char* Text;
    const char* Terms;
};

class SplitsInto : public ::testing::TestWithParam<TSplitCase> {};

TEST_P(SplitsInto, Terms) {
    EXPECT_EQ(Texts(GetParam().Text), GetParam().Terms);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SplitsInto,
    ::testing::Values(TSplitCase{"  1+2  ", "1 + 2"}, TSplitCase{"", ""},
                      TSplitCase{"a>=b", "A >= B"}, TSplitCase{"a//b", "A // B"},
                      TSplitCase{"a!=b", "A != B"}, TSplitCase{"sinh(1)", "SINH ( 1 )"},
                      TSplitCase{"db2(1)", "DB2 ( 1 )"},
                      // function names only at the start of the remaining text, never inside a name
                      TSplitCase{"SINX", "SINX"}, TSplitCase{"XSIN(1)", "XSIN * ( 1 )"},
                      TSplitCase{"SIN2", "SIN 2"}, TSplitCase{"SIN_X", "SIN _X"},
                      // the sign of an exponent inside a number is no operator; inside a name it is
                      TSplitCase{"1E-3*2", "1E-3 * 2"}, TSplitCase{"X1E-3", "X1E - 3"},
                      TSplitCase{"x := 2", "X := 2"}, TSplitCase{"R_1+C2", "R_1 + C2"},
                      // implicit multiplication
                      TSplitCase{"2 X", "2 * X"}, TSplitCase{"(A+B)C", "( A + B ) * C"},
                      TSplitCase{"2(A)", "2 * ( A )"}, TSplitCase{"(A)(B)", "( A ) * ( B )"},
                      TSplitCase{"2 SIN(X)", "2 SIN ( X )"}, TSplitCase{"2\t3", "2 * 3"}),
    test::NamedAfter(&TSplitCase::Text));

TEST(Tokenize, ReadsNumbersWithZaroStrToFloat) {
    EXPECT_EQ(Terms("2PI")[0].Value, 2E-12);
    EXPECT_EQ(Terms(".5")[0].Value, 0); // not a number: it does not start with a digit
    EXPECT_THROW(Terms("2X+1"), EConvertError);
}

} // namespace
} // namespace zaro
