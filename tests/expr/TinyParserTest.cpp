// The evaluator component: lazy evaluation, the answer cache, independence.

#include "TinyParser.h"
#include "ZaroSub.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zaro {
namespace {

TEST(TinyParser, EvaluatesOnTheFirstReadAndCachesTheAnswer) {
    std::vector<std::string> lines{"X=2"};
    TTinyParser parser;
    parser.SetVariables(&lines);
    parser.SetExpression("X*3");
    EXPECT_EQ(parser.Answer(), "6");
    lines = {"X=5"};
    EXPECT_EQ(parser.Answer(), "6"); // the cache does not watch the list
    EXPECT_EQ(parser.AnswerValue(), 6);
    parser.SetExpression("X*3");
    EXPECT_EQ(parser.Answer(), "15");
}

TEST(TinyParser, AnswerValueEvaluatesToo) {
    TTinyParser parser;
    parser.SetExpression("1+1");
    EXPECT_EQ(parser.AnswerValue(), 2);
    EXPECT_EQ(parser.Answer(), "2");
}

TEST(TinyParser, EmptyExpressionGivesEmptyAnswerAndZero) {
    TTinyParser parser;
    parser.SetExpression("   ");
    EXPECT_EQ(parser.Answer(), "");
    EXPECT_EQ(parser.AnswerValue(), 0);
    EXPECT_THROW(ZaroStrToFloat(parser.Answer()), EConvertError);
}

TEST(TinyParser, WrittenAnswerIsReturnedUntilTheExpressionChanges) {
    TTinyParser parser;
    parser.SetExpression("1+1");
    parser.SetAnswer("42");
    EXPECT_EQ(parser.Answer(), "42");
    parser.SetAnswerValue(7);
    EXPECT_EQ(parser.AnswerValue(), 7);
    parser.SetExpression("1+1");
    EXPECT_EQ(parser.Answer(), "2");
}

TEST(TinyParser, AFailedEvaluationIsRetriedOnTheNextRead) {
    std::vector<std::string> lines{"X=0"};
    TTinyParser parser;
    parser.SetVariables(&lines);
    parser.SetExpression("1/X");
    EXPECT_THROW(parser.Answer(), EZeroDivide);
    lines = {"X=4"};
    EXPECT_EQ(parser.Answer(), "0.25");
}

TEST(TinyParser, AnswerIsRoundedToFifteenDigits) {
    TTinyParser parser;
    parser.SetExpression("1/3");
    EXPECT_EQ(parser.Answer(), "0.333333333333333");
    EXPECT_EQ(ZaroStrToFloat(parser.Answer()), 0.333333333333333);
    parser.SetExpression("2.2K");
    EXPECT_EQ(ZaroStrToFloat(parser.Answer()), 2200);
}

TEST(TinyParser, KeepsTheFinalTermInItsList) {
    TTinyParser parser;
    parser.SetExpression("2*(3+4)");
    EXPECT_EQ(parser.Answer(), "14");
    ASSERT_EQ(parser.Trms().Count(), 1);
    EXPECT_EQ(parser.Trms().Items(0).Value, 14);
}

TEST(TinyParser, TwoInstancesAreIndependent) {
    std::vector<std::string> a{"X=1"};
    std::vector<std::string> b{"X=2"};
    TTinyParser first;
    TTinyParser second;
    first.SetVariables(&a);
    second.SetVariables(&b);
    first.SetExpression("X");
    second.SetExpression("X+10");
    EXPECT_EQ(first.Answer(), "1");
    EXPECT_EQ(second.Answer(), "12");
    first.SetExpression("Y := 3");
    EXPECT_EQ(first.Answer(), "3");
    EXPECT_EQ(b, std::vector<std::string>{"X=2"});
    EXPECT_EQ(first.Opes().Count(), second.Opes().Count());
    EXPECT_NE(&first.Opes(), &second.Opes());
}

TEST(TinyParser, RandomNamesDrawFreshValuesInTheUnitInterval) {
    TTinyParser parser;
    parser.SeedRandom(1234);
    std::vector<double> drawn;
    for (int i = 0; i < 200; ++i) {
        parser.SetExpression("_RND");
        double value = parser.AnswerValue();
        EXPECT_GE(value, 0);
        EXPECT_LT(value, 1);
        drawn.push_back(value);
    }
    EXPECT_NE(drawn[0], drawn[1]);
    parser.SetExpression("_RND - _RND");
    EXPECT_NE(parser.AnswerValue(), 0); // each occurrence draws anew

    TTinyParser again;
    again.SeedRandom(1234);
    again.SetExpression("_RND");
    EXPECT_EQ(again.AnswerValue(), drawn[0]); // same seed, same sequence
}

} // namespace
} // namespace zaro
