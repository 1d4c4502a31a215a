#pragma once
// The compressed-column pattern of a square sparse matrix, and how a list of
// (row, column) entries, several of which may share a position, becomes one.

#include <vector>

namespace zaro {

// Column j holds rows Ai[Ap[j] .. Ap[j+1]-1].
struct TSparsePattern {
    int N = 0;
    std::vector<int> Ap;
    std::vector<int> Ai;
};

// The pattern of the entries `used` (indices into rows and columns) of a
// matrix of order n, rows ascending within each column. slots (sized by the
// caller) receives for each used entry its place among the pattern's
// positions; entries at one position share it. Every row and column must lie
// inside the order.
TSparsePattern CompressColumns(int n, const std::vector<int>& used, const std::vector<int>& rows,
                               const std::vector<int>& columns, std::vector<int>& slots);

} // namespace zaro
