#pragma once
// The operator table: symbols and function names with their priorities.

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace zaro {

class TOpeList {
public:
    void Add(std::string symbol, int priority);
    int Count() const { return static_cast<int>(Entries.size()); }
    // Range-checked access (ERangeError outside 0..Count-1).
    const std::string& Symbol(int index) const;
    int Priority(int index) const;
    void Put(int index, std::string symbol, int priority);

    // Fills the table with every operator and function the evaluator knows, then sorts
    // it longest first so that ">=" is tried before ">" and "SINH" before "SIN".
    void FillStandard();
    // Exchange sort by symbol length, longest first.
    void SortLongestFirst();

    // Indexes of the entries whose symbol starts with c, in table order: the only ones
    // that can match at a position holding c.
    const std::vector<int>& StartingWith(char c) const;

private:
    std::vector<std::pair<std::string, int>> Entries;
    mutable std::array<std::vector<int>, 256> ByFirstChar;
    mutable bool IndexValid = false;
};

} // namespace zaro
