#pragma once
// The seam between the circuit equations and the linear algebra: a solver
// takes an assembled system and gives its solution, or raises the math error
// the dense elimination raises for it.

#include "AssembledSystem.h"
#include "SolverKind.h"

#include <memory>
#include <vector>

namespace zaro {

template <typename T> class TSystemSolver {
public:
    virtual ~TSystemSolver() = default;

    // The solution of the system, N entries, valid until the next call.
    // Entry 2w is the potential of wire w, 2w + 1 its current.
    virtual const std::vector<T>& Solve(const TAssembledSystem<T>& system) = 0;
    // Drops what the solver kept from earlier systems (a new preparation).
    virtual void Reset() = 0;
};

// The dense arrays of the analysis state that the reference elimination
// works in; the sparse solver uses them only for the systems it hands over.
template <typename T> struct TDenseArrays {
    std::vector<T>& Matrix;
    std::vector<T>& Rhs;
};

template <typename T>
std::unique_ptr<TSystemSolver<T>> MakeSystemSolver(TSolverKind kind, TDenseArrays<T> arrays);

} // namespace zaro
