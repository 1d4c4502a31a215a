// The non-linear commands end to end on circuits placed and wired on the
// canvas. Expected operating points are worked out in the test from the
// device characteristics by bisection, independently of the Newton search.

#include "AnalysisFixture.h"
#include "CircuitDevice.h"
#include "Diodes.h"
#include "Junctions.h"
#include "Meters.h"
#include "PassiveDevices.h"
#include "Sources.h"
#include "Transistors.h"

#include <cmath>
#include <functional>

namespace zaro::test {
namespace {

const std::string TextD = "直流解析を失敗しました。回路中に浮いた状態になっている部分(GNDやVoltage "
                          "Levelに全く接続されていない部分)"
                          "が無いか、あるいは、回路が一意的に状態が決まるものになっているか"
                          "を確認してください。";
const std::string TextC = "交流解析を失敗しました。回路中に浮いた状態になっている部分(GNDやVoltage "
                          "Levelに全く接続されていない部分)"
                          "が無いか、あるいは、回路が一意的に状態が決まるものになっているか"
                          "を確認してください。";
const std::string TextU = "直流解析が中断されました。解析結果には大きな誤差を含んでいる可能性がある"
                          "ことに注意してください。";

constexpr double K = 23.02585092994;

// The root of a function that changes sign once on [lo, hi].
double Bisect(const std::function<double(double)>& f, double lo, double hi) {
    const bool rising = f(hi) > f(lo);
    for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2;
        ((f(mid) > 0) == rising ? hi : lo) = mid;
    }
    return (lo + hi) / 2;
}

// Diode-like junction current Is (exp(k v) - 1) + v / 1 MOhm.
double Junction(double is, double k, double v) {
    return is * (std::exp(k * v) - 1) + v / 1e6;
}

class NonLinearAnalysisTest : public TAnalysisFixture {
protected:
    // Source -> series resistor -> the two-port device -> ground.
    template <typename T>
    T& SeriesCircuit(const std::string& source, const std::string& resistor,
                     const std::string& deviceText = "") {
        auto& gnd = Add<TGnd>();
        auto& vdc = Add<TVDC>(source);
        auto& r = Add<TResistor>(resistor);
        auto& device = Add<T>(deviceText);
        auto& gnd2 = Add<TGnd>();
        Wire(gnd, 0, vdc, 0);
        Chain({&vdc, &r, &device, &gnd2});
        return device;
    }
    // Common-emitter stage: base through rb, collector through rc from vcc.
    TTrNPN& NpnStage(const std::string& vcc, const std::string& rb, const std::string& rc) {
        auto& gnd = Add<TGnd>();
        auto& vdc = Add<TVDC>(vcc);
        auto& y = Add<TYConnection>();
        auto& base = Add<TResistor>(rb);
        auto& collector = Add<TResistor>(rc);
        auto& q = Add<TTrNPN>();
        auto& gnd2 = Add<TGnd>();
        Wire(gnd, 0, vdc, 0);
        Wire(vdc, 1, y, 0);
        Wire(y, 1, base, 0);
        Wire(y, 2, collector, 0);
        Wire(base, 1, q, 2);
        Wire(collector, 1, q, 0);
        Wire(q, 1, gnd2, 0);
        return q;
    }
    std::vector<std::string> StatusTexts() const {
        std::vector<std::string> texts;
        const std::string prefix = "SetText LblStatus ";
        for (const auto& call : View.Calls) {
            if (call.rfind(prefix, 0) == 0) {
                texts.push_back(call.substr(prefix.size()));
            }
        }
        return texts;
    }
    bool SourceSteppingTaken() const {
        for (const auto& text : StatusTexts()) {
            if (text.rfind("初期動作点探索(", 0) == 0) {
                return true;
            }
        }
        return false;
    }
};

// (5 - v) / 1k = 1 nA (exp(23.03 v) - 1) + v / 1 MOhm: v = 0.6637 V, i = 4.336 mA.
TEST_F(NonLinearAnalysisTest, DiodeWithOneKilohmFromFiveVolts) {
    auto& d = SeriesCircuit<TDiode>("5", "1k");
    Host.DebugLogLines = {"old"};
    Commands.AtnSimulateDCNonLinear();
    ASSERT_TRUE(State.ResultsValid());
    EXPECT_EQ(State.AnalysisKind, TAnalysisKind::akDC);
    const double v = Bisect([](double x) { return (5 - x) / 1000 - Junction(1e-9, K, x); }, 0, 1);
    EXPECT_NEAR(v, 0.664, 5e-4);
    EXPECT_NEAR(V(d, 0).re, v, 2e-5);
    EXPECT_NEAR(IInto(d, 0).re, (5 - v) / 1000, 1e-7);
    EXPECT_NEAR(IInto(d, 0).re, 0.00434, 5e-6);
    EXPECT_NEAR(d.EquivR, v / ((5 - v) / 1000), 0.01);
    EXPECT_FALSE(SourceSteppingTaken());
    EXPECT_TRUE(Host.DebugLogLines.empty());
    EXPECT_EQ(Progress.DCBiasState(), TCheckBoxState::cbChecked);
    EXPECT_EQ(Progress.LinearState(), TCheckBoxState::cbChecked);
}

// LED: 2.15 nA (exp(7.675 v) - 1). Through 330 Ohm about 9 mA (image 26),
// through 3.3 kOhm about 1 mA (image 25).
TEST_F(NonLinearAnalysisTest, LedShowsTheBrightnessOfItsCurrent) {
    const double is = 2.15443469003247e-9;
    const double k = 7.67528364331333;
    auto& bright = SeriesCircuit<TLED>("5", "330");
    auto& gnd = Add<TGnd>();
    auto& vdc = Add<TVDC>("5");
    auto& r = Add<TResistor>("3.3k");
    auto& dim = Add<TLED>();
    auto& gnd2 = Add<TGnd>();
    Wire(gnd, 0, vdc, 0);
    Chain({&vdc, &r, &dim, &gnd2});
    Commands.AtnSimulateDCNonLinear();
    ASSERT_TRUE(State.ResultsValid());
    const double v1 = Bisect([&](double x) { return (5 - x) / 330 - Junction(is, k, x); }, 0, 5);
    const double v2 = Bisect([&](double x) { return (5 - x) / 3300 - Junction(is, k, x); }, 0, 5);
    EXPECT_NEAR(IInto(bright, 0).re, (5 - v1) / 330, 1e-7);
    EXPECT_NEAR(IInto(dim, 0).re, (5 - v2) / 3300, 1e-7);
    EXPECT_EQ(bright.ImageIndex(), 26);
    EXPECT_EQ(dim.ImageIndex(), 25);
}

// 9 V through 1 kOhm onto a 5 V Zener (cathode on port 0): the breakdown
// branch 1E-52 (exp(23.03 v) - 1) carries (9 - v) / 1k.
TEST_F(NonLinearAnalysisTest, ZenerRegulatorHoldsNearItsVoltage) {
    auto& z = SeriesCircuit<TZenarDiode>("9", "1k", "5");
    Commands.AtnSimulateDCNonLinear();
    ASSERT_TRUE(State.ResultsValid()) << ::testing::PrintToString(Platform.Messages);
    const double isz = 0.01 / (std::exp(K * 5) - 1);
    const double v = Bisect([&](double x) { return (9 - x) / 1000 - Junction(isz, K, x); }, 0, 9);
    EXPECT_NEAR(v, 4.9606, 1e-3);
    EXPECT_NEAR(V(z, 0).re - V(z, 1).re, v, 1e-5);
    EXPECT_NEAR(IInto(z, 0).re, (9 - v) / 1000, 1e-7);
}

// 10 V, 1 MOhm to the base, 1 kOhm to the collector, beta 300:
// (10 - vbe) / 1M = 1 nA (exp(23.03 vbe) - 1) + vbe / 1M, then
// (10 - vce) / 1k = vce / (vce / (300 ib) + 0.001).
TEST_F(NonLinearAnalysisTest, NpnStageSitsInItsActiveRegion) {
    auto& q = NpnStage("10", "1MG", "1k");
    Commands.AtnSimulateDCNonLinear();
    ASSERT_TRUE(State.ResultsValid());
    const double vbe = Bisect([](double x) { return (10 - x) / 1e6 - Junction(1e-9, K, x); }, 0, 1);
    const double ib = (10 - vbe) / 1e6;
    const double vce =
        Bisect([&](double u) { return (10 - u) / 1000 - u / (u / (300 * ib) + 0.001); }, 0, 10);
    const double ic = (10 - vce) / 1000;
    EXPECT_NEAR(V(q, 2).re, vbe, 1e-4);
    EXPECT_NEAR(IInto(q, 2).re, ib, 1e-9);
    EXPECT_NEAR(V(q, 0).re, vce, 1e-3);
    EXPECT_NEAR(IInto(q, 0).re, ic, 1e-6);
    EXPECT_NEAR(IInto(q, 1).re, -(ib + ic), 1e-6);
    EXPECT_NEAR(ic / ib, 300, 1);
}

// The mirror image with a PNP (ports E, C, B): 10 V on the emitter, 1 MOhm
// from the base and 1 kOhm from the collector to ground. The model ties the
// emitter current to Beta: ie = vec / (vec / (300 ib) + 0.001), ie = ic + ib.
TEST_F(NonLinearAnalysisTest, PnpStageSitsInItsActiveRegion) {
    auto& gnd = Add<TGnd>();
    auto& vdc = Add<TVDC>("10");
    auto& q = Add<TTrPNP>();
    auto& base = Add<TResistor>("1MG");
    auto& collector = Add<TResistor>("1k");
    auto& gnd2 = Add<TGnd>();
    auto& gnd3 = Add<TGnd>();
    Wire(gnd, 0, vdc, 0);
    Chain({&vdc, &q, &collector, &gnd3}); // emitter is port 0, collector port 1
    Wire(q, 2, base, 0);
    Wire(base, 1, gnd2, 0);
    Commands.AtnSimulateDCNonLinear();
    ASSERT_TRUE(State.ResultsValid()) << ::testing::PrintToString(Platform.Messages);
    const double veb = Bisect([](double x) { return (10 - x) / 1e6 - Junction(1e-9, K, x); }, 0, 1);
    const double ib = (10 - veb) / 1e6;
    const double vec = Bisect(
        [&](double u) { return (10 - u) / 1000 + ib - u / (u / (300 * ib) + 0.001); }, 0, 10);
    const double ic = (10 - vec) / 1000;
    // The search stops once the residual currents are below its tolerance.
    EXPECT_NEAR(V(q, 2).re, 10 - veb, 5e-3);
    EXPECT_NEAR(IInto(q, 2).re, -ib, 5e-9);
    EXPECT_NEAR(V(q, 1).re, 10 - vec, 5e-2);
    EXPECT_NEAR(IInto(q, 1).re, -ic, 5e-5);
    EXPECT_NEAR(IInto(q, 0).re, ic + ib, 5e-5);
    EXPECT_NEAR(ic / ib, 300, 10);
}

// 5 V DC plus 1 V AC through 1 kOhm into a diode: in AC the diode is its
// slope resistance 1 / (1 nA 23.03 exp(23.03 v)) at the operating point.
TEST_F(NonLinearAnalysisTest, DiodeInACIsItsSlopeResistance) {
    auto& gnd = Add<TGnd>();
    auto& vdc = Add<TVDC>("5");
    auto& vac = Add<TVAC>("1");
    auto& r = Add<TResistor>("1k");
    auto& d = Add<TDiode>();
    auto& gnd2 = Add<TGnd>();
    Wire(gnd, 0, vdc, 0);
    Chain({&vdc, &vac, &r, &d, &gnd2});
    Commands.AtnSimulateACNonLinear();
    ASSERT_TRUE(State.ResultsValid());
    EXPECT_EQ(State.AnalysisKind, TAnalysisKind::akAC);
    const double v = Bisect([](double x) { return (5 - x) / 1000 - Junction(1e-9, K, x); }, 0, 1);
    const double slope = 1 / (1e-9 * K * std::exp(K * v));
    EXPECT_NEAR(slope, 10.0, 0.1);
    EXPECT_NEAR(V(d, 0).re, slope / (1000 + slope), 1e-6);
    EXPECT_NEAR(V(d, 0).im, 0.0, 1e-12);
}

// No non-linear device: n = 0, one evaluation, the linear result.
TEST_F(NonLinearAnalysisTest, CircuitWithoutNonLinearDevicesGivesTheLinearResult) {
    auto& gnd = Add<TGnd>();
    auto& vdc = Add<TVDC>("10");
    auto& r1 = Add<TResistor>("1k");
    auto& r2 = Add<TResistor>("1k");
    auto& gnd2 = Add<TGnd>();
    Wire(gnd, 0, vdc, 0);
    Chain({&vdc, &r1, &r2, &gnd2});
    Commands.AtnSimulateDCNonLinear();
    ASSERT_TRUE(State.ResultsValid());
    EXPECT_EQ(Registry.NonLinearParamTotal(), 0);
    EXPECT_EQ(Registry.IterationCount(), 1);
    EXPECT_FALSE(SourceSteppingTaken());
    EXPECT_NEAR(V(r2, 0).re, 5.0, 1e-6);
    Commands.AtnSimulateACNonLinear();
    ASSERT_TRUE(State.ResultsValid());
    // In AC the DC source is a short: nothing drives the circuit.
    EXPECT_NEAR(V(r2, 0).re, 0.0, 1e-12);
}

// A diode reverse biased from -20 V: Newton from the start values fails at
// the full source, so the sources are stepped up. The result is the leakage:
// (-20 - v) / 1k = -1 nA + v / 1 MOhm.
TEST_F(NonLinearAnalysisTest, SourceSteppingReachesTheFullSource) {
    auto& d = SeriesCircuit<TDiode>("-20", "1k");
    Commands.AtnSimulateDCNonLinear();
    ASSERT_TRUE(State.ResultsValid());
    ASSERT_TRUE(SourceSteppingTaken());
    const std::vector<std::string> texts = StatusTexts();
    EXPECT_EQ(texts.back(), "動作点回復中　(1.00000)");
    const double v = (-0.02 + 1e-9) / (1.0 / 1000 + 1.0 / 1e6);
    EXPECT_NEAR(V(d, 0).re, v, 1e-4);
    EXPECT_NEAR(IInto(d, 0).re, (-20 - v) / 1000, 1e-7);
}

// -10 uA forced backwards through a diode and 100 Ohm to ground: only the
// leakage carries it, -1 nA + v / 1 MOhm, at about -10 V. Newton fails at the
// full current, so the current source is what the search steps up.
TEST_F(NonLinearAnalysisTest, SourceSteppingStepsACurrentSource) {
    auto& gnd = Add<TGnd>();
    auto& source = Add<TISRC>("-10u");
    auto& d = Add<TDiode>();
    auto& r = Add<TResistor>("100");
    auto& gnd2 = Add<TGnd>();
    Wire(gnd, 0, source, 0);
    Chain({&source, &d, &r, &gnd2});
    Commands.AtnSimulateDCNonLinear();
    ASSERT_TRUE(State.ResultsValid()) << ::testing::PrintToString(Platform.Messages);
    // A tenth of the current already has an operating point; unstepped it would not.
    const std::vector<std::string> texts = StatusTexts();
    const auto first = std::find(texts.begin(), texts.end(), "初期動作点探索(0.10000)");
    ASSERT_NE(first, texts.end());
    EXPECT_EQ(*(first + 1), "動作点回復中　(0.20000)");
    EXPECT_EQ(texts.back(), "動作点回復中　(1.00000)");
    const double v = Bisect([](double x) { return Junction(1e-9, K, x) + 10e-6; }, -20, 0);
    EXPECT_NEAR(V(d, 0).re - V(d, 1).re, v, 5e-3); // within the search's tolerance
    EXPECT_NEAR(IInto(d, 0).re, -10e-6, 1e-10);
    EXPECT_NEAR(source.Value().re, -10e-6, 1e-18) << "stepped back to its full value";
}

// Phase 1 succeeds at 0.1 and every step after it: 0.2, 0.3, ..., the sum
// 0.9999999999999999 and the clamped 1.0, ten solves in all.
TEST_F(NonLinearAnalysisTest, RecoveryStepsOfATenthEndExactlyAtOne) {
    SeriesCircuit<TDiode>("-1", "1");
    Commands.AtnSimulateDCNonLinear();
    ASSERT_TRUE(State.ResultsValid());
    std::vector<std::string> texts = StatusTexts();
    const auto first = std::find(texts.begin(), texts.end(), "初期動作点探索(0.10000)");
    ASSERT_NE(first, texts.end());
    EXPECT_EQ(std::vector<std::string>(first + 1, texts.end()),
              (std::vector<std::string>{"動作点回復中　(0.20000)", "動作点回復中　(0.30000)",
                                        "動作点回復中　(0.40000)", "動作点回復中　(0.50000)",
                                        "動作点回復中　(0.60000)", "動作点回復中　(0.70000)",
                                        "動作点回復中　(0.80000)", "動作点回復中　(0.90000)",
                                        "動作点回復中　(1.00000)", "動作点回復中　(1.00000)"}));
}

TEST_F(NonLinearAnalysisTest, AdditionalRunStartsFromTheConvergedParameters) {
    auto& q = NpnStage("10", "1MG", "1k");
    Commands.AtnSimulateDCNonLinear();
    const int fresh = Registry.IterationCount();
    const double rbe = q.EquivRBE;
    Commands.AtnSimulateDCAdditional();
    ASSERT_TRUE(State.ResultsValid());
    EXPECT_LT(Registry.IterationCount(), fresh / 2);
    EXPECT_NEAR(q.EquivRBE, rbe, rbe * 1e-3);
}

// Placing a device after the registry was built: the parameters are not
// carried over, the search starts from the start values like a fresh run.
TEST_F(NonLinearAnalysisTest, AdditionalRunAfterTheDevicesChangedStartsAfresh) {
    NpnStage("10", "1MG", "1k");
    Commands.AtnSimulateDCNonLinear();
    const int fresh = Registry.IterationCount();
    auto& gnd = Add<TGnd>();
    auto& open = Add<TOpen>();
    Wire(gnd, 0, open, 0);
    EXPECT_FALSE(Registry.Matches(Canvas));
    Commands.AtnSimulateDCAdditional();
    ASSERT_TRUE(State.ResultsValid());
    EXPECT_EQ(Registry.IterationCount(), fresh);
}

TEST_F(NonLinearAnalysisTest, AdditionalRunAfterADeletionNeverTouchesTheDeletedDevice) {
    SeriesCircuit<TDiode>("5", "1k");
    auto& extra = SeriesCircuit<TDiode>("5", "2k");
    Commands.AtnSimulateDCNonLinear();
    Canvas.DeleteDragPanel(extra.Index());
    // The 2 kOhm resistor now ends on the second circuit's ground.
    Wire(DeviceAt(Canvas, 7), 1, DeviceAt(Canvas, 8), 0);
    Commands.AtnSimulateDCAdditional();
    EXPECT_TRUE(State.ResultsValid());
    EXPECT_EQ(Registry.NonLinearParamTotal(), 1);
}

TEST_F(NonLinearAnalysisTest, ACAdditionalKeepsFAndTheDebugLog) {
    SeriesCircuit<TDiode>("5", "1k");
    Host.VariableLines = {"F=50"};
    Host.DebugLogLines = {"kept"};
    Commands.AtnSimulateACAdditional();
    ASSERT_TRUE(State.ResultsValid());
    EXPECT_EQ(State.AnalysisKind, TAnalysisKind::akAC);
    EXPECT_EQ(Host.VariableLines, std::vector<std::string>{"F=50"});
    EXPECT_EQ(Host.DebugLogLines, std::vector<std::string>{"kept"});
}

TEST_F(NonLinearAnalysisTest, StopDuringTheSearchHandsOverTheInterruptedPoint) {
    SeriesCircuit<TDiode>("5", "1k");
    StopAtProcessMessages(12);
    Commands.AtnSimulateDCNonLinear();
    EXPECT_EQ(Platform.Messages, std::vector<std::string>{TextU});
    EXPECT_TRUE(State.ResultsValid());
    EXPECT_EQ(State.AnalysisKind, TAnalysisKind::akDC);
}

// After the break is reported the AC solve still runs at the interrupted
// operating point and its results are handed over.
TEST_F(NonLinearAnalysisTest, StopDuringTheSearchOfTheACCommandStillSolvesAC) {
    auto& d = SeriesCircuit<TDiode>("5", "1k");
    StopAtProcessMessages(12);
    Commands.AtnSimulateACNonLinear();
    EXPECT_EQ(Platform.Messages, std::vector<std::string>{TextU});
    EXPECT_TRUE(State.ResultsValid());
    EXPECT_EQ(State.AnalysisKind, TAnalysisKind::akAC);
    // In AC the DC source is a short, so nothing is driven.
    EXPECT_NEAR(V(d, 0).re, 0.0, 1e-12);
}

TEST_F(NonLinearAnalysisTest, StopDuringTheACAssemblyLeavesWithoutHandOver) {
    SeriesCircuit<TDiode>("5", "1k");
    Commands.AtnSimulateDCNonLinear();
    const int dcChecks = Platform.ProcessMessagesCount;
    Platform.ProcessMessagesCount = 0;
    Platform.OnProcessMessages = [&] {
        if (Platform.ProcessMessagesCount == dcChecks + 1) {
            Progress.Stop();
        }
    };
    try {
        Commands.AtnSimulateACNonLinear();
        FAIL() << "no error";
    } catch (const EUserBreak& e) {
        EXPECT_EQ(e.Message(), "User Break.");
    }
    EXPECT_TRUE(Platform.Messages.empty());
    EXPECT_FALSE(State.ResultsValid());
    EXPECT_EQ(State.AnalysisKind, TAnalysisKind::akAC);
}

// A diode whose residual raises an error of the given text, but of no special type.
class TFailingDiode : public TDiode {
public:
    TFailingDiode(TTinyParser& evaluator, std::string text)
        : TDiode(evaluator), Text(std::move(text)) {}
    double CalcNonLinearResidual(const TPortRealArray&, const TPortRealArray&) override {
        ++Calls;
        throw EZaroError(Text);
    }
    std::string Text;
    int Calls = 0;
};

class ErrorTextTest : public NonLinearAnalysisTest,
                      public ::testing::WithParamInterface<const char*> {};

// Only the types say "Stop was pressed" or "Newton gave up": an error that
// merely has their text leaves the command as it is, without a message box.
TEST_P(ErrorTextTest, IsNotTakenForTheErrorOfThatType) {
    auto& gnd = Add<TGnd>();
    auto& vdc = Add<TVDC>("5");
    auto& diode = static_cast<TFailingDiode&>(
        Canvas.AddDragPanel(std::make_unique<TFailingDiode>(TP1, GetParam())));
    auto& gnd2 = Add<TGnd>();
    Wire(gnd, 0, vdc, 0);
    Chain({&vdc, &diode, &gnd2});
    try {
        Commands.AtnSimulateDCNonLinear();
        FAIL() << "no error";
    } catch (const EZaroError& e) {
        EXPECT_EQ(e.Message(), GetParam());
        EXPECT_EQ(dynamic_cast<const EUserBreak*>(&e), nullptr);
    }
    EXPECT_TRUE(Platform.Messages.empty());
    // The sparse attempt gives up on the error and the reference run repeats
    // the one evaluation; neither goes on to source stepping.
    EXPECT_EQ(diode.Calls, 2) << "no source stepping after the first evaluation";
}

INSTANTIATE_TEST_SUITE_P(Texts, ErrorTextTest,
                         ::testing::Values(MsgUserBreak, MsgNewtMaxIts, MsgLnsrchRoundoff),
                         [](const auto& info) { return std::to_string(info.index); });

TEST_F(NonLinearAnalysisTest, MathErrorInTheSearchGivesMessageD) {
    // A Zener voltage of 0 divides by exp(0) - 1 = 0 while preparing.
    SeriesCircuit<TZenarDiode>("9", "1k", "0");
    Commands.AtnSimulateDCNonLinear();
    EXPECT_EQ(Platform.Messages, std::vector<std::string>{TextD});
    EXPECT_FALSE(State.ResultsValid());
}

TEST_F(NonLinearAnalysisTest, FloatingPartGivesMessageD) {
    auto& gnd = Add<TGnd>();
    auto& open = Add<TOpen>();
    Wire(gnd, 0, open, 0);
    auto& vdc = Add<TVDC>("5");
    auto& r = Add<TResistor>("1k");
    auto& d = Add<TDiode>();
    Chain({&vdc, &r, &d, &vdc});
    Commands.AtnSimulateDCNonLinear();
    EXPECT_EQ(Platform.Messages, std::vector<std::string>{TextD});
    EXPECT_FALSE(State.ResultsValid());
}

// Deep in reverse bias the diode's slope exp(23 v) underflows to 0, so its
// AC resistance 1 / slope cannot be formed: the operating point is found,
// the AC solve fails.
TEST_F(NonLinearAnalysisTest, MathErrorInTheACSolveGivesMessageC) {
    SeriesCircuit<TDiode>("-50", "1k");
    Commands.AtnSimulateACNonLinear();
    EXPECT_EQ(Platform.Messages, std::vector<std::string>{TextC});
    EXPECT_FALSE(State.ResultsValid());
    EXPECT_EQ(Progress.LinearState(), TCheckBoxState::cbChecked);
}

TEST_F(NonLinearAnalysisTest, ReferencesIntoTheDevicesEndWithTheCommand) {
    SeriesCircuit<TDiode>("5", "1k");
    Commands.AtnSimulateDCNonLinear();
    EXPECT_TRUE(Registry.NonLinearParamRefs().empty());
    EXPECT_TRUE(Registry.NonLinearResidualRefs().empty());
    EXPECT_THROW(Registry.Param(0), ERangeError);
    EXPECT_TRUE(Registry.Matches(Canvas));
}

TEST(FormatRatioTest, SevenWideFiveDecimals) {
    EXPECT_EQ(FormatRatio(0.1), "0.10000");
    EXPECT_EQ(FormatRatio(1.0), "1.00000");
    EXPECT_EQ(FormatRatio(0.30000000000000004), "0.30000");
    EXPECT_EQ(FormatRatio(0.1 / 16384), "0.00001");
}

} // namespace
} // namespace zaro::test
