#pragma once
// The step equations solved with a sparse factorisation. The pattern is
// analysed when the positions of the entries change (once per search, since
// a search writes the same positions at every step) and only refactored
// otherwise. A system whose factors cannot be trusted, or that is singular,
// goes to the dense step solver, so that such a step ends as it would there.
// Small systems go there at once: they take the dense solver's very steps,
// and a first analysis never loads the sparse factorisation's code for them.

#include "DenseStepSolver.h"
#include "SparseFactorisation.h"

#include <vector>

namespace zaro {

class TSparseStepSolver : public TStepSolver {
public:
    // Up to this order Solve uses the dense step solver. Dense elimination
    // of a step system of the examples' size (10 to 30 unknowns) costs a
    // few microseconds, less than binding and faulting in the sparse
    // factorisation's code in the first analysis of a process (some 50 us).
    static constexpr int DenseOrderLimit = 32;

    // denseOrderLimit 0 factors every system sparse.
    explicit TSparseStepSolver(int denseOrderLimit = DenseOrderLimit)
        : FDenseOrderLimit(denseOrderLimit) {}

    void Solve(const TStepSystem& system, std::vector<double>& x) override;
    // The sparse part alone: false, x untouched, where Solve would hand the
    // system over (for systems too large for the dense solver).
    bool TrySolve(const TStepSystem& system, std::vector<double>& x);

    // Systems handed to the dense step solver since construction because
    // their sparse factors could not be trusted (not the small ones).
    int HandOvers() const { return FHandOvers; }

private:
    bool PatternFits(const TStepSystem& system) const;
    void BuildPattern(const TStepSystem& system);
    void Refine(const TStepSystem& system, std::vector<double>& x) const;

    std::vector<int> FRows;    // row of each entry
    std::vector<int> FColumns; // column of each entry
    std::vector<int> FSlots;   // entry -> value of the pattern
    std::vector<double> FValues;
    // KLU at every order it factors: with the small dense LU (whose pivot
    // order is neither KLU's nor the dense step solver's) the fallback's
    // steps on one random circuit went astray.
    TSparseFactorisation<double> FFactors{0};
    TDenseStepSolver FDense;
    int FDenseOrderLimit;
    int FHandOvers = 0;
};

} // namespace zaro
