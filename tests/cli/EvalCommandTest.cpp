// zarosim-cli eval, run in-process with captured streams.

#include "EvalCommand.h"
#include "CapturedRun.h"
#include "CaseNames.h"
#include "Subcommand.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zaro::cli {
namespace {

TRun Eval(const TArgs& args) {
    return CapturedRun(EvalCommand, args);
}

TEST(EvalCommand, PrintsTheAnswerText) {
    TRun run = Eval({"-1/(2*PI*F*(10u))", "--var", "F=1000"});
    EXPECT_EQ(run.Code, 0);
    EXPECT_EQ(run.Out, "-15.9154943091895\n");
    EXPECT_EQ(run.Err, "");
}

TEST(EvalCommand, TakesSeveralVariablesInBothSpellings) {
    TRun run = Eval({"--var=A=2", "A*B", "--var", "b=3K"});
    EXPECT_EQ(run.Code, 0);
    EXPECT_EQ(run.Out, "6000\n");
}

TEST(EvalCommand, AcceptsAnExpressionStartingWithDashesAfterTheEndOfOptions) {
    TRun run = Eval({"--", "--2"});
    EXPECT_EQ(run.Code, 0);
    EXPECT_EQ(run.Out, "2\n");
}

struct TFailureCase {
    TArgs Args;
    std::string Err;
};

class EvalFails : public ::testing::TestWithParam<TFailureCase> {};

TEST_P(EvalFails, WithTheMessageOnErr) {
    TRun run = Eval(GetParam().Args);
    EXPECT_EQ(run.Code, 1);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, GetParam().Err);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EvalFails,
    ::testing::Values(TFailureCase{{"1/0"}, "Floating point division by zero\n"},
                      TFailureCase{{"SQRT(-1)"}, "Invalid floating point operation\n"},
                      TFailureCase{{"EXP(1000)"}, "Floating point overflow\n"},
                      TFailureCase{{"10MEG"}, "'' は浮動小数点数ではありません\n"},
                      TFailureCase{{"X", "--var", "X=Y"}, "ZaroStrToFloat: Not a number.\n"},
                      TFailureCase{{},
                                   "eval: missing expression; usage: zarosim-cli eval EXPR [--var "
                                   "NAME=VALUE]...\n"},
                      TFailureCase{{"1", "2"},
                                   "eval: more than one expression (quote the expression)\n"},
                      TFailureCase{{"1", "--var"}, "eval: --var needs NAME=VALUE\n"},
                      TFailureCase{{"1", "--var", "X"}, "eval: --var needs NAME=VALUE, got 'X'\n"},
                      TFailureCase{{"1", "--verbose"}, "eval: unknown option '--verbose'\n"}),
    test::NamedAfter(&TFailureCase::Err));

TRun Dispatch(const TArgs& args) {
    static const TSubcommand table[] = {
        {"eval", "EXPR [--var NAME=VALUE]...", "prints the value of an expression", EvalCommand}};
    return CapturedRun(
        [&](std::ostream& out, std::ostream& err) { return RunSubcommand(table, args, out, err); });
}

TEST(RunSubcommand, RunsTheNamedSubcommandWithTheRemainingArguments) {
    TRun run = Dispatch({"eval", "1+1"});
    EXPECT_EQ(run.Code, 0);
    EXPECT_EQ(run.Out, "2\n");
}

TEST(RunSubcommand, PrintsUsageWithoutArguments) {
    TRun run = Dispatch({});
    EXPECT_EQ(run.Code, 0);
    EXPECT_NE(run.Out.find("usage: zarosim-cli COMMAND [ARGS]"), std::string::npos);
    EXPECT_NE(run.Out.find("eval EXPR [--var NAME=VALUE]..."), std::string::npos);
    EXPECT_EQ(Dispatch({"--help"}).Out, run.Out);
}

TEST(RunSubcommand, RejectsAnUnknownCommand) {
    TRun run = Dispatch({"frobnicate"});
    EXPECT_EQ(run.Code, 1);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err.rfind("zarosim-cli: unknown command 'frobnicate'\n", 0), 0U);
}

} // namespace
} // namespace zaro::cli
