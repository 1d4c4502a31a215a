#pragma once
// The Jacobian of the operating-point search on the sparse path. While the
// circuit's systems are solved sparse it is the sparse one (columns from one
// factorisation, or the bordered step). Where every system so far went to
// the dense elimination instead (elements spanning beyond a double's
// precision, such as a capacitor's 1e20 Ohm in DC beside a source's 1e-4 Ohm),
// it is the reference's own forward differences: the perturbed systems go
// there too, so the search is the reference search step for step, and
// starting it again on the reference path would only repeat it. A search
// that meets both kinds of system raises ESparseDoubt.

#include "NumericalRecepies.h"

#include <memory>

namespace zaro {

class TCircuitEquations;
class TNonLinearAnalysis;

class TSparseSearchLinearisation : public TNewtonLinearisation {
public:
    // vecfunc must outlive the linearisation.
    TSparseSearchLinearisation(TCircuitEquations& equations, TNonLinearAnalysis& analysis,
                               const TVectorFunction& vecfunc);

    void Linearise(int n, TDoubleArray& x, const TDoubleArray& fvec) override;
    void Gradient(int n, const TDoubleArray& f, TDoubleArray& g) const override;
    void Solve(int n, TDoubleArray& p) override;

private:
    // The linearisation for the system just solved; the same for the whole search.
    TNewtonLinearisation& Choose();
    TNewtonLinearisation& Chosen() const;

    TCircuitEquations& Equations;
    TNonLinearAnalysis& Analysis;
    std::unique_ptr<TNewtonLinearisation> Sparse; // made at the first sparse system
    TDenseLinearisation Dense;
    TNewtonLinearisation* FChosen = nullptr;
};

// Whether a sparse search that ended without failing stands as the outcome:
// every system solved sparse and SparseOutcomeStands, or every system solved
// by the dense elimination (the search was the reference one).
bool SparseSearchStands(const TCircuitEquations& equations);

} // namespace zaro
