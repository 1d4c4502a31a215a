#include "SparseStepSolver.h"

#include "ZaroErrors.h"

#include <algorithm>
#include <numeric>

namespace zaro {

void TSparseStepSolver::Solve(const TStepSystem& system, std::vector<double>& x) {
    if (system.Size <= FDenseOrderLimit) {
        FDense.Solve(system, x);
        return;
    }
    if (!TrySolve(system, x)) {
        ++FHandOvers;
        FDense.Solve(system, x);
    }
}

bool TSparseStepSolver::TrySolve(const TStepSystem& system, std::vector<double>& x) {
    if (system.Size == 0) {
        return false;
    }
    if (!PatternFits(system)) {
        BuildPattern(system);
    }
    std::fill(FValues.begin(), FValues.end(), 0.0);
    for (std::size_t e = 0; e < system.Entries.size(); ++e) {
        FValues[static_cast<std::size_t>(FSlots[e])] += system.Entries[e].Value;
    }
    if (!FFactors.Factor(FValues)) {
        return false;
    }
    x = system.Rhs;
    FFactors.Solve(x.data(), 1);
    Refine(system, x);
    for (const double value : x) {
        CheckedResult(value);
    }
    return true;
}

bool TSparseStepSolver::PatternFits(const TStepSystem& system) const {
    if (FFactors.Order() != system.Size || FRows.size() != system.Entries.size()) {
        return false;
    }
    for (std::size_t e = 0; e < FRows.size(); ++e) {
        const TStepEntry& entry = system.Entries[e];
        if (FRows[e] != entry.Row || FColumns[e] != entry.Column) {
            return false;
        }
    }
    return true;
}

void TSparseStepSolver::BuildPattern(const TStepSystem& system) {
    const std::size_t count = system.Entries.size();
    FRows.resize(count);
    FColumns.resize(count);
    for (std::size_t e = 0; e < count; ++e) {
        const TStepEntry& entry = system.Entries[e];
        CheckIndex(entry.Row, system.Size);
        CheckIndex(entry.Column, system.Size);
        FRows[e] = entry.Row;
        FColumns[e] = entry.Column;
    }
    std::vector<int> every(count);
    std::iota(every.begin(), every.end(), 0);
    FSlots.assign(count, -1);
    const TSparsePattern pattern = CompressColumns(system.Size, every, FRows, FColumns, FSlots);
    FFactors.Analyse(pattern);
    FValues.assign(pattern.Ai.size(), 0.0);
}

// One step of iterative refinement, as the dense step solver does: the rows
// of the wire system differ in scale by the circuit's resistances.
void TSparseStepSolver::Refine(const TStepSystem& system, std::vector<double>& x) const {
    std::vector<double> residual = system.Rhs;
    for (const TStepEntry& entry : system.Entries) {
        residual[static_cast<std::size_t>(entry.Row)] -=
            entry.Value * x[static_cast<std::size_t>(entry.Column)];
    }
    FFactors.Solve(residual.data(), 1);
    for (std::size_t k = 0; k < x.size(); ++k) {
        x[k] += residual[k];
    }
}

} // namespace zaro
