#pragma once
// The sparse solver: the assembled entries summed into a compressed-column
// matrix whose pattern and ordering are kept while the structure stays, one
// numeric factorisation per system. A system it cannot trust (a value that
// is not finite, a singular or badly conditioned matrix, a solution that is
// not finite) goes to the reference solver, so that system ends exactly as
// the dense elimination ends it: with its solution or its math error.

#include "DenseSystemSolver.h"
#include "SparseFactorisation.h"
#include "SparsePathChoice.h"

namespace zaro {

template <typename T> class TSparseSystemSolver : public TSystemSolver<T> {
public:
    explicit TSparseSystemSolver(TDenseArrays<T> arrays) : Dense(arrays), Arrays(arrays) {}

    const std::vector<T>& Solve(const TAssembledSystem<T>& system) override;
    // Also gives the dense arrays' memory back and hands no system over
    // unasked until SetDirectOrder says otherwise.
    void Reset() override;

    // The factors of the last system when it was solved here, else nothing.
    const TSparseFactorisation<T>* Factorisation() const;
    // Systems of at most this order go to the reference solver unasked (0,
    // the default: none).
    void SetDirectOrder(int order) { FDirectOrder = order; }
    int DirectOrder() const { return FDirectOrder; }
    // How many systems went to the reference solver since the last Reset.
    int HandedOver() const { return HandOvers; }
    // How many systems it solved itself since the last Reset.
    int SolvedHere() const { return SparseSolves; }

private:
    bool PatternFits(const TAssembledSystem<T>& system) const;
    void BuildPattern(const TAssembledSystem<T>& system);
    void FillValues(const TAssembledSystem<T>& system);
    const std::vector<T>& HandOver(const TAssembledSystem<T>& system);

    TDenseSystemSolver<T> Dense;
    TDenseArrays<T> Arrays;
    TSparseFactorisation<T> Factors;
    std::uint64_t StructureVersion = ~std::uint64_t{0};
    std::vector<int> Slots; // per entry: its place among the values, -1 outside the pattern
    std::vector<T> Values;
    std::vector<T> Solution;
    bool LastSolvedHere = false;
    int FDirectOrder = 0;
    int HandOvers = 0;
    int SparseSolves = 0;
};

extern template class TSparseSystemSolver<double>;
extern template class TSparseSystemSolver<TComplex>;

} // namespace zaro
