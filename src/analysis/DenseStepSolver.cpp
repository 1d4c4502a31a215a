#include "DenseStepSolver.h"

#include "NumericalRecepies.h"
#include "ZaroErrors.h"

#include <algorithm>

namespace zaro {

namespace {

// What Z_LUDecomposition writes in place of an exactly zero pivot before it
// goes on; finding it on the diagonal means the system is singular.
constexpr double ZeroPivotReplacement = 1e-30;

} // namespace

void TDenseStepSolver::Solve(const TStepSystem& system, std::vector<double>& x) {
    const auto n = static_cast<std::size_t>(system.Size);
    FMatrix.assign(n * n, 0.0);
    for (const TStepEntry& entry : system.Entries) {
        CheckIndex(entry.Row, system.Size);
        CheckIndex(entry.Column, system.Size);
        FMatrix[static_cast<std::size_t>(entry.Row) * n + static_cast<std::size_t>(entry.Column)] +=
            entry.Value;
    }
    // A row of zeros is singular; the decomposition would report it only by
    // its message text.
    for (std::size_t i = 0; i < n; ++i) {
        const auto row = FMatrix.begin() + static_cast<std::ptrdiff_t>(i * n);
        if (std::all_of(row, row + static_cast<std::ptrdiff_t>(n),
                        [](double a) { return a == 0; })) {
            throw EZeroDivide();
        }
    }
    double parity = 1.0;
    Z_LUDecomposition(FMatrix, system.Size, parity, FPivots);
    for (std::size_t j = 0; j < n; ++j) {
        if (FMatrix[j * n + j] == ZeroPivotReplacement) {
            throw EZeroDivide();
        }
    }
    x = system.Rhs;
    LUBackSubstitution(FMatrix, system.Size, FPivots, x);
    Refine(system, x);
    for (const double value : x) {
        CheckedResult(value);
    }
}

// One step of iterative refinement: the residual of x, solved with the same
// factors, corrects x. The rows of the wire system differ in scale by the
// circuit's resistances; without it a row of small potentials keeps errors
// of the size of the largest potential times the machine precision.
void TDenseStepSolver::Refine(const TStepSystem& system, std::vector<double>& x) const {
    std::vector<double> residual = system.Rhs;
    for (const TStepEntry& entry : system.Entries) {
        residual[static_cast<std::size_t>(entry.Row)] -=
            entry.Value * x[static_cast<std::size_t>(entry.Column)];
    }
    LUBackSubstitution(FMatrix, system.Size, FPivots, residual);
    for (std::size_t k = 0; k < x.size(); ++k) {
        x[k] += residual[k];
    }
}

} // namespace zaro
