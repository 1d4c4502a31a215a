// The fallback operating point on the generated textbook circuits, each
// judged by the device laws and by the independent nodal solution, and the
// nodal solution and the law check themselves on the named examples.

#include "AnalysisFixture.h"
#include "DenseStepSolver.h"
#include "NamedExamples.h"
#include "OperatingPointSurvey.h"
#include "TextbookCircuits.h"

#include <cmath>
#include <map>

namespace zaro::test {
namespace {

std::string Describe(const TNetlist& circuit, const TSearchRun& run) {
    return circuit.Title + ": " + run.Detail;
}

double Reading(const TNetlist& circuit, const TPartResults& results, const TExpectedValue& value) {
    const TPortResult& port = results[static_cast<std::size_t>(PartIndex(circuit, value.Part))]
                                     [static_cast<std::size_t>(value.Port)];
    return value.Current ? port.I : port.V;
}

// The gate of the fallback: every family, every drawing, right to 1e-8.
TEST(OperatingPointFallbackTest, EveryTextbookCircuitIsRightInEveryDrawing) {
    int index = 0;
    for (const TNetlist& circuit : TTextbookGenerator(18).Batch(25)) {
        const TCircuitSurvey survey = SurveyCircuit(TSearch::Fallback, circuit, 2, 18 + index++);
        EXPECT_EQ(survey.Natural.Outcome, TOutcome::Right) << Describe(circuit, survey.Natural);
        EXPECT_TRUE(survey.Natural.Tight) << Describe(circuit, survey.Natural);
        for (const TSearchRun& redraw : survey.Redraws) {
            EXPECT_TRUE(redraw.Outcome == TOutcome::Right && redraw.Tight)
                << "redrawn " << Describe(circuit, redraw);
        }
        EXPECT_FALSE(survey.DrawingDependent) << circuit.Title;
    }
}

TEST(OperatingPointFallbackTest, NamedExamplesGiveTheirHandCheckedAnswers) {
    for (const TNamedExample& example : NamedExamples()) {
        const TNodalSolution nodal = SolveNodal(example.Circuit);
        ASSERT_TRUE(nodal.Converged) << example.Name;
        const TSearchRun fallback = RunSearch(TSearch::Fallback, example.Circuit);
        ASSERT_EQ(fallback.Outcome, TOutcome::Right) << Describe(example.Circuit, fallback);
        for (const TExpectedValue& value : example.Values) {
            const TPartResults reference = NodalPartResults(example.Circuit, nodal);
            EXPECT_NEAR(Reading(example.Circuit, reference, value), value.Expected, value.Tolerance)
                << example.Name << " nodal " << value.Part;
            EXPECT_NEAR(Reading(example.Circuit, fallback.Results, value), value.Expected,
                        value.Tolerance)
                << example.Name << " fallback " << value.Part;
        }
    }
}

// 18.5 V, divider 680/18k, RC 15k, RE 15k: the collector law also holds 16 V
// below the emitter, beyond the pole of u / (u / (Beta b) + 0.001), where the
// collector would carry 1.16 mA in; the physical point is saturated, VC just
// above VE = 16.587 V, 0.1276 mA into the collector.
TEST(OperatingPointFallbackTest, ASaturatedStageTakesThePhysicalPointNotTheOneBeyondThePole) {
    const TNetlist stage =
        TransistorStage(TPartKind::NPN, {18.5, 680, 18000, 15000, 15000, 0, false});
    const TSearchRun run = RunSearch(TSearch::Fallback, stage);
    ASSERT_EQ(run.Outcome, TOutcome::Right) << Describe(stage, run);
    const auto& q = run.Results[static_cast<std::size_t>(PartIndex(stage, "Q1"))];
    EXPECT_NEAR(q[1].V, 16.587, 1e-3);
    EXPECT_GT(q[0].V - q[1].V, 0.0);
    EXPECT_LT(q[0].V - q[1].V, 1e-6);
    EXPECT_NEAR(q[0].I, 0.1276e-3, 1e-7);
}

// Newton runs of six steps: plain Newton settles on few circuits, so gmin
// and source stepping find the rest, and what they find is right.
TEST(OperatingPointFallbackTest, ShortNewtonRunsLeaveTheRestToTheContinuation) {
    std::map<TFallbackStage, int> stages;
    for (const TNetlist& circuit : TTextbookGenerator(4).Batch(10)) {
        const TSearchRun run = RunSearch(TSearch::Fallback, circuit, std::nullopt, 6);
        ++stages[run.Stage];
        if (run.Stage != TFallbackStage::None) {
            EXPECT_TRUE(run.Outcome == TOutcome::Right && run.Tight) << Describe(circuit, run);
        }
    }
    EXPECT_GT(stages[TFallbackStage::GminStepping], 0);
    EXPECT_GT(stages[TFallbackStage::SourceStepping], 0);
    EXPECT_LT(stages[TFallbackStage::None], 8);
}

class FallbackFixture : public TAnalysisFixture {
protected:
    TFallbackResult Find(std::function<void()> checkpoint = {}) {
        Equations.PrepareAnalysis();
        TOperatingPointFallback fallback(Canvas, Solver, std::move(checkpoint));
        return fallback.Find();
    }
    TDenseStepSolver Solver;
};

// A loop of source, resistor and diode with nothing fixing its potential.
TEST_F(FallbackFixture, AFloatingCircuitIsNoOperatingPoint) {
    TNetlist loop;
    const int a = loop.AddNode();
    const int b = loop.AddNode();
    const int c = loop.AddNode();
    loop.Add(TPartKind::Source, "V1", {a, b}, 5);
    loop.Add(TPartKind::Resistor, "R1", {b, c}, 1000);
    loop.Add(TPartKind::Diode, "D1", {c, a});
    DrawCircuit(loop, *this);
    EXPECT_FALSE(Find().Found);
}

TEST_F(FallbackFixture, TheCheckpointPrecedesEverySolveAndItsErrorEndsTheSearch) {
    DrawCircuit(NamedExamples().front().Circuit, *this);
    int calls = 0;
    const TFallbackResult result = Find([&calls] { ++calls; });
    ASSERT_TRUE(result.Found);
    EXPECT_EQ(calls, result.Steps);
    EXPECT_THROW(Find([] { throw EUserBreak(); }), EUserBreak);
}

// A right point with one wire's potential or current moved by a little is
// caught by the device laws of the devices at that wire.
TEST_F(FallbackFixture, TheLawCheckFindsAnyWireMovedOffThePoint) {
    DrawCircuit(TwoStageAmplifier({}), *this);
    const TFallbackResult result = Find();
    ASSERT_TRUE(result.Found);
    const auto load = [this](const std::vector<double>& x) {
        for (int w = 0; w < State.WireCount; ++w) {
            State.WireVoltages[std::size_t(w)] = MakeComplex(x[2 * std::size_t(w)], 0);
            State.WireCurrents[std::size_t(w)] = MakeComplex(x[2 * std::size_t(w) + 1], 0);
        }
    };
    load(result.Solution);
    EXPECT_EQ(DescribeViolations(CheckDeviceLaws(Canvas, State, TightTolerance)), "");
    for (std::size_t k = 0; k < result.Solution.size(); ++k) {
        std::vector<double> moved = result.Solution;
        moved[k] += k % 2 == 0 ? 1e-6 : 1e-8;
        load(moved);
        EXPECT_FALSE(CheckDeviceLaws(Canvas, State, TightTolerance).empty()) << "entry " << k;
    }
}

struct TLimitRow {
    double VNew, VOld;
    double Expected;
    bool Limited;
};

// 1 nA, 23.03/V: thermal voltage 43.4 mV, critical voltage 0.748 V.
TEST(LimitJunctionVoltageTest, RisesAboveTheCriticalVoltageBecomeLogarithmic) {
    const double vt = 1 / 23.02585092994;
    const TLimitRow rows[] = {
        {0.5, 0.0, 0.5, false},                              // below the critical voltage
        {0.80, 0.78, 0.80, false},                           // a rise of less than 2 vt
        {5.0, 0.0, vt * std::log(5.0 / vt), true},           // from off
        {5.0, 0.7, 0.7 + vt * std::log(1 + 4.3 / vt), true}, // from conducting
        {-3.0, 0.7, -3.0, false},                            // falls pass
    };
    for (const TLimitRow& row : rows) {
        bool limited = false;
        EXPECT_NEAR(LimitJunctionVoltage(row.VNew, row.VOld, 1e-9, 23.02585092994, limited),
                    row.Expected, 1e-12)
            << row.VNew << " from " << row.VOld;
        EXPECT_EQ(limited, row.Limited) << row.VNew << " from " << row.VOld;
    }
}

} // namespace
} // namespace zaro::test
