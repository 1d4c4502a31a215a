#pragma once
// The step equations solved with a sparse factorisation. The pattern is
// analysed when the positions of the entries change (once per search, since
// a search writes the same positions at every step) and only refactored
// otherwise. A system whose factors cannot be trusted, or that is singular,
// goes to the dense step solver, so that such a step ends as it would there.

#include "DenseStepSolver.h"
#include "SparseFactorisation.h"

#include <utility>
#include <vector>

namespace zaro {

class TSparseStepSolver : public TStepSolver {
public:
    void Solve(const TStepSystem& system, std::vector<double>& x) override;
    // The sparse part alone: false, x untouched, where Solve would hand the
    // system over (for systems too large for the dense solver).
    bool TrySolve(const TStepSystem& system, std::vector<double>& x);

    // Systems handed to the dense step solver since construction.
    int HandOvers() const { return FHandOvers; }

private:
    bool PatternFits(const TStepSystem& system) const;
    void BuildPattern(const TStepSystem& system);
    void Refine(const TStepSystem& system, std::vector<double>& x) const;

    std::vector<std::pair<int, int>> FPositions; // (row, column) of each entry
    std::vector<int> FSlots;                     // entry -> value of the pattern
    std::vector<double> FValues;
    // KLU at every order: the fallback's steps on one random circuit went
    // astray with the small dense LU (its pivot order differs), and dense
    // factors gained the fallback nothing measurable.
    TSparseFactorisation<double> FFactors{0};
    TDenseStepSolver FDense;
    int FHandOvers = 0;
};

} // namespace zaro
