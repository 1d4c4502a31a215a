// The Jacobian columns on two threads against one: the same messages,
// results to the last bit and evaluation counts on every circuit, also where
// a column raises part of the way through.

#include "Diodes.h"
#include "PassiveDevices.h"
#include "SearchOutcome.h"
#include "Sources.h"
#include "SparseLinearisation.h"
#include "TextbookCircuits.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zaro::test {
namespace {

constexpr int OneThread = 0;
constexpr int TwoThreads = 2; // any circuit with three non-linear devices or more

TOutcome Analyse(const TCircuitSetup& setup, int threshold) {
    const TParallelColumnsScope scope(threshold);
    return AnalyseDC(setup);
}

// A diode whose law cannot be evaluated at a parameter other than a whole
// number of ohms: each column of its own parameter raises, the others do not.
class TBrittleDiode : public TDiode {
public:
    using TDiode::TDiode;
    double NonLinearResidualsAt(const TPortRealArray& potentials, const TPortRealArray& currents,
                                const double* params, double* residuals) const override {
        if (params[0] != std::round(params[0])) {
            throw EMathError(EMathError::TKind::Overflow, "Brittle diode.");
        }
        return TDiode::NonLinearResidualsAt(potentials, currents, params, residuals);
    }
};

// Source, resistor, the brittle diode first among the non-linear devices,
// then diodes to ground.
std::vector<TZaroSimDevice*> BrittleChain(TCircuitBench& bench) {
    auto& gnd = bench.Add<TGnd>();
    auto& vdc = bench.Add<TVDC>("5");
    auto& r = bench.Add<TResistor>("1k");
    auto& brittle = bench.Add<TBrittleDiode>();
    auto& d1 = bench.Add<TDiode>();
    auto& d2 = bench.Add<TDiode>();
    auto& d3 = bench.Add<TDiode>();
    auto& gnd2 = bench.Add<TGnd>();
    bench.Wire(gnd, 0, vdc, 0);
    bench.Chain({&vdc, &r, &brittle, &d1, &d2, &d3, &gnd2});
    return {&brittle, &d1, &d2, &d3};
}

TEST(ParallelColumns, GiveTheSameSearchBitForBit) {
    std::vector<TNetlist> circuits = {NPNCascade(12)};
    TTextbookGenerator generator(23);
    for (int round = 0; round < 3; ++round) {
        for (const TFamily family : AllFamilies) {
            circuits.push_back(generator.Next(family));
        }
    }
    for (const TNetlist& circuit : circuits) {
        SCOPED_TRACE(circuit.Title);
        const TOutcome serial = Analyse(Drawing(circuit), OneThread);
        const TOutcome parallel = Analyse(Drawing(circuit), TwoThreads);
        EXPECT_EQ(parallel, serial);
        EXPECT_EQ(parallel.Evaluations, serial.Evaluations);
    }
}

TEST(ParallelColumns, AColumnThatRaisesEndsTheSearchAsOnOneThread) {
    const TOutcome serial = Analyse(BrittleChain, OneThread);
    const TOutcome parallel = Analyse(BrittleChain, TwoThreads);
    ASSERT_FALSE(serial.Messages.empty());
    EXPECT_EQ(parallel, serial);
    EXPECT_EQ(parallel.Evaluations, serial.Evaluations);
}

} // namespace
} // namespace zaro::test
