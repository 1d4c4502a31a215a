// Names, the user's variable lines and assignment.

#include "TinyParser.h"
#include "VariableLines.h"
#include "ZaroSub.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zaro {
namespace {

class Variables : public ::testing::Test {
protected:
    std::string Eval(const std::string& expression) {
        Parser.SetExpression(expression);
        return Parser.Answer();
    }

    std::vector<std::string> Lines;
    TTinyParser Parser;

    void SetUp() override { Parser.SetVariables(&Lines); }
};

TEST_F(Variables, LookupIgnoresLetterCaseAndTrimsNothing) {
    Lines = {"r1=10K", "R2 = 5", "C=2"};
    EXPECT_EQ(Eval("R1*2"), "20000");
    EXPECT_EQ(Eval("c+1"), "3");
    EXPECT_EQ(Eval("R2"), "0"); // the line defines "R2 " (with a blank), not R2
}

TEST_F(Variables, ValueTextsAreNumbersNotExpressions) {
    Lines = {"X=Y", "Z=2*Y", "W= 5"};
    EXPECT_THROW(
        {
            try {
                Eval("X");
            } catch (const EConvertError& e) {
                EXPECT_EQ(e.Message(), "ZaroStrToFloat: Not a number.");
                throw;
            }
        },
        EConvertError);
    try {
        Eval("Z");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'2*Y' は浮動小数点数ではありません");
    }
    EXPECT_THROW(Eval("W"), EConvertError); // a leading blank is not a number
}

TEST_F(Variables, UndefinedOrEmptyNamesAreZero) {
    Lines = {"E=", "NOEQUALS"};
    EXPECT_EQ(Eval("X+1"), "1");
    EXPECT_EQ(Eval("E+1"), "1");
    EXPECT_EQ(Eval("NOEQUALS+1"), "1");
}

TEST_F(Variables, PredefinedNamesShadowVariables) {
    Lines = {"PI=3", "TRUE=5"};
    EXPECT_EQ(Eval("PI"), "3.14159265358979");
    EXPECT_EQ(Eval("TRUE"), "1");
}

TEST_F(Variables, FirstMatchingLineWins) {
    Lines = {"A=1", "a=2"};
    EXPECT_EQ(Eval("A"), "1");
}

TEST_F(Variables, AssignmentReplacesOrAppendsTheLine) {
    Lines = {"x=1", "Y=2"};
    EXPECT_EQ(Eval("X := 2+3"), "5");
    EXPECT_EQ(Lines, (std::vector<std::string>{"X=5", "Y=2"}));
    EXPECT_EQ(Eval("Z := 1/3"), "0.333333333333333");
    EXPECT_EQ(Lines.back(), "Z=0.333333333333333");
    EXPECT_EQ(Eval("X*2"), "10");
    EXPECT_EQ(Eval("PI := 3"), "3"); // the target keeps its name and is stored
    EXPECT_EQ(Lines.back(), "PI=3");
}

TEST_F(Variables, AssignmentNeedsANameAndAList) {
    EXPECT_EQ(Eval("2 := 3"), "2");
    EXPECT_TRUE(Lines.empty());
    Parser.SetVariables(nullptr);
    EXPECT_EQ(Eval("X := 5"), "0");
}

TEST_F(Variables, OnSubstituteMayRenameTheTarget) {
    std::vector<std::string> seen;
    Parser.SetOnSubstitute([&](TTinyParser& sender, std::string& name, std::string& value) {
        EXPECT_EQ(&sender, &Parser);
        EXPECT_TRUE(value.empty());
        seen.push_back(name);
        name = "RENAMED";
        value = "ignored";
    });
    EXPECT_EQ(Eval("A := 7"), "7");
    EXPECT_EQ(seen, std::vector<std::string>{"A"});
    EXPECT_EQ(Lines, std::vector<std::string>{"RENAMED=7"});
}

TEST_F(Variables, FailedEvaluationPutsAssignedLinesBack) {
    Lines = {"X=1"};
    EXPECT_THROW(Eval("(X := 9) + 1/0"), EZeroDivide);
    EXPECT_EQ(Lines, std::vector<std::string>{"X=1"});
    EXPECT_EQ(Eval("(X := 9) + 1"), "10");
    EXPECT_EQ(Lines, std::vector<std::string>{"X=9"});
}

TEST_F(Variables, ReactanceFunctionsReadTheFrequencyFromUnderscoreF) {
    Lines = {"F=50"}; // F is an ordinary variable, not the reactance frequency
    EXPECT_EQ(Eval("IND(1M)"), "0");
    Lines = {"_FREQ=2K", "_F=1K"};
    EXPECT_EQ(Eval("IND(1M)"), "6.28318530717959");
    EXPECT_EQ(Eval("CAP(1U)"), "-159.154943091895");
    EXPECT_EQ(Eval("ACAP(1U)"), "-159.154943091895");
    EXPECT_EQ(Eval("AIND(6.28318530717959)"), "0.001");
    Lines = {"_F=", "_FREQ=1K"};
    EXPECT_EQ(Eval("IND(1M)"), "6.28318530717959");
    Lines = {"_F=0"};
    EXPECT_THROW(Eval("CAP(1U)"), EZeroDivide);
}

TEST(VariableLines, SetReplacesTheFirstLineOfTheNameIgnoringCase) {
    std::vector<std::string> lines{"f=1", "G=2", "F=3"};
    SetVariableLine(lines, "F", "1000");
    EXPECT_EQ(lines, (std::vector<std::string>{"F=1000", "G=2", "F=3"}));
    SetVariableLine(lines, "H", "4");
    EXPECT_EQ(lines.back(), "H=4");
    EXPECT_EQ(FindVariableValue(lines, "g").value(), "2");
    EXPECT_FALSE(FindVariableValue(lines, "Q").has_value());
}

} // namespace
} // namespace zaro
