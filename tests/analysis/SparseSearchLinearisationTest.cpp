// A circuit whose every DC system goes to the dense elimination (a
// capacitor's 1e20 Ohm beside a source's 1e-4 Ohm) is searched once on the
// sparse setting: the search is the reference one, step for step.

#include "SparseSearchLinearisation.h"
#include "Diodes.h"
#include "Junctions.h"
#include "PassiveDevices.h"
#include "SearchOutcome.h"
#include "Sources.h"

#include <gtest/gtest.h>

namespace zaro::test {
namespace {

// Source, resistor and `load` to ground, a capacitor across the load.
template <typename TLoad> std::vector<TZaroSimDevice*> BypassedLoad(TCircuitBench& bench) {
    auto& gnd = bench.Add<TGnd>();
    auto& vdc = bench.Add<TVDC>("5");
    auto& r = bench.Add<TResistor>("1k");
    auto& y = bench.Add<TYConnection>();
    auto& load = bench.Add<TLoad>();
    auto& c = bench.Add<TCapacitor>("10u");
    auto& gnd2 = bench.Add<TGnd>();
    auto& gnd3 = bench.Add<TGnd>();
    bench.Wire(gnd, 0, vdc, 0);
    bench.Chain({&vdc, &r, &y, &load, &gnd2});
    bench.Wire(y, 2, c, 0);
    bench.Wire(c, 1, gnd3, 0);
    return {&vdc, &r, &load, &c};
}

struct TSparseRun {
    TSearchOutcome Outcome;
    bool SearchedOnce = false;
};

// The sparse search keeps its own DC solver; a search started again on the
// reference path ends with a fresh one that has handed nothing over.
TSparseRun AnalyseSparse(const TCircuitSetup& setup) {
    TSparseRun run;
    TCircuitBench bench;
    bench.Equations.SetSolverKind(TSolverKind::Sparse);
    setup(bench);
    bench.Commands.AtnSimulateDCNonLinear();
    run.SearchedOnce = bench.Equations.DCHandOvers() > 0 && bench.Equations.DCSparseSolves() == 0 &&
                       SparseSearchStands(bench.Equations);
    run.Outcome = AnalyseDC(setup, TSolverKind::Sparse);
    return run;
}

TEST(SparseSearch, EverySystemDenseIsTheReferenceSearchRunOnce) {
    const std::vector<std::pair<const char*, TCircuitSetup>> circuits = {
        {"resistor", BypassedLoad<TResistor>},
        {"diode", BypassedLoad<TDiode>},
        {"LED", BypassedLoad<TLED>},
    };
    for (const auto& [name, setup] : circuits) {
        SCOPED_TRACE(name);
        const TSparseRun sparse = AnalyseSparse(setup);
        const TSearchOutcome reference = AnalyseDC(setup, TSolverKind::Reference);
        EXPECT_TRUE(sparse.SearchedOnce);
        EXPECT_TRUE(reference.Valid);
        EXPECT_EQ(sparse.Outcome, reference);
        EXPECT_EQ(sparse.Outcome.Evaluations, reference.Evaluations);
    }
}

} // namespace
} // namespace zaro::test
