// The sparse step solver against the dense one: the fallback search takes
// the same steps to the same point on the textbook circuits, and a singular
// or re-patterned system ends as it does with the dense solver.

#include "SparseStepSolver.h"
#include "CircuitBench.h"
#include "CircuitDrawing.h"
#include "DenseStepSolver.h"
#include "NamedExamples.h"
#include "OperatingPointFallback.h"
#include "TextbookCircuits.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zaro::test {
namespace {

void ExpectSameSearch(const TFallbackResult& dense, const TFallbackResult& sparse,
                      const std::string& title) {
    ASSERT_EQ(sparse.Found, dense.Found) << title;
    EXPECT_EQ(sparse.Stage, dense.Stage) << title;
    EXPECT_EQ(sparse.Steps, dense.Steps) << title;
    ASSERT_EQ(sparse.Solution.size(), dense.Solution.size()) << title;
    double largest = 0;
    for (const double value : dense.Solution) {
        largest = std::max(largest, std::fabs(value));
    }
    for (std::size_t k = 0; k < dense.Solution.size(); ++k) {
        EXPECT_NEAR(sparse.Solution[k], dense.Solution[k], 1e-9 * largest) << title << " at " << k;
    }
}

TFallbackResult FindOnFreshDrawing(const TNetlist& circuit, TStepSolver& solver) {
    TCircuitBench bench;
    DrawCircuit(circuit, bench);
    bench.Equations.PrepareAnalysis();
    return TOperatingPointFallback(bench.Canvas, solver).Find();
}

TEST(SparseStepSolverCircuits, TheFallbackTakesTheSameStepsToTheSamePoint) {
    std::vector<TNetlist> circuits = TTextbookGenerator(7).Batch(4);
    for (const TNamedExample& example : NamedExamples()) {
        circuits.push_back(example.Circuit);
    }
    std::size_t found = 0;
    for (const TNetlist& circuit : circuits) {
        TDenseStepSolver dense;
        const TFallbackResult denseResult = FindOnFreshDrawing(circuit, dense);
        TSparseStepSolver sparse(0);
        const TFallbackResult sparseResult = FindOnFreshDrawing(circuit, sparse);
        ExpectSameSearch(denseResult, sparseResult, circuit.Title);
        found += sparseResult.Found && sparse.HandOvers() == 0 ? 1 : 0;
        // Up to the default order limit the dense solver's own steps.
        TSparseStepSolver small;
        const TFallbackResult smallResult = FindOnFreshDrawing(circuit, small);
        if (static_cast<int>(smallResult.Solution.size()) <= TSparseStepSolver::DenseOrderLimit) {
            EXPECT_EQ(smallResult.Solution, denseResult.Solution) << circuit.Title;
        }
    }
    EXPECT_EQ(found, circuits.size()) << "circuits solved sparse throughout";
}

TStepSystem System(int size, std::vector<TStepEntry> entries, std::vector<double> rhs) {
    TStepSystem system;
    system.Clear(size);
    system.Entries = std::move(entries);
    system.Rhs = std::move(rhs);
    return system;
}

// Systems in a row that change their pattern, repeat entries at one position
// and end with a singular one: each gives the dense solver's answer.
TEST(SparseStepSolverSystems, EachSystemOfASequenceEndsAsTheDenseSolverEndsIt) {
    const std::vector<TStepSystem> systems = {
        System(3, {{0, 0, 4}, {0, 1, 1}, {1, 1, 3}, {2, 2, 2}, {2, 0, 1}}, {1, 2, 3}),
        System(3, {{0, 0, 4}, {0, 1, 1}, {1, 1, 3}, {2, 2, 2}, {2, 0, 1}}, {-1, 0, 5}),
        System(3, {{0, 0, 1}, {0, 0, 1}, {1, 2, 1}, {2, 1, 1}, {1, 1, 1e-3}}, {2, 1, 1}),
        System(2, {{0, 0, 1}, {0, 1, 2}, {1, 0, 2}, {1, 1, 4}}, {1, 2}),
        System(2, {{0, 0, 1}, {1, 0, 1}}, {1, 1}),
    };
    TSparseStepSolver sparse(0);
    TDenseStepSolver dense;
    for (std::size_t s = 0; s < systems.size(); ++s) {
        std::vector<double> expected;
        std::vector<double> x;
        bool denseFailed = false;
        try {
            dense.Solve(systems[s], expected);
        } catch (const EMathError&) {
            denseFailed = true;
        }
        if (denseFailed) {
            EXPECT_THROW(sparse.Solve(systems[s], x), EMathError) << "system " << s;
            continue;
        }
        sparse.Solve(systems[s], x);
        ASSERT_EQ(x.size(), expected.size());
        for (std::size_t k = 0; k < x.size(); ++k) {
            EXPECT_NEAR(x[k], expected[k], 1e-12) << "system " << s << " entry " << k;
        }
    }
    EXPECT_EQ(sparse.HandOvers(), 2);
}

TEST(SparseStepSolverSystems, AnEntryOutsideTheSystemIsARangeError) {
    TSparseStepSolver sparse(0);
    std::vector<double> x;
    EXPECT_THROW(sparse.Solve(System(2, {{0, 0, 1}, {1, 2, 1}}, {1, 1}), x), ERangeError);
}

} // namespace
} // namespace zaro::test
