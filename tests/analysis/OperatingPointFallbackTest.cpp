// The fallback operating point, alone and behind the DC command, on the
// generated textbook circuits, each judged by the device laws and by the
// independent nodal solution, and the nodal solution and the law check
// themselves on the named examples.

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

// The fallback on its own, and the non-linear DC command with the fallback
// behind its own search: the same circuits must come out right either way.
class SearchTest : public ::testing::TestWithParam<TSearch> {};

// Circuits per family in the gate: 200 circuits in three drawings each, for
// the fallback alone and for the DC command; the survey program runs more
// (docs/ROBUSTNESS.md).
constexpr int GateCircuitsPerFamily = 25;

// The gate: every family, every drawing (devices renumbered, wires turned,
// junction ports swapped), right to 1e-8.
TEST_P(SearchTest, EveryTextbookCircuitIsRightInEveryDrawing) {
    int index = 0;
    int rescued = 0;
    for (const TNetlist& circuit : TTextbookGenerator(18).Batch(GateCircuitsPerFamily)) {
        const TCircuitSurvey survey = SurveyCircuit(GetParam(), circuit, 2, 18 + index++);
        rescued += survey.Natural.Rescued ? 1 : 0;
        EXPECT_EQ(survey.Natural.Outcome, TOutcome::Right) << Describe(circuit, survey.Natural);
        EXPECT_TRUE(survey.Natural.Tight) << Describe(circuit, survey.Natural);
        for (const TSearchRun& redraw : survey.Redraws) {
            EXPECT_TRUE(redraw.Outcome == TOutcome::Right && redraw.Tight)
                << "redrawn " << Describe(circuit, redraw);
        }
        EXPECT_FALSE(survey.DrawingDependent) << circuit.Title;
    }
    // The command's gate reaches the fallback behind its search.
    EXPECT_EQ(rescued > 0, GetParam() == TSearch::DCCommand) << rescued;
}

// In the natural drawing and in redraws, among them those where the
// command's own search used to stall or end beside the point.
TEST_P(SearchTest, NamedExamplesGiveTheirHandCheckedAnswers) {
    for (const TNamedExample& example : NamedExamples()) {
        const TNodalSolution nodal = SolveNodal(example.Circuit);
        ASSERT_TRUE(nodal.Converged) << example.Name;
        const TPartResults reference = NodalPartResults(example.Circuit, nodal);
        for (const TExpectedValue& value : example.Values) {
            EXPECT_NEAR(Reading(example.Circuit, reference, value), value.Expected, value.Tolerance)
                << example.Name << " nodal " << value.Part;
        }
        for (int drawing = 0; drawing <= 12; ++drawing) {
            const std::optional<std::uint64_t> seed =
                drawing == 0 ? std::nullopt : std::optional<std::uint64_t>(drawing);
            const TSearchRun run = RunSearch(GetParam(), example.Circuit, seed);
            ASSERT_TRUE(run.Outcome == TOutcome::Right && run.Tight)
                << "drawing " << drawing << " " << Describe(example.Circuit, run);
            for (const TExpectedValue& value : example.Values) {
                EXPECT_NEAR(Reading(example.Circuit, run.Results, value), value.Expected,
                            value.Tolerance)
                    << example.Name << " drawing " << drawing << " " << value.Part;
            }
        }
    }
}

// 18.5 V, divider 680/18k, RC 15k, RE 15k: the collector law also holds 16 V
// below the emitter, beyond the pole of u / (u / (Beta b) + 0.001), where the
// collector would carry 1.16 mA in; the physical point is saturated, VC just
// above VE = 16.587 V, 0.1276 mA into the collector.
TEST_P(SearchTest, ASaturatedStageTakesThePhysicalPointNotTheOneBeyondThePole) {
    const TNetlist stage =
        TransistorStage(TPartKind::NPN, {18.5, 680, 18000, 15000, 15000, 0, false});
    const TSearchRun run = RunSearch(GetParam(), stage);
    ASSERT_EQ(run.Outcome, TOutcome::Right) << Describe(stage, run);
    const auto& q = run.Results[static_cast<std::size_t>(PartIndex(stage, "Q1"))];
    EXPECT_NEAR(q[1].V, 16.587, 1e-3);
    EXPECT_GT(q[0].V - q[1].V, 0.0);
    EXPECT_LT(q[0].V - q[1].V, 1e-6);
    EXPECT_NEAR(q[0].I, 0.1276e-3, 1e-7);
}

INSTANTIATE_TEST_SUITE_P(Searches, SearchTest,
                         ::testing::Values(TSearch::Fallback, TSearch::DCCommand),
                         [](const auto& info) {
                             return info.param == TSearch::Fallback ? "Fallback" : "DCCommand";
                         });

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
TNetlist FloatingLoop() {
    TNetlist loop;
    const int a = loop.AddNode();
    const int b = loop.AddNode();
    const int c = loop.AddNode();
    loop.Add(TPartKind::Source, "V1", {a, b}, 5);
    loop.Add(TPartKind::Resistor, "R1", {b, c}, 1000);
    loop.Add(TPartKind::Diode, "D1", {c, a});
    return loop;
}

TEST_F(FallbackFixture, AFloatingCircuitIsNoOperatingPoint) {
    DrawCircuit(FloatingLoop(), *this);
    EXPECT_FALSE(Find().Found);
}

// Where the fallback finds nothing either, the command's own failure stands.
TEST_F(FallbackFixture, WhenItFailsTooTheSearchsMessageStands) {
    TNetlist circuit = FloatingLoop();
    const int a = circuit.AddNode();
    circuit.Add(TPartKind::Source, "V2", {a, 0}, 5);
    circuit.Add(TPartKind::Resistor, "R2", {a, 0}, 1000);
    DrawCircuit(circuit, *this);
    Commands.AtnSimulateDCNonLinear();
    EXPECT_EQ(Platform.Messages, std::vector<std::string>{MsgDCFailed});
    EXPECT_FALSE(State.ResultsValid());
}

// Off, the DC command is its search alone, whose residual tolerance of 1e-6 A
// is the size of a microampere circuit's current; on, the point is refined.
TEST_F(FallbackFixture, WithTheChecksOffTheSearchAloneDecides) {
    const TNamedExample& example = NamedExamples().back();
    const TDrawnCircuit drawn = DrawCircuit(example.Circuit, *this);
    const TExpectedValue& value = example.Values.front();
    const auto reading = [&] {
        return Reading(example.Circuit, ReadPartResults(drawn, State), value);
    };
    NonLinear.SetOperatingPointChecks(false);
    Commands.AtnSimulateDCNonLinear();
    EXPECT_NEAR(reading(), 1.2817e-6, 1e-10) << example.Name;
    NonLinear.SetOperatingPointChecks(true);
    Commands.AtnSimulateDCNonLinear();
    EXPECT_NEAR(reading(), value.Expected, value.Tolerance) << example.Name;
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
