#pragma once
// A sparse LU factorisation (KLU) of a square matrix in compressed-column
// form, real or complex. The ordering is computed once per structure; each
// new set of values is refactored with the pivot sequence of the last full
// factorisation while that stays sound, and factored afresh otherwise.
//
// Besides the circuit solver it serves any caller that solves many systems
// with one matrix (the Jacobian columns of the operating-point search).

#include "SmallDenseLU.h"
#include "SparsePattern.h"
#include "ZaroMathImport.h"

#include <memory>
#include <vector>

namespace zaro {

template <typename T> class TSparseFactorisation {
public:
    // Up to this order the matrix is factored dense (TSmallDenseLU): a first
    // analysis then never faults in KLU's ordering, analysis and kernel code,
    // which cost the examples' first run 40 to 80 us. Factoring alone, the
    // dense LU is as fast as KLU up to about 16 unknowns and 2.5 times
    // slower at 32 (bench_numerics BM_FactorAndSolve, 5 and 11 against 4
    // us); in a whole analysis of the examples (10 to 28 unknowns) that is
    // lost in the assembly and the device laws, and none is slower warm.
    static constexpr int DenseOrderLimit = 32;

    // denseOrderLimit 0 factors every matrix with KLU.
    explicit TSparseFactorisation(int denseOrderLimit = DenseOrderLimit);
    ~TSparseFactorisation();
    TSparseFactorisation(const TSparseFactorisation&) = delete;
    TSparseFactorisation& operator=(const TSparseFactorisation&) = delete;

    // A new structure; drops any factorisation.
    void Analyse(const TSparsePattern& pattern);
    // Factors the values (one per pattern entry). False when the matrix is
    // singular or a pivot is too small to trust the factors (see
    // PivotQuality); nothing is factored then.
    bool Factor(const std::vector<T>& values);
    bool Factored() const;
    int Order() const { return Pattern.N; }

    // Overwrites count right-hand sides of Order() entries each, stored one
    // after the other, with the solutions. Uses the factorisation's own work
    // space: one call at a time.
    void Solve(T* b, int count) const;
    // The same with the transposed matrix (not conjugated).
    void SolveTransposed(T* b, int count) const;

    // A work space that lets one more thread solve with the same factors at
    // the same time as the others; the solutions are the same bit for bit.
    class TWorkspace;
    std::shared_ptr<TWorkspace> MakeWorkspace() const;
    void Solve(TWorkspace& workspace, T* b, int count) const;

    // The smallest ratio of a pivot to the largest entry of its column of
    // the row-scaled matrix: near 1 where elimination cancelled nothing, at
    // rounding level (about 1e-16) where the matrix is singular.
    double PivotQuality() const { return Quality; }

private:
    struct TKlu;
    bool Dense() const { return Pattern.N <= DenseLimit; }
    bool FactorDense(const std::vector<T>& values);
    bool Refactor(const std::vector<T>& values);
    bool FactorAfresh(const std::vector<T>& values);
    void RequireFactors() const;
    double MeasureQuality(const std::vector<T>& values) const;

    std::unique_ptr<TKlu> Klu;
    TSparsePattern Pattern;
    double Quality = 0.0;
    int DenseLimit;
    bool Analysed = false;
    bool DenseFactored = false;
    TSmallDenseLU<T> SmallLU;
    mutable std::vector<T> DenseWork;
};

extern template class TSparseFactorisation<double>;
extern template class TSparseFactorisation<TComplex>;

} // namespace zaro
