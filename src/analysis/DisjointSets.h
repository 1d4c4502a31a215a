#pragma once
// Items 0..n-1 joined into groups, for grouping wires into nodes and islands.

#include <numeric>
#include <vector>

namespace zaro {

class TDisjointSets {
public:
    explicit TDisjointSets(int count) : FParent(static_cast<std::size_t>(count)) {
        std::iota(FParent.begin(), FParent.end(), 0);
    }

    // The item that stands for the group of `item`.
    int Find(int item) {
        int root = item;
        while (FParent[static_cast<std::size_t>(root)] != root) {
            root = FParent[static_cast<std::size_t>(root)];
        }
        while (item != root) {
            int& parent = FParent[static_cast<std::size_t>(item)];
            item = parent;
            parent = root;
        }
        return root;
    }
    // False when the two were in one group already.
    bool Join(int a, int b) {
        const int rootA = Find(a);
        const int rootB = Find(b);
        FParent[static_cast<std::size_t>(rootA)] = rootB;
        return rootA != rootB;
    }
    bool Together(int a, int b) { return Find(a) == Find(b); }

private:
    std::vector<int> FParent;
};

} // namespace zaro
