#include "OpeList.h"

#include "ZaroErrors.h"

#include <array>
#include <string_view>
#include <vector>

namespace zaro {

namespace {

struct TOperatorGroup {
    int Priority;
    std::vector<std::string_view> Symbols;
};

// In insertion order; the sort afterwards only reorders by length.
const std::array<TOperatorGroup, 11>& StandardGroups() {
    static const std::array<TOperatorGroup, 11> groups{{
        {60, {"+", "-"}},
        {90, {"*", "/", "%", "#"}},
        {95, {"^"}},
        {70, {"//", "\\\\"}},
        {100,
         {"TRUNC",  "CEIL",   "FLOOR",  "FRAC",    "ROUND",   "ABS",     "EXP",      "LN",
          "LOG",    "SQRT",   "SIN",    "COS",     "TAN",     "SINH",    "COSH",     "TANH",
          "ARCSIN", "ARCCOS", "ARCTAN", "ARCSINH", "ARCCOSH", "ARCTANH", "RADTODEG", "DEGTORAD",
          "CAP",    "IND",    "ACAP",   "AIND",    "DB",      "DB2",     "ADB",      "ADB2",
          "SUM",    "MEAN",   "MAX",    "MIN"}},
        {50, {"==", "!=", ">", ">=", "<", "<="}},
        {40, {"!"}},
        {30, {"&", "|"}},
        {20, {","}},
        {10, {"(", ")"}},
        {5, {":="}},
    }};
    return groups;
}

} // namespace

void TOpeList::Add(std::string symbol, int priority) {
    Entries.emplace_back(std::move(symbol), priority);
    IndexValid = false;
}

const std::string& TOpeList::Symbol(int index) const {
    CheckIndex(index, Count());
    return Entries[static_cast<std::size_t>(index)].first;
}

int TOpeList::Priority(int index) const {
    CheckIndex(index, Count());
    return Entries[static_cast<std::size_t>(index)].second;
}

void TOpeList::Put(int index, std::string symbol, int priority) {
    CheckIndex(index, Count());
    Entries[static_cast<std::size_t>(index)] = {std::move(symbol), priority};
    IndexValid = false;
}

void TOpeList::FillStandard() {
    for (const TOperatorGroup& group : StandardGroups()) {
        for (std::string_view symbol : group.Symbols) {
            Add(std::string(symbol), group.Priority);
        }
    }
    SortLongestFirst();
}

void TOpeList::SortLongestFirst() {
    for (int i = 0; i < Count(); ++i) {
        for (int j = i + 1; j < Count(); ++j) {
            if (Symbol(j).size() > Symbol(i).size()) {
                std::string symbol = Symbol(i);
                int priority = Priority(i);
                Put(i, Symbol(j), Priority(j));
                Put(j, std::move(symbol), priority);
            }
        }
    }
}

const std::vector<int>& TOpeList::StartingWith(char c) const {
    if (!IndexValid) {
        for (std::vector<int>& bucket : ByFirstChar) {
            bucket.clear();
        }
        for (int i = 0; i < Count(); ++i) {
            if (!Symbol(i).empty()) {
                ByFirstChar[static_cast<unsigned char>(Symbol(i)[0])].push_back(i);
            }
        }
        IndexValid = true;
    }
    return ByFirstChar[static_cast<unsigned char>(c)];
}

} // namespace zaro
