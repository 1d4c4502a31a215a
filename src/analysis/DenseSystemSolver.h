#pragma once
// The reference solver: the system added into the dense arrays of the
// analysis state, entry by entry in assembly order, and solved in place by
// SolveRealLinear or SolveComplexLinear.

#include "SystemSolver.h"

namespace zaro {

template <typename T> class TDenseSystemSolver : public TSystemSolver<T> {
public:
    explicit TDenseSystemSolver(TDenseArrays<T> arrays) : Arrays(arrays) {}

    const std::vector<T>& Solve(const TAssembledSystem<T>& system) override;
    void Reset() override {}

private:
    TDenseArrays<T> Arrays;
};

extern template class TDenseSystemSolver<double>;
extern template class TDenseSystemSolver<TComplex>;

} // namespace zaro
