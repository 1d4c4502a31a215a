#pragma once
// The step equations solved densely: Crout's LU decomposition with implicit
// partial pivoting and one step of iterative refinement. The circuit's own DC
// solver takes any pivot larger than
// the diagonal, which leaves errors of about 1e-9 in transistor circuits,
// too much for Newton to settle on laws that hold to 1e-9.

#include "StepSolver.h"

namespace zaro {

class TDenseStepSolver : public TStepSolver {
public:
    void Solve(const TStepSystem& system, std::vector<double>& x) override;

private:
    void Refine(const TStepSystem& system, std::vector<double>& x) const;

    std::vector<double> FMatrix; // kept between steps: no allocation per step
    std::vector<int> FPivots;
};

} // namespace zaro
