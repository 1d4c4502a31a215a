#include "SparsePattern.h"

#include <numeric>

namespace zaro {

namespace {

// used reordered stably by key: a counting sort, one pass and no comparisons.
void SortStablyBy(std::vector<int>& used, const std::vector<int>& key, int n,
                  std::vector<int>& sorted) {
    std::vector<int> start(static_cast<std::size_t>(n) + 1, 0);
    for (const int e : used) {
        ++start[static_cast<std::size_t>(key[static_cast<std::size_t>(e)]) + 1];
    }
    std::partial_sum(start.begin(), start.end(), start.begin());
    sorted.resize(used.size());
    for (const int e : used) {
        sorted[static_cast<std::size_t>(
            start[static_cast<std::size_t>(key[static_cast<std::size_t>(e)])]++)] = e;
    }
    used.swap(sorted);
}

} // namespace

TSparsePattern CompressColumns(int n, const std::vector<int>& used, const std::vector<int>& rows,
                               const std::vector<int>& columns, std::vector<int>& slots) {
    // By row, then stably by column: column-major order of the positions.
    std::vector<int> order = used;
    std::vector<int> scratch;
    SortStablyBy(order, rows, n, scratch);
    SortStablyBy(order, columns, n, scratch);

    TSparsePattern pattern;
    pattern.N = n;
    pattern.Ap.assign(static_cast<std::size_t>(n) + 1, 0);
    pattern.Ai.reserve(order.size());
    for (std::size_t u = 0; u < order.size(); ++u) {
        const auto e = static_cast<std::size_t>(order[u]);
        const auto previous = u > 0 ? static_cast<std::size_t>(order[u - 1]) : e;
        const bool samePosition =
            u > 0 && columns[previous] == columns[e] && rows[previous] == rows[e];
        if (!samePosition) {
            pattern.Ai.push_back(rows[e]);
            ++pattern.Ap[static_cast<std::size_t>(columns[e]) + 1];
        }
        slots[e] = static_cast<int>(pattern.Ai.size()) - 1;
    }
    std::partial_sum(pattern.Ap.begin(), pattern.Ap.end(), pattern.Ap.begin());
    return pattern;
}

} // namespace zaro
