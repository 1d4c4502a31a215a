// The circuit check, the size of the wire-based system, the port signs and
// the hand-over of results, on circuits placed and wired on a canvas.

#include "AnalysisFixture.h"
#include "Junctions.h"
#include "Meters.h"
#include "PassiveDevices.h"
#include "Sources.h"
#include "SparseSystemSolver.h"

namespace zaro::test {
namespace {

const std::string TextA = "回路中に基準電位を決定するデバイスが接続されていません。適当な位置にGND("
                          "接地)やVoltage Level(定電位)デバイスを接続してください。";
const std::string TextB = "回路に接続されていないポートが残っています。もし開放端にするならOpen("
                          "開放端)デバイスを接続してください。";

class CircuitEquationsTest : public TAnalysisFixture {};

TEST_F(CircuitEquationsTest, EmptyCanvasOrNoReferenceFailsWithMessageA) {
    EXPECT_FALSE(Equations.CheckCircuit());
    auto& r = Add<TResistor>();
    auto& open = Add<TOpen>();
    auto& open2 = Add<TOpen>();
    Wire(r, 0, open, 0);
    Wire(r, 1, open2, 0);
    EXPECT_FALSE(Equations.CheckCircuit());
    EXPECT_EQ(Platform.Messages, (std::vector<std::string>{TextA, TextA}));
}

TEST_F(CircuitEquationsTest, GroundOnAHalfWiredResistorFailsWithMessageB) {
    auto& gnd = Add<TGnd>();
    auto& r = Add<TResistor>();
    Wire(gnd, 0, r, 0);
    EXPECT_FALSE(Equations.CheckCircuit());
    EXPECT_EQ(Platform.Messages, std::vector<std::string>{TextB});
}

TEST_F(CircuitEquationsTest, LevelAloneIsAReference) {
    auto& level = Add<TLevel>("5");
    auto& open = Add<TOpen>();
    Wire(level, 0, open, 0);
    EXPECT_TRUE(Equations.CheckCircuit());
    EXPECT_TRUE(Platform.Messages.empty());
}

// A source and a resistor in a loop, a Y junction in one connection and a
// ground on its third port: 4 wires, 2 + 2 + 3 + 1 rows. The dense matrix is
// the reference solver's; the sparse one leaves it empty.
TEST_F(CircuitEquationsTest, LoopWithJunctionHasSystemOfEight) {
    Equations.SetSolverKind(TSolverKind::Reference);
    auto& vdc = Add<TVDC>("15");
    auto& r = Add<TResistor>("1k");
    auto& y = Add<TYConnection>();
    auto& gnd = Add<TGnd>();
    Chain({&vdc, &r, &y, &vdc});
    Wire(y, 2, gnd, 0);
    ASSERT_TRUE(Equations.CheckCircuit());
    Equations.PrepareAnalysis();
    EXPECT_EQ(State.WireCount, 4);
    EXPECT_EQ(State.SystemSize, 8);
    EXPECT_EQ(State.DCMatrix.size(), 64u);
    Equations.SolveDCLinear();
    // 15 V over 1 kOhm; the source's 0.0001 Ohm term moves it by about 1.5 nA.
    EXPECT_NEAR(V(r, 0).re - V(r, 1).re, 15.0, 1e-5);
    EXPECT_NEAR(IInto(r, 0).re, 0.015, 1e-8);
    EXPECT_NEAR(V(y, 0).re, 0.0, 1e-12);
}

TEST_F(CircuitEquationsTest, WireFromXToYGivesXMinusAndYPlus) {
    auto& a = Add<TResistor>();
    auto& b = Add<TResistor>();
    Wire(a, 1, b, 0);
    EXPECT_EQ(a.PortCurrentSign(1), -1);
    EXPECT_EQ(b.PortCurrentSign(0), 1);
    Wire(b, 0, a, 1);
    EXPECT_EQ(a.PortCurrentSign(1), 1);
    EXPECT_EQ(b.PortCurrentSign(0), -1);
    Wire(a, 0, a, 1);
    EXPECT_EQ(a.PortCurrentSign(0), -1);
    EXPECT_EQ(a.PortCurrentSign(1), -1);
}

// The same divider drawn with every wire in one direction, then the other.
class WireDirectionTest : public TAnalysisFixture, public ::testing::WithParamInterface<bool> {
protected:
    void Join(const TDragPanel& a, int pa, const TDragPanel& b, int pb) {
        if (GetParam()) {
            Wire(b, pb, a, pa);
        } else {
            Wire(a, pa, b, pb);
        }
    }
};

TEST_P(WireDirectionTest, DevicesSeeTheSamePotentialsAndCurrents) {
    auto& gnd = Add<TGnd>();
    auto& vdc = Add<TVDC>("10");
    auto& am = Add<TAmMeter>();
    auto& r1 = Add<TResistor>("1k");
    auto& r2 = Add<TResistor>("3k");
    auto& gnd2 = Add<TGnd>();
    Join(gnd, 0, vdc, 0);
    Join(vdc, 1, am, 0);
    Join(am, 1, r1, 0);
    Join(r1, 1, r2, 0);
    Join(r2, 1, gnd2, 0);
    Commands.AtnSimulateDC();
    ASSERT_TRUE(State.ResultsValid());
    // 10 V over 4 kOhm: 2.5 mA; 7.5 V at the middle (series terms below 1 uV).
    EXPECT_NEAR(IInto(r1, 0).re, 0.0025, 1e-9);
    EXPECT_NEAR(IInto(r1, 1).re, -0.0025, 1e-9);
    EXPECT_NEAR(IInto(am, 0).re, 0.0025, 1e-9);
    EXPECT_NEAR(V(r2, 0).re, 7.5, 1e-5);
    EXPECT_EQ(am.ValueEdit()->Text(), "2.5M + j0.00");
    // The stored wire current follows the drawing direction.
    const double stored = WireCurrentAt(State, r1.PortConnectorNo(1)).re;
    EXPECT_NEAR(stored, GetParam() ? -0.0025 : 0.0025, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(BothDirections, WireDirectionTest, ::testing::Bool(),
                         ::testing::PrintToStringParamName());

TEST_F(CircuitEquationsTest, SolveFailureKeepsThePreviousSolution) {
    auto& gnd = Add<TGnd>();
    auto& r = Add<TResistor>("1k");
    auto& gnd2 = Add<TGnd>();
    Wire(gnd, 0, r, 0);
    Wire(r, 1, gnd2, 0);
    Equations.PrepareAnalysis();
    State.WireVoltages = {MakeComplex(1, 2), MakeComplex(3, 4)};
    // A zero resistance between two grounds leaves the wire currents open.
    r.ValueEdit()->SetText("0");
    Equations.PrepareAnalysis();
    EXPECT_THROW(Equations.SolveDCLinear(), EMathError);
    EXPECT_EQ(State.WireVoltages[0], MakeComplex(1, 2));
    EXPECT_EQ(State.WireVoltages[1], MakeComplex(3, 4));
}

TEST_F(CircuitEquationsTest, PreparationKeepsOldWireEntriesAndZeroesNewOnes) {
    auto& gnd = Add<TGnd>();
    auto& open = Add<TOpen>();
    Wire(gnd, 0, open, 0);
    Equations.PrepareAnalysis();
    State.WireVoltages[0] = MakeComplex(7, 0);
    auto& gnd2 = Add<TGnd>();
    auto& open2 = Add<TOpen>();
    Wire(gnd2, 0, open2, 0);
    Equations.PrepareAnalysis();
    ASSERT_EQ(State.WireVoltages.size(), 2u);
    EXPECT_EQ(State.WireVoltages[0], MakeComplex(7, 0));
    EXPECT_EQ(State.WireVoltages[1], MakeComplex(0, 0));
}

TEST_F(CircuitEquationsTest, CheckUserBreakRaisesOnlyAfterStop) {
    Equations.CheckUserBreak();
    EXPECT_EQ(Platform.ProcessMessagesCount, 1);
    Progress.Stop();
    try {
        Equations.CheckUserBreak();
        FAIL() << "no user break";
    } catch (const EUserBreak& e) {
        EXPECT_EQ(e.Message(), "User Break.");
    }
}

TEST_F(CircuitEquationsTest, PanelThatIsNoDeviceIsRefused) {
    auto& gnd = Add<TGnd>();
    auto& open = Add<TOpen>();
    Wire(gnd, 0, open, 0);
    Canvas.AddDragPanel(std::make_unique<TDragPanel>());
    EXPECT_THROW(Equations.PrepareAnalysis(), EZaroError);
}

// A resistor and a capacitor on an AC source, its systems solved by one
// sparse solver at the frequencies given, with a Reset before those marked.
// An AC system spans beyond a double's precision at a frequency near zero.
struct TFrequencyStep {
    double Frequency;
    bool Reset;
};
class SpanningSystemTest : public TAnalysisFixture {
protected:
    void SetUp() override {
        auto& vac = Add<TVAC>("1");
        auto& r = Add<TResistor>("1k");
        auto& c = Add<TCapacitor>("10u");
        auto& gnd = Add<TGnd>();
        auto& y = Add<TYConnection>();
        Chain({&vac, &r, &c, &y, &vac});
        Wire(y, 2, gnd, 0);
        ASSERT_TRUE(Equations.CheckCircuit());
    }
    void Run(std::initializer_list<TFrequencyStep> steps) {
        for (const TFrequencyStep& step : steps) {
            StoreFrequencyVariable(Host.VariableLines, step.Frequency);
            Equations.AssembleAC(System);
            if (step.Reset) {
                Solver.Reset();
            }
            Solver.Solve(System);
        }
    }
    std::vector<TComplex> Matrix;
    std::vector<TComplex> Rhs;
    TSparseSystemSolver<TComplex> Solver{{Matrix, Rhs}};
    TAssembledSystem<TComplex> System;
};

// After a Reset the next frequency's system is the sparse solver's again,
// as in a sweep, whose points would otherwise all go dense after the first
// spanning one.
TEST_F(SpanningSystemTest, ResetLetsTheSparseSolverTakeTheNextSystemAgain) {
    Run({{1e-12, true}, {1e3, true}});
    EXPECT_EQ(Solver.HandedOver(), 0); // counted since the last Reset
    EXPECT_EQ(Solver.SolvedHere(), 1);
}

// Only a preparation whose systems all went dense so far sends the rest
// there: one that mixed both kinds would stand as a search of neither.
TEST_F(SpanningSystemTest, ASpanningSystemAfterASparseOneLeavesTheNextToTheSparseSolver) {
    Run({{1e3, true}, {1e-12, false}, {1e3, false}});
    EXPECT_EQ(Solver.HandedOver(), 1);
    EXPECT_EQ(Solver.SolvedHere(), 2);
}

} // namespace
} // namespace zaro::test
