// A circuit of a few hundred devices through all six analysis commands, and
// a long non-linear run stopped by the user in the middle, after which the
// circuit is intact and analyses again to the right values.
//
// The circuit: 10 V DC in series with 1 V AC feeds a bus of Y junctions; every
// junction feeds one branch to ground, in groups of four kinds:
//   A  1 kOhm                     B  1 kOhm, 1 uF
//   C  1 mH, 2 kOhm               E  ammeter, 4.7 kOhm
// and a few branches D of 1 kOhm and a diode, which make the run non-linear.
// The bus is ideal, so every branch of a kind carries the same current and
// each can be worked out on its own. The system is dense, so its size (two
// unknowns per wire) and the number of diodes set the run time.

#include "AnalysisFixture.h"
#include "Diodes.h"
#include "Junctions.h"
#include "Meters.h"
#include "PassiveDevices.h"
#include "Sources.h"

#include <cmath>
#include <complex>
#include <functional>
#include <numbers>

namespace zaro::test {
namespace {

const std::string TextU = "直流解析が中断されました。解析結果には大きな誤差を含んでいる可能性がある"
                          "ことに注意してください。";

constexpr int Groups = 13;
constexpr int DiodeBranches = 2;
constexpr double DCVolts = 10;
constexpr double Frequency = 1000;
constexpr double Omega = 2 * std::numbers::pi * Frequency;
// The diode: 1 nA (exp(K v) - 1) + v / 1 MOhm.
constexpr double DiodeIs = 1e-9;
constexpr double DiodeK = 23.02585092994;

double DiodeCurrent(double v) {
    return DiodeIs * (std::exp(DiodeK * v) - 1) + v / 1e6;
}

// The diode voltage where 1 kOhm from `volts` meets the diode, by bisection.
double DiodeVoltage(double volts) {
    double lo = 0;
    double hi = 1;
    for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2;
        ((volts - mid) / 1000 - DiodeCurrent(mid) > 0 ? lo : hi) = mid;
    }
    return (lo + hi) / 2;
}

std::complex<double> Z(const TComplex& z) {
    return {z.re, z.im};
}

class StressTest : public TAnalysisFixture {
protected:
    StressTest() { BuildCircuit(); }

    struct TBranches {
        std::vector<TResistor*> A, B, D, E;
        std::vector<TCapacitor*> BC;
        std::vector<TInductor*> C;
        std::vector<TDiode*> Diodes;
    };

    void BuildCircuit() {
        auto& gnd = Add<TGnd>();
        auto& vdc = Add<TVDC>("10");
        auto& vac = Add<TVAC>("1");
        Wire(gnd, 0, vdc, 0);
        Wire(vdc, 1, vac, 0);
        TDragPanel* feed = &vac;
        int feedPort = 1;
        auto branch = [&](int kind) {
            auto& y = Add<TYConnection>();
            Wire(*feed, feedPort, y, 0);
            Bus.push_back(&y);
            AddBranch(kind, y);
            feed = &y;
            feedPort = 1;
        };
        for (int g = 0; g < Groups; ++g) {
            for (int kind : {0, 1, 2, 4}) {
                branch(kind);
            }
        }
        for (int d = 0; d < DiodeBranches; ++d) {
            branch(3);
        }
        Wire(*feed, feedPort, Add<TOpen>(), 0);
    }

    // A branch from port 2 of the junction to its own ground.
    void AddBranch(int kind, TYConnection& y) {
        TZaroSimDevice* last = nullptr;
        switch (kind) {
        case 0:
            last = Branch.A.emplace_back(&Add<TResistor>("1k"));
            Wire(y, 2, *last, 0);
            break;
        case 1:
            Branch.B.push_back(&Add<TResistor>("1k"));
            last = Branch.BC.emplace_back(&Add<TCapacitor>("1u"));
            Wire(y, 2, *Branch.B.back(), 0);
            Wire(*Branch.B.back(), 1, *last, 0);
            break;
        case 2:
            Branch.C.push_back(&Add<TInductor>("1m"));
            last = &Add<TResistor>("2k");
            Wire(y, 2, *Branch.C.back(), 0);
            Wire(*Branch.C.back(), 1, *last, 0);
            break;
        case 3:
            Branch.D.push_back(&Add<TResistor>("1k"));
            last = Branch.Diodes.emplace_back(&Add<TDiode>());
            Wire(y, 2, *Branch.D.back(), 0);
            Wire(*Branch.D.back(), 1, *last, 0);
            break;
        default: {
            auto& meter = Add<TAmMeter>();
            last = Branch.E.emplace_back(&Add<TResistor>("4.7k"));
            Wire(y, 2, meter, 0);
            Wire(meter, 1, *last, 0);
            break;
        }
        }
        Wire(*last, 1, Add<TGnd>(), 0);
    }

    // Every port's wire, to see that a command left the circuit as it was.
    std::vector<std::int32_t> Wiring() const {
        std::vector<std::int32_t> wires;
        for (int i = 0; i < Canvas.DragPanelCount(); ++i) {
            const TDragPanel& panel = Canvas.DragPanel(i);
            for (int port = 0; port < panel.PortCount(); ++port) {
                wires.push_back(panel.PortConnectorNo(port));
            }
        }
        return wires;
    }

    // A command that must end with valid results and no message box.
    void RunClean(void (TAnalysisCommands::*command)(), TAnalysisKind kind) {
        Platform.Messages.clear();
        (Commands.*command)();
        ASSERT_TRUE(State.ResultsValid()) << ::testing::PrintToString(Platform.Messages);
        EXPECT_TRUE(Platform.Messages.empty()) << ::testing::PrintToString(Platform.Messages);
        EXPECT_EQ(State.AnalysisKind, kind);
    }

    // The linear branches in DC: every bus junction at 10 V, A 10 mA, B none,
    // C 5 mA, E 10 V over 4.7 kOhm and the ammeter.
    void ExpectLinearBranchesInDC() const {
        for (const TYConnection* y : Bus) {
            EXPECT_NEAR(V(*y, 2).re, DCVolts, 1e-6);
        }
        for (int g = 0; g < Groups; ++g) {
            EXPECT_NEAR(IInto(*Branch.A[g], 0).re, DCVolts / 1000, 1e-9);
            EXPECT_NEAR(IInto(*Branch.B[g], 0).re, 0.0, 1e-9);
            EXPECT_NEAR(IInto(*Branch.C[g], 0).re, DCVolts / 2000, 1e-9);
            EXPECT_NEAR(IInto(*Branch.E[g], 0).re, DCVolts / (4700 + AmMeterResistance), 1e-9);
        }
    }

    // The linear branches in AC at 1 kHz from the 1 V source.
    void ExpectLinearBranchesInAC() const {
        const std::complex<double> j(0, 1);
        const std::complex<double> b = 1.0 / (1000.0 + 1.0 / (j * Omega * 1e-6));
        const std::complex<double> c = 1.0 / (2000.0 + j * Omega * 1e-3);
        for (int g = 0; g < Groups; ++g) {
            EXPECT_NEAR(std::abs(Z(IInto(*Branch.A[g], 0)) - 1e-3), 0.0, 1e-9);
            EXPECT_NEAR(std::abs(Z(IInto(*Branch.B[g], 0)) - b), 0.0, 1e-9);
            EXPECT_NEAR(std::abs(Z(IInto(*Branch.C[g], 0)) - c), 0.0, 1e-9);
        }
    }

    // Every diode at the operating point of 1 kOhm from 10 V.
    void ExpectDiodesAtTheirOperatingPoint() const {
        const double v = DiodeVoltage(DCVolts);
        for (const TDiode* d : Branch.Diodes) {
            EXPECT_NEAR(V(*d, 0).re, v, 2e-5);
            EXPECT_NEAR(IInto(*d, 0).re, (DCVolts - v) / 1000, 1e-7);
        }
    }

    std::vector<TYConnection*> Bus;
    TBranches Branch;
};

TEST_F(StressTest, TheCircuitHasAFewHundredDevicesAllWired) {
    EXPECT_EQ(Canvas.DragPanelCount(), 4 + Groups * 15 + DiodeBranches * 4);
    EXPECT_GT(Canvas.DragPanelCount(), 200);
    for (std::int32_t wire : Wiring()) {
        EXPECT_NE(wire, -1);
    }
}

TEST_F(StressTest, EveryAnalysisModeSucceedsWithTheValuesOfEachBranch) {
    // As after an earlier AC run: linear DC leaves F alone, and the capacitors'
    // formula divides by F.
    Host.VariableLines = {"F=1000"};
    RunClean(&TAnalysisCommands::AtnSimulateDC, TAnalysisKind::akLinearDC);
    ExpectLinearBranchesInDC();

    RunClean(&TAnalysisCommands::AtnSimulateAC, TAnalysisKind::akLinearAC);
    ExpectLinearBranchesInAC();

    RunClean(&TAnalysisCommands::AtnSimulateDCNonLinear, TAnalysisKind::akDC);
    ExpectLinearBranchesInDC();
    ExpectDiodesAtTheirOperatingPoint();

    RunClean(&TAnalysisCommands::AtnSimulateDCAdditional, TAnalysisKind::akDC);
    ExpectLinearBranchesInDC();
    ExpectDiodesAtTheirOperatingPoint();

    RunClean(&TAnalysisCommands::AtnSimulateACNonLinear, TAnalysisKind::akAC);
    ExpectLinearBranchesInAC();
    // In AC each diode is its slope resistance at the operating point.
    const double v = DiodeVoltage(DCVolts);
    const double slope = 1 / (DiodeIs * DiodeK * std::exp(DiodeK * v));
    for (const TDiode* d : Branch.Diodes) {
        EXPECT_NEAR(V(*d, 0).re, slope / (1000 + slope), 1e-5);
    }

    RunClean(&TAnalysisCommands::AtnSimulateACAdditional, TAnalysisKind::akAC);
    ExpectLinearBranchesInAC();
    EXPECT_EQ(Host.VariableLines, std::vector<std::string>{"F=1000"});
}

// The break is pressed halfway through the event checks of a full run: the
// command reports it and hands over the interrupted point; the circuit is
// unchanged, and the next run converges as if nothing had happened.
TEST_F(StressTest, ALongNonLinearRunStoppedHalfwayLeavesTheCircuitUsable) {
    const std::vector<std::int32_t> wiring = Wiring();
    const int before = Platform.ProcessMessagesCount;
    RunClean(&TAnalysisCommands::AtnSimulateDCNonLinear, TAnalysisKind::akDC);
    const int checks = Platform.ProcessMessagesCount - before;
    ASSERT_GT(checks, 20) << "the run is too short to be stopped in the middle";

    Platform.Messages.clear();
    StopAtProcessMessages(checks / 2);
    Commands.AtnSimulateDCNonLinear();
    Platform.OnProcessMessages = nullptr;
    EXPECT_EQ(Platform.Messages, std::vector<std::string>{TextU});
    EXPECT_TRUE(State.ResultsValid());
    EXPECT_FALSE(View.Visible);
    EXPECT_EQ(Wiring(), wiring);

    RunClean(&TAnalysisCommands::AtnSimulateDCNonLinear, TAnalysisKind::akDC);
    ExpectLinearBranchesInDC();
    ExpectDiodesAtTheirOperatingPoint();
    EXPECT_EQ(Wiring(), wiring);
}

} // namespace
} // namespace zaro::test
