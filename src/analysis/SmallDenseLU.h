#pragma once
// The LU factorisation that the sparse factorisation uses for the smallest
// systems: the matrix of a compressed-column pattern held dense, rows scaled
// by their largest entry and partial pivoting on the scaled columns, as KLU
// does with the columns in their natural order. Its few loops replace
// KLU's ordering, analysis and kernel, whose code a first analysis would
// otherwise have to fault in.

#include "ZaroMathImport.h"

#include <vector>

namespace zaro {

struct TSparsePattern;

template <typename T> class TSmallDenseLU {
public:
    // Factors the values (one per entry of the pattern; no position twice,
    // as KLU requires too). False when a row is empty or a column has no
    // pivot left; the factors are unusable then.
    bool Factor(const TSparsePattern& pattern, const std::vector<T>& values);

    // The same measure as the sparse factorisation's: the smallest ratio of
    // a pivot to the larger of its scaled matrix entry and the summed
    // magnitudes of what elimination took off it.
    double PivotQuality(const TSparsePattern& pattern, const std::vector<T>& values) const;

    // Overwrites count right-hand sides of n entries each with the
    // solutions; work holds n entries of scratch.
    void Solve(T* b, int count, T* work) const;
    // The same with the transposed matrix (not conjugated).
    void SolveTransposed(T* b, int count, T* work) const;

private:
    T* Column(int j) { return LU.data() + static_cast<std::ptrdiff_t>(j) * N; }
    const T* Column(int j) const { return LU.data() + static_cast<std::ptrdiff_t>(j) * N; }
    const T& At(int row, int column) const { return Column(column)[row]; }
    bool ScaleRows(const TSparsePattern& pattern, const std::vector<T>& values);
    bool Eliminate();

    int N = 0;
    std::vector<T> LU;      // column-major; row k holds pivot row k
    std::vector<int> Pivot; // pivot row k is row Pivot[k] of the matrix
    std::vector<double> Rs; // scale of each row of the matrix
};

extern template class TSmallDenseLU<double>;
extern template class TSmallDenseLU<TComplex>;

} // namespace zaro
