// What a failed analysis says is wrong with the circuit: faulty circuits of
// every kind, in DC and AC, each naming exactly the devices at fault.

#include "AnalysisFixture.h"
#include "Diodes.h"
#include "Junctions.h"
#include "Meters.h"
#include "PassiveDevices.h"
#include "Sources.h"
#include "StructureCheck.h"
#include "Transistors.h"

#include <functional>

namespace zaro::test {
namespace {

using K = TFindingKind;
using TSummary = std::vector<std::pair<TFindingKind, std::vector<int>>>;

TSummary Summary(const TCircuitDiagnosis& diagnosis) {
    TSummary summary;
    for (const TFinding& finding : diagnosis.Findings) {
        std::vector<int> numbers;
        for (const TDiagnosedDevice& device : finding.Devices) {
            numbers.push_back(device.No);
        }
        summary.emplace_back(finding.Kind, numbers);
    }
    return summary;
}

enum class TCommand { LinearDC, LinearAC, DC, AC };

class DiagnosisTest : public TAnalysisFixture {
public:
    using TAnalysisFixture::Add;
    using TAnalysisFixture::Canvas;
    using TAnalysisFixture::Host;
    using TAnalysisFixture::Wire;

    // Two two-ports in a ring, port 1 of each to port 0 of the other, closed
    // through a junction that also holds a ground (the next two devices).
    void GroundedRing(TZaroSimDevice& a, TZaroSimDevice& b) {
        auto& y = Add<TYConnection>();
        Wire(a, 1, b, 0);
        Wire(b, 1, y, 0);
        Wire(y, 1, a, 0);
        Wire(y, 2, Add<TGnd>(), 0);
    }
    // Devices 0 to 3: a 15 V source driving 1k. Sound in DC and AC; faults
    // are added after it.
    void SoundLoop() {
        auto& source = Add<TVDC>();
        GroundedRing(source, Add<TResistor>());
    }
    // Runs the command; an error that leaves it is kept, not raised.
    void Run(TCommand command) {
        try {
            switch (command) {
            case TCommand::LinearDC:
                Commands.AtnSimulateDC();
                break;
            case TCommand::LinearAC:
                Commands.AtnSimulateAC();
                break;
            case TCommand::DC:
                Commands.AtnSimulateDCNonLinear();
                break;
            case TCommand::AC:
                Commands.AtnSimulateACNonLinear();
                break;
            }
        } catch (const std::exception& error) {
            LeftWith = error.what();
        }
    }

    std::string LeftWith;
};

struct TFaultCase {
    const char* Name;
    std::function<void(DiagnosisTest&)> Build;
    TCommand Command;
    TSummary Expected;
};

void FloatingResistorPair(DiagnosisTest& t) {
    t.SoundLoop();
    auto& a = t.Add<TResistor>();
    auto& b = t.Add<TResistor>();
    t.Wire(a, 0, b, 1);
    t.Wire(a, 1, b, 0);
}

// A resistor and a capacitor in a ring through a junction that also feeds a
// potential meter: the junction is not named, the others are.
void FloatingRing(DiagnosisTest& t) {
    t.SoundLoop();
    auto& r = t.Add<TResistor>();
    auto& c = t.Add<TCapacitor>();
    auto& y = t.Add<TYConnection>();
    auto& meter = t.Add<TPotentialMeter>();
    t.Wire(r, 1, y, 0);
    t.Wire(y, 1, c, 0);
    t.Wire(c, 1, r, 0);
    t.Wire(y, 2, meter, 0);
}

// Two two-ports side by side: source 0 and device 1 share both nodes.
template <typename TSource, typename TOther> void Parallel(DiagnosisTest& t) {
    auto& source = t.Add<TSource>();
    auto& other = t.Add<TOther>();
    auto& y = t.Add<TYConnection>();
    auto& gnd = t.Add<TGnd>();
    t.Wire(source, 1, other, 0);
    t.Wire(other, 1, y, 0);
    t.Wire(y, 1, source, 0);
    t.Wire(y, 2, gnd, 0);
}

// Grounds 3 and 4 on one four-way junction.
void TwoGroundsOnOneNode(DiagnosisTest& t) {
    auto& source = t.Add<TVDC>();
    auto& r = t.Add<TResistor>();
    auto& x = t.Add<TXConnection>();
    auto& gnd1 = t.Add<TGnd>();
    auto& gnd2 = t.Add<TGnd>();
    t.Wire(source, 1, r, 0);
    t.Wire(r, 1, x, 0);
    t.Wire(x, 1, source, 0);
    t.Wire(x, 2, gnd1, 0);
    t.Wire(x, 3, gnd2, 0);
}

// Junctions 2 and 3 joined by two wires side by side.
void DoubleWire(DiagnosisTest& t) {
    auto& source = t.Add<TVDC>();
    auto& r = t.Add<TResistor>();
    auto& x = t.Add<TXConnection>();
    auto& y = t.Add<TYConnection>();
    auto& gnd = t.Add<TGnd>();
    t.Wire(source, 1, r, 0);
    t.Wire(r, 1, x, 0);
    t.Wire(x, 1, y, 0);
    t.Wire(x, 2, y, 1);
    t.Wire(y, 2, source, 0);
    t.Wire(x, 3, gnd, 0);
}

// Current source 0 whose "+" ends in an open terminal.
void CurrentIntoOpen(DiagnosisTest& t) {
    auto& source = t.Add<TISRC>();
    auto& open = t.Add<TOpen>();
    auto& gnd = t.Add<TGnd>();
    t.Wire(source, 0, gnd, 0);
    t.Wire(source, 1, open, 0);
}

void CurrentSourcesInSeries(DiagnosisTest& t) {
    auto& first = t.Add<TISRC>();
    t.GroundedRing(first, t.Add<TISRC>("2m"));
}

void ResistorWiredToItself(DiagnosisTest& t) {
    t.SoundLoop();
    auto& r = t.Add<TResistor>();
    t.Wire(r, 0, r, 1);
}

// Transistor 2 biased through its base, its collector in an open terminal.
// In DC the collector is a resistance to the emitter; in AC its current is
// set by the base current and has no way back.
void OpenCollector(DiagnosisTest& t) {
    auto& source = t.Add<TVDC>("1");
    auto& rb = t.Add<TResistor>("100k");
    auto& npn = t.Add<TTrNPN>();
    auto& open = t.Add<TOpen>();
    auto& y = t.Add<TYConnection>();
    auto& gnd = t.Add<TGnd>();
    t.Wire(source, 1, rb, 0);
    t.Wire(rb, 1, npn, 2);
    t.Wire(npn, 1, y, 0);
    t.Wire(y, 1, source, 0);
    t.Wire(y, 2, gnd, 0);
    t.Wire(npn, 0, open, 0);
}

// No ground or level at all, and port 1 of capacitor 2 left unwired.
void NoGround(DiagnosisTest& t) {
    auto& source = t.Add<TVDC>();
    auto& r = t.Add<TResistor>();
    auto& c = t.Add<TCapacitor>();
    t.Wire(source, 1, r, 0);
    t.Wire(r, 1, source, 0);
    t.Wire(c, 0, t.Add<TOpen>(), 0);
}

// Two-ports 0 and 1 side by side on the same two nodes; values set by the case.
template <typename TFirst, typename TSecond>
void SideBySideWith(DiagnosisTest& t, const std::string& first, const std::string& second) {
    auto& a = t.Add<TFirst>(first);
    t.GroundedRing(a, t.Add<TSecond>(second));
}

template <typename TFirst, typename TSecond> void SideBySide(DiagnosisTest& t) {
    SideBySideWith<TFirst, TSecond>(t, "", "");
}

// Lamp 1 rated at 0 W: its resistance cannot be worked out.
void LampWithoutPower(DiagnosisTest& t) {
    SideBySide<TVDC, TLamp>(t);
    static_cast<TLamp&>(t.Canvas.DragPanel(1)).PowerEdit()->SetText("0");
}

// Capacitor 1 in AC at 0 Hz.
void CapacitorAtZeroHertz(DiagnosisTest& t) {
    SideBySide<TVAC, TCapacitor>(t);
    t.Host.Frequency = "0";
}

// Transistor 4 with its base in an open terminal: the base current is exactly
// 0, which its collector model divides by.
void OpenBase(DiagnosisTest& t) {
    auto& source = t.Add<TVDC>("5");
    auto& rc = t.Add<TResistor>();
    auto& y = t.Add<TYConnection>();
    auto& gnd = t.Add<TGnd>();
    auto& npn = t.Add<TTrNPN>();
    auto& open = t.Add<TOpen>();
    t.Wire(source, 1, rc, 0);
    t.Wire(rc, 1, npn, 0);
    t.Wire(npn, 1, y, 0);
    t.Wire(y, 1, source, 0);
    t.Wire(y, 2, gnd, 0);
    t.Wire(npn, 2, open, 0);
}

class FaultyCircuit : public DiagnosisTest, public ::testing::WithParamInterface<TFaultCase> {};

TEST_P(FaultyCircuit, FailsAndNamesTheDevicesAtFault) {
    GetParam().Build(*this);
    Run(GetParam().Command);
    EXPECT_FALSE(State.ResultsValid());
    EXPECT_EQ(Summary(Host.Diagnosis), GetParam().Expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Kinds, FaultyCircuit, ::testing::Values(
    TFaultCase{"FloatingPairDC", FloatingResistorPair, TCommand::LinearDC, {{K::FloatingPart, {4, 5}}}},
    TFaultCase{"FloatingPairAC", FloatingResistorPair, TCommand::AC, {{K::FloatingPart, {4, 5}}}},
    TFaultCase{"FloatingRingDC", FloatingRing, TCommand::DC, {{K::FloatingPart, {4, 5, 7}}}},
    TFaultCase{"InductorAcrossSourceDC", SideBySide<TVDC, TInductor>, TCommand::LinearDC, {{K::VoltageLoop, {0, 1}}}},
    TFaultCase{"InductorAcrossSourceNonLinearDC", SideBySide<TVDC, TInductor>, TCommand::AC, {{K::VoltageLoop, {0, 1}}}},
    TFaultCase{"AmmeterAcrossSourceAC", SideBySide<TVAC, TAmMeter>, TCommand::LinearAC, {{K::VoltageLoop, {0, 1}}}},
    TFaultCase{"TwoGroundsDC", TwoGroundsOnOneNode, TCommand::LinearDC, {{K::VoltageLoop, {3, 4}}}},
    TFaultCase{"TwoGroundsAC", TwoGroundsOnOneNode, TCommand::LinearAC, {{K::VoltageLoop, {3, 4}}}},
    TFaultCase{"DoubleWireDC", DoubleWire, TCommand::LinearDC, {{K::VoltageLoop, {2, 3}}}},
    TFaultCase{"CurrentIntoOpenDC", CurrentIntoOpen, TCommand::LinearDC, {{K::CurrentSourceOpen, {0}}}},
    TFaultCase{"CurrentIntoOpenAC", CurrentIntoOpen, TCommand::LinearAC, {{K::CurrentSourceOpen, {0}}}},
    TFaultCase{"CurrentSourcesInSeriesDC", CurrentSourcesInSeries, TCommand::DC, {{K::CurrentSourceOpen, {0, 1}}}},
    TFaultCase{"OpenCollectorAC", OpenCollector, TCommand::LinearAC, {{K::CurrentSourceOpen, {2}}}},
    TFaultCase{"SelfWiredDC", ResistorWiredToItself, TCommand::LinearDC, {{K::ShortedDevice, {4}}}},
    TFaultCase{"SelfWiredAC", ResistorWiredToItself, TCommand::LinearAC, {{K::ShortedDevice, {4}}}},
    TFaultCase{"NoGroundDC", NoGround, TCommand::LinearDC, {{K::NoReference, {}}, {K::UnwiredPort, {2}}}},
    TFaultCase{"NoGroundAC", NoGround, TCommand::AC, {{K::NoReference, {}}, {K::UnwiredPort, {2}}}},
    TFaultCase{"LampValueDC", LampWithoutPower, TCommand::LinearDC, {{K::ValueFault, {1}}}},
    TFaultCase{"CapacitorValueAC", CapacitorAtZeroHertz, TCommand::LinearAC, {{K::ValueFault, {1}}}},
    TFaultCase{"CapacitorValueAfterOperatingPoint", CapacitorAtZeroHertz, TCommand::AC, {{K::ValueFault, {1}}}},
    TFaultCase{"DiodeBeyondItsLimitDC", [](DiagnosisTest& t) { SideBySideWith<TISRC, TDiode>(t, "1000", ""); },
               TCommand::DC, {{K::LargeResidual, {1}}}},
    TFaultCase{"OpenBaseDC", OpenBase, TCommand::DC, {{K::LargeResidual, {4}}}}),
    [](const auto& info) { return std::string(info.param.Name); });
// clang-format on

// A 15 V source over 1k closed through a four-way junction with the ground
// on port 2 (devices 0 to 3); port 3 is left for device 4, port 0 of which it takes.
void LoopWithSpareJunctionPort(DiagnosisTest& t, TZaroSimDevice& fourth) {
    auto& source = t.Add<TVDC>();
    auto& r = t.Add<TResistor>();
    auto& x = t.Add<TXConnection>();
    auto& gnd = t.Add<TGnd>();
    t.Wire(source, 1, r, 0);
    t.Wire(r, 1, x, 0);
    t.Wire(x, 1, source, 0);
    t.Wire(x, 2, gnd, 0);
    t.Wire(x, 3, fourth, 0);
}

// The capacitor's 1E20 ohms in DC are open in practice: the part behind it
// floats and is named with it. In AC the capacitor joins it.
TEST_F(DiagnosisTest, APartBehindACapacitorFloatsInDC) {
    auto& c = Add<TCapacitor>();
    auto& r = Add<TResistor>();
    Wire(c, 1, r, 0);
    Wire(r, 1, Add<TOpen>(), 0);
    LoopWithSpareJunctionPort(*this, c);
    const TSummary expected{{K::FloatingPart, {0, 1, 2}}};
    EXPECT_EQ(Summary(DiagnoseStructure(Canvas, TAnalysisDomain::DC)), expected);
    Host.VariableLines = {"F=1000"};
    EXPECT_TRUE(DiagnoseStructure(Canvas, TAnalysisDomain::AC).Empty());
}

// Linear DC evaluates every value first but leaves the operating point the
// search is at; the AC check evaluates nothing it would not.
TEST_F(DiagnosisTest, CheckingKeepsTheNonLinearParameters) {
    SideBySide<TVDC, TDiode>(*this);
    auto& diode = static_cast<TDiode&>(Canvas.DragPanel(1));
    diode.EquivR = 123.0;
    DiagnoseStructure(Canvas, TAnalysisDomain::DC);
    EXPECT_EQ(diode.EquivR, 123.0);
}

TEST_F(DiagnosisTest, TheNextCommandStartsWithoutDiagnosis) {
    ResistorWiredToItself(*this);
    Run(TCommand::LinearDC);
    ASSERT_FALSE(Host.Diagnosis.Empty());
    Canvas.DeleteDragPanel(4);
    Run(TCommand::LinearDC);
    EXPECT_TRUE(State.ResultsValid());
    EXPECT_TRUE(Host.Diagnosis.Empty());
}

TEST_F(DiagnosisTest, AUserBreakIsNoFailure) {
    FloatingResistorPair(*this);
    StopAtProcessMessages(1);
    Run(TCommand::LinearDC);
    EXPECT_EQ(LeftWith, MsgUserBreak);
    EXPECT_TRUE(Host.Diagnosis.Empty());
}

// The residual that cannot be worked out comes with the error and the port
// potentials the search left: the collector divides the supply with the
// collector resistance, base and emitter are at 0.
TEST_F(DiagnosisTest, AResidualThatRaisesNamesTheErrorAndThePortVoltages) {
    OpenBase(*this);
    Run(TCommand::DC);
    ASSERT_EQ(Host.Diagnosis.Findings.size(), 1u);
    const TFinding& finding = Host.Diagnosis.Findings[0];
    EXPECT_EQ(finding.Error, "Floating point division by zero");
    ASSERT_EQ(finding.Voltages.size(), 3u);
    EXPECT_EQ(finding.Voltages[0].Port, "C");
    EXPECT_NEAR(finding.Voltages[0].Volts, 5.0 * 100E3 / (100E3 + 1E3), 1E-6);
    EXPECT_EQ(finding.Voltages[2].Port, "B");
    EXPECT_NEAR(finding.Voltages[2].Volts, 0.0, 1E-6);
}

// Linear DC never writes F: the reactances cannot be worked out, and need not be.
TEST_F(DiagnosisTest, LinearDCWithReactancesBeforeFIsWritten) {
    auto& c = Add<TCapacitor>();
    auto& l = Add<TInductor>();
    Wire(c, 1, l, 0);
    Wire(l, 1, Add<TGnd>(), 0);
    LoopWithSpareJunctionPort(*this, c);
    Run(TCommand::LinearDC);
    EXPECT_EQ(LeftWith, "");
    EXPECT_TRUE(State.ResultsValid());
}

} // namespace
} // namespace zaro::test
