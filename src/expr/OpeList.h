#pragma once
// The operator table: symbols and function names with their priorities.

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

private:
    std::vector<std::pair<std::string, int>> Entries;
};

} // namespace zaro
