// The operating point of K cascaded NPN stages with the Jacobian columns
// computed on one thread and on two, wall time (the second thread's work is
// not the caller's CPU time).

#include "CircuitBench.h"
#include "CircuitDrawing.h"
#include "SparseLinearisation.h"
#include "TextbookCircuits.h"
#include "ZaroMathImport.h"

#include <benchmark/benchmark.h>

namespace {

using namespace zaro;

// range(0) the stages, range(1) the threads.
void BM_CascadeColumns(benchmark::State& state) {
    LoadZaroMath();
    const TParallelColumnsScope scope(state.range(1) == 2 ? 2 : 0);
    test::TCircuitBench bench;
    const test::TNetlist cascade = test::NPNCascade(static_cast<int>(state.range(0)));
    test::DrawCircuit(cascade, bench);
    for (auto _ : state) {
        bench.Commands.AtnSimulateDCNonLinear();
        if (!bench.State.ResultsValid()) {
            state.SkipWithError("no operating point");
            return;
        }
    }
    state.counters["evaluations"] = bench.Registry.IterationCount();
}

BENCHMARK(BM_CascadeColumns)
    ->ArgsProduct({{10, 20, 30, 45, 60}, {1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
