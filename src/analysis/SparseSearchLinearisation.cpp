#include "SparseSearchLinearisation.h"

#include "BorderedLinearisation.h"
#include "CircuitEquations.h"

namespace zaro {

TSparseSearchLinearisation::TSparseSearchLinearisation(TCircuitEquations& equations,
                                                       TNonLinearAnalysis& analysis,
                                                       const TVectorFunction& vecfunc)
    : Equations(equations), Analysis(analysis), Dense(vecfunc) {}

TNewtonLinearisation& TSparseSearchLinearisation::Choose() {
    TNewtonLinearisation* wanted = nullptr;
    if (Equations.DCFactorisation() != nullptr) {
        if (Sparse == nullptr) {
            Sparse = MakeSparseLinearisation(Equations, Analysis);
        }
        wanted = Sparse.get();
    } else if (Equations.DCSparseSolves() == 0) {
        wanted = &Dense;
    }
    if (wanted == nullptr || (FChosen != nullptr && FChosen != wanted)) {
        throw ESparseDoubt();
    }
    FChosen = wanted;
    return *wanted;
}

TNewtonLinearisation& TSparseSearchLinearisation::Chosen() const {
    if (FChosen == nullptr) {
        throw ESparseDoubt();
    }
    return *FChosen;
}

void TSparseSearchLinearisation::Linearise(int n, TDoubleArray& x, const TDoubleArray& fvec) {
    Choose().Linearise(n, x, fvec);
}

void TSparseSearchLinearisation::Gradient(int n, const TDoubleArray& f, TDoubleArray& g) const {
    Chosen().Gradient(n, f, g);
}

void TSparseSearchLinearisation::Solve(int n, TDoubleArray& p) {
    Chosen().Solve(n, p);
}

bool SparseSearchStands(const TCircuitEquations& equations) {
    if (equations.DCHandOvers() == 0) {
        return SparseOutcomeStands(equations.Registry());
    }
    return equations.DCSparseSolves() == 0;
}

} // namespace zaro
