#pragma once
// What the DC command leaves of a circuit: its messages, whether the results
// stand, the potential and current at every port, and the evaluation count.

#include "CircuitBench.h"
#include "CircuitDrawing.h"
#include "SparsePathChoice.h"

#include <functional>
#include <string>
#include <vector>

namespace zaro::test {

struct TSearchOutcome {
    std::vector<std::string> Messages;
    bool Valid = false;
    bool operator==(const TSearchOutcome&) const = default;
    std::vector<double> Values; // potential and current at every port
    int Evaluations = 0;
};

// Puts a circuit on the bench; returns the devices whose ports are read.
using TCircuitSetup = std::function<std::vector<TZaroSimDevice*>(TCircuitBench&)>;

inline TCircuitSetup Drawing(const TNetlist& circuit) {
    return [&circuit](TCircuitBench& bench) { return DrawCircuit(circuit, bench).Parts; };
}

// The sparse solver solves even the smallest systems itself unless told
// otherwise: the tests here are about its own path.
inline TSearchOutcome AnalyseDC(const TCircuitSetup& setup,
                                TSolverKind solver = TSolverKind::Sparse,
                                bool sparseThroughout = true) {
    const TSparseThroughoutScope scope(sparseThroughout);
    TCircuitBench bench;
    bench.Equations.SetSolverKind(solver);
    const std::vector<TZaroSimDevice*> parts = setup(bench);
    TSearchOutcome outcome;
    try {
        bench.Commands.AtnSimulateDCNonLinear();
    } catch (const std::exception& e) {
        outcome.Messages.push_back(e.what()); // shown by the document as it comes
    }
    outcome.Messages.insert(outcome.Messages.begin(), bench.Platform.Messages.begin(),
                            bench.Platform.Messages.end());
    outcome.Valid = bench.State.ResultsValid();
    outcome.Evaluations = bench.Registry.IterationCount();
    for (const TZaroSimDevice* part : parts) {
        for (int port = 0; port < part->PortCount(); ++port) {
            outcome.Values.push_back(bench.V(*part, port).re);
            outcome.Values.push_back(bench.IInto(*part, port).re);
        }
    }
    return outcome;
}

} // namespace zaro::test
