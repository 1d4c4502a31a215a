#pragma once
// An operating point of a netlist found independently of the program:
// modified nodal analysis (node potentials and the source currents as
// unknowns) on the device laws of LawFormulas, Newton with an analytic
// Jacobian whose steps are cut back where a conducting junction would jump
// by more than a few thermal voltages, and source stepping when that fails.

#include "Netlist.h"

#include <vector>

namespace zaro::test {

struct TNodalSolution {
    bool Converged = false;
    int Iterations = 0;
    std::vector<double> NodeVolts;
    // Per part, the current into each of its ports.
    std::vector<std::vector<double>> PortCurrents;
};

TNodalSolution SolveNodal(const TNetlist& netlist);

} // namespace zaro::test
