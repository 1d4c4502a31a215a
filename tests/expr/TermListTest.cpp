// Terms and the term list: argument access and checked indexes.

#include "NameResolver.h"
#include "OpeList.h"
#include "RandomSource.h"
#include "Tokenizer.h"
#include "TrmList.h"
#include "ZaroSub.h"

#include <gtest/gtest.h>

namespace zaro {
namespace {

TEST(Term, ArgumentsBeyondTheListAreZero) {
    TTerm term(0, "X", 1);
    EXPECT_EQ(term.ArgCount(), 0);
    EXPECT_EQ(term.Arg(0), 0);
    term.AddArg(4);
    term.AddArg(5);
    EXPECT_EQ(term.ArgCount(), 2);
    EXPECT_EQ(term.Arg(1), 5);
    EXPECT_EQ(term.Arg(2), 0);
    EXPECT_EQ(term.Arg(-1), 0);
}

TEST(TrmList, ChecksItsIndexes) {
    TTrmList list;
    list.Add(0, "A", 1);
    list.Insert(0, 60, "+", 0);
    list.Insert(2, 0, "B", 2);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items(0).Text, "+");
    EXPECT_EQ(list.Items(2).Text, "B");
    EXPECT_THROW(list.Items(3), ERangeError);
    EXPECT_THROW(list.Insert(5, 0, "C", 0), ERangeError);
    EXPECT_THROW(list.Delete(-1), ERangeError);
    list.Delete(0);
    EXPECT_EQ(list.Items(0).Text, "A");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(ResolveNames, StrictModeRejectsUndefinedNames) {
    TOpeList opes;
    opes.FillStandard();
    TTrmList trms;
    Tokenize("X+1", opes, trms);
    std::vector<std::string> lines;
    TRandomSource random;
    TEvalContext context(&lines, random);
    try {
        ResolveNames(trms, TResolveOptions{true, true, false}, context);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "X is not defined variable.");
    }
    ResolveNames(trms, TResolveOptions{true, true, true}, context);
    EXPECT_EQ(trms.Items(0).Value, 0);
}

TEST(ResolveNames, ReplacesConstantsByTheirNumberAndKeepsAssignmentTargets) {
    TOpeList opes;
    opes.FillStandard();
    TTrmList trms;
    Tokenize("PI := PI", opes, trms);
    TRandomSource random;
    TEvalContext context(nullptr, random);
    ResolveNames(trms, TResolveOptions{}, context);
    ASSERT_EQ(trms.Count(), 3);
    EXPECT_EQ(trms.Items(0).Text, "PI");
    EXPECT_EQ(trms.Items(2).Text, "(3.14159265358979)");
    EXPECT_DOUBLE_EQ(trms.Items(2).Value, 3.141592653589793);
}

} // namespace
} // namespace zaro
