// A circuit whose every DC system goes to the dense elimination (a
// capacitor's 1e20 Ohm beside a source's 1e-4 Ohm, or a circuit too small for
// the sparse Jacobian columns to pay) is searched once on the sparse
// setting: the search is the reference one, step for step.

#include "SparseSearchLinearisation.h"
#include "Diodes.h"
#include "Junctions.h"
#include "PassiveDevices.h"
#include "SearchOutcome.h"
#include "Sources.h"
#include "TextbookCircuits.h"

#include <gtest/gtest.h>

namespace zaro::test {
namespace {

// Source, resistor and `load` to ground; where Bypassed, a capacitor
// across the load.
template <typename TLoad, bool Bypassed = true>
std::vector<TZaroSimDevice*> BypassedLoad(TCircuitBench& bench) {
    auto& gnd = bench.Add<TGnd>();
    auto& vdc = bench.Add<TVDC>("5");
    auto& r = bench.Add<TResistor>("1k");
    auto& load = bench.Add<TLoad>();
    auto& gnd2 = bench.Add<TGnd>();
    bench.Wire(gnd, 0, vdc, 0);
    if (!Bypassed) {
        bench.Chain({&vdc, &r, &load, &gnd2});
        return {&vdc, &r, &load};
    }
    auto& y = bench.Add<TYConnection>();
    auto& c = bench.Add<TCapacitor>("10u");
    auto& gnd3 = bench.Add<TGnd>();
    bench.Chain({&vdc, &r, &y, &load, &gnd2});
    bench.Wire(y, 2, c, 0);
    bench.Wire(c, 1, gnd3, 0);
    return {&vdc, &r, &load, &c};
}

struct TSparseRun {
    TSearchOutcome Outcome;
    bool SearchedOnce = false;
    bool SolvedSparse = false;
};

// The sparse search keeps its own DC solver; a search started again on the
// reference path ends with a fresh one that has handed nothing over.
TSparseRun AnalyseSparse(const TCircuitSetup& setup, bool sparseThroughout = true) {
    TSparseRun run;
    const TSparseThroughoutScope scope(sparseThroughout);
    TCircuitBench bench;
    bench.Equations.SetSolverKind(TSolverKind::Sparse);
    setup(bench);
    bench.Commands.AtnSimulateDCNonLinear();
    run.SearchedOnce = bench.Equations.DCHandOvers() > 0 && bench.Equations.DCSparseSolves() == 0 &&
                       SparseSearchStands(bench.Equations);
    run.SolvedSparse = bench.Equations.DCSparseSolves() > 0;
    run.Outcome = AnalyseDC(setup, TSolverKind::Sparse, sparseThroughout);
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

// On the default setting a circuit for which the sparse path does not pay
// from the first analysis on (a diode, an LED, one transistor stage, a
// linear circuit of 40 unknowns, which would need KLU) goes to the dense
// elimination and ends as on the reference, bit for bit; where it pays (two
// stages: four parameters on 28 unknowns; 48 linear unknowns) the circuit is
// solved sparse.
TEST(SparseSearch, SmallCircuitsAreSolvedSparseOnlyWhereThatPays) {
    const TNetlist oneStage = NPNCascade(1);
    const TNetlist twoStages = NPNCascade(2);
    const TNetlist ladder5 = ResistorLadder(5);
    const TNetlist ladder6 = ResistorLadder(6);
    const std::vector<std::tuple<const char*, TCircuitSetup, bool>> circuits = {
        {"diode", BypassedLoad<TDiode, false>, false},
        {"LED", BypassedLoad<TLED, false>, false},
        {"one NPN stage", Drawing(oneStage), false},
        {"two NPN stages", Drawing(twoStages), true},
        {"ladder of 40 unknowns", Drawing(ladder5), false},
        {"ladder of 48 unknowns", Drawing(ladder6), true},
    };
    for (const auto& [name, setup, sparse] : circuits) {
        SCOPED_TRACE(name);
        const TSparseRun run = AnalyseSparse(setup, false);
        EXPECT_EQ(run.SolvedSparse, sparse);
        EXPECT_NE(run.SearchedOnce, sparse);
        if (!sparse) {
            const TSearchOutcome reference = AnalyseDC(setup, TSolverKind::Reference);
            EXPECT_EQ(run.Outcome, reference);
            EXPECT_EQ(run.Outcome.Evaluations, reference.Evaluations);
        }
    }
}

} // namespace
} // namespace zaro::test
