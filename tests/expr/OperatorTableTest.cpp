// The operator table: every symbol with its priority, longest symbols tried first.

#include "OpeList.h"
#include "ZaroErrors.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace zaro {
namespace {

TOpeList StandardTable() {
    TOpeList opes;
    opes.FillStandard();
    return opes;
}

TEST(OperatorTable, HoldsEverySymbolOnceWithItsPriority) {
    TOpeList opes = StandardTable();
    std::map<std::string, int> priorities;
    for (int i = 0; i < opes.Count(); ++i) {
        EXPECT_TRUE(priorities.emplace(opes.Symbol(i), opes.Priority(i)).second)
            << "twice: " << opes.Symbol(i);
    }
    EXPECT_EQ(priorities.size(), 58U);
    const std::map<std::string, int> expected{
        {"+", 60},  {"-", 60},        {"*", 90},        {"/", 90},    {"%", 90},    {"#", 90},
        {"^", 95},  {"//", 70},       {"\\\\", 70},     {"SIN", 100}, {"DB2", 100}, {"MAX", 100},
        {"==", 50}, {"!=", 50},       {">", 50},        {">=", 50},   {"<", 50},    {"<=", 50},
        {"!", 40},  {"&", 30},        {"|", 30},        {",", 20},    {"(", 10},    {")", 10},
        {":=", 5},  {"ARCTANH", 100}, {"DEGTORAD", 100}};
    for (const auto& [symbol, priority] : expected) {
        ASSERT_TRUE(priorities.count(symbol)) << symbol;
        EXPECT_EQ(priorities[symbol], priority) << symbol;
    }
}

TEST(OperatorTable, IsSortedLongestFirst) {
    TOpeList opes = StandardTable();
    for (int i = 1; i < opes.Count(); ++i) {
        EXPECT_GE(opes.Symbol(i - 1).size(), opes.Symbol(i).size()) << opes.Symbol(i);
    }
    EXPECT_EQ(opes.Symbol(0).size(), 8U); // RADTODEG, DEGTORAD
}

TEST(OperatorTable, ExchangeSortMovesSymbolAndPriorityTogether) {
    TOpeList opes;
    opes.Add("+", 60);
    opes.Add(">=", 50);
    opes.Add("SINH", 100);
    opes.SortLongestFirst();
    ASSERT_EQ(opes.Count(), 3);
    EXPECT_EQ(opes.Symbol(0), "SINH");
    EXPECT_EQ(opes.Priority(0), 100);
    EXPECT_EQ(opes.Symbol(1), ">=");
    EXPECT_EQ(opes.Priority(1), 50);
    EXPECT_EQ(opes.Symbol(2), "+");
    EXPECT_EQ(opes.Priority(2), 60);
    EXPECT_THROW(opes.Symbol(3), ERangeError);
}

} // namespace
} // namespace zaro
