// The linear DC and AC commands end to end: circuits placed and wired on the
// canvas, values worked out by hand, and the command frame's failure paths.

#include "AnalysisFixture.h"
#include "Junctions.h"
#include "Meters.h"
#include "PassiveDevices.h"
#include "Sources.h"

#include <cmath>
#include <numbers>

namespace zaro::test {
namespace {

const std::string TextL = "線形解析を失敗しました。回路中に浮いた状態になっている部分(GNDやVoltage "
                          "Levelに全く接続されていない部分)"
                          "が無いか、あるいは、回路が一意的に状態が決まるものになっているか"
                          "を確認してください。";
const std::string TextU = "直流解析が中断されました。解析結果には大きな誤差を含んでいる可能性がある"
                          "ことに注意してください。";

double Magnitude(const TComplex& z) {
    return std::hypot(z.re, z.im);
}
double Degrees(const TComplex& z) {
    return std::atan2(z.im, z.re) * 180.0 / std::numbers::pi;
}

class LinearAnalysisTest : public TAnalysisFixture {
protected:
    // 10 V -> ammeter -> R1 -> X junction -> R2 -> ground; the junction also
    // feeds a potential meter and a voltmeter to ground.
    void BuildDividerWithMeters(const std::string& r1, const std::string& r2) {
        auto& gnd = Add<TGnd>();
        auto& vdc = Add<TVDC>("10");
        Am = &Add<TAmMeter>();
        auto& res1 = Add<TResistor>(r1);
        auto& x = Add<TXConnection>();
        auto& res2 = Add<TResistor>(r2);
        auto& gnd2 = Add<TGnd>();
        Pm = &Add<TPotentialMeter>();
        Vm = &Add<TVoltMeter>();
        auto& gnd3 = Add<TGnd>();
        Wire(gnd, 0, vdc, 0);
        Chain({&vdc, Am, &res1, &x, &res2, &gnd2});
        Wire(x, 2, *Pm, 0);
        Wire(x, 3, *Vm, 0);
        Wire(*Vm, 1, gnd3, 0);
    }
    // 1 V AC source -> R -> reactive element -> ground.
    template <typename TReactive> TZaroSimDevice& BuildSeries(const std::string& value) {
        auto& gnd = Add<TGnd>();
        auto& vac = Add<TVAC>("1");
        auto& r = Add<TResistor>("1k");
        auto& element = Add<TReactive>(value);
        auto& gnd2 = Add<TGnd>();
        Wire(gnd, 0, vac, 0);
        Chain({&vac, &r, &element, &gnd2});
        return element;
    }

    TAmMeter* Am = nullptr;
    TPotentialMeter* Pm = nullptr;
    TVoltMeter* Vm = nullptr;
};

TEST_F(LinearAnalysisTest, DividerGivesHalfTheSourceOnItsMeters) {
    BuildDividerWithMeters("1k", "1k");
    Commands.AtnSimulateDC();
    ASSERT_TRUE(State.ResultsValid());
    EXPECT_EQ(State.AnalysisKind, TAnalysisKind::akLinearDC);
    // 10 V / 2 kOhm = 5 mA, the middle at 5 V (0.2 mOhm of series terms aside).
    EXPECT_NEAR(V(*Pm, 0).re, 5.0, 1e-6);
    EXPECT_NEAR(IInto(*Am, 0).re, 0.005, 1e-9);
    EXPECT_EQ(Am->ValueEdit()->Text(), "5M + j0.00");
    EXPECT_EQ(Pm->ValueEdit()->Text(), "5 + j0.00");
    EXPECT_EQ(Vm->ValueEdit()->Text(), "5 + j0.00");
    EXPECT_TRUE(Platform.Messages.empty());
}

// 2 mA into port 0 of the source, out of port 1 into 1 kOhm and a 1 kOhm /
// 1 kOhm divider beside it: 1 mA each way, 1 V over each divider resistor.
TEST_F(LinearAnalysisTest, CurrentSourceDrivesItsLoadFromPort1) {
    auto& gnd = Add<TGnd>();
    auto& source = Add<TISRC>("2m");
    auto& y = Add<TYConnection>();
    auto& load = Add<TResistor>("2k");
    auto& upper = Add<TResistor>("1k");
    auto& lower = Add<TResistor>("1k");
    auto& gnd2 = Add<TGnd>();
    auto& gnd3 = Add<TGnd>();
    Wire(gnd, 0, source, 0);
    Chain({&source, &y, &load, &gnd2});
    Wire(y, 2, upper, 0);
    Chain({&upper, &lower, &gnd3});
    Commands.AtnSimulateDC();
    ASSERT_TRUE(State.ResultsValid());
    EXPECT_NEAR(IInto(source, 0).re, 0.002, 1e-12);
    EXPECT_NEAR(IInto(source, 1).re, -0.002, 1e-12);
    EXPECT_NEAR(V(load, 0).re, 2.0, 1e-6);
    EXPECT_NEAR(IInto(load, 0).re, 0.001, 1e-9);
    EXPECT_NEAR(V(lower, 0).re, 1.0, 1e-6);
}

TEST_F(LinearAnalysisTest, LevelIsTheOnlyReference) {
    auto& level = Add<TLevel>("5");
    auto& r1 = Add<TResistor>("1k");
    auto& y = Add<TYConnection>();
    auto& r2 = Add<TResistor>("4k");
    auto& gnd = Add<TGnd>();
    auto& pm = Add<TPotentialMeter>();
    Wire(level, 0, r1, 0);
    Chain({&r1, &y, &r2, &gnd});
    Wire(y, 2, pm, 0);
    Commands.AtnSimulateDC();
    ASSERT_TRUE(State.ResultsValid());
    // 5 V * 4k / 5k.
    EXPECT_NEAR(V(pm, 0).re, 4.0, 1e-6);
    EXPECT_NEAR(IInto(r2, 0).re, 0.001, 1e-9);
    EXPECT_EQ(pm.ValueEdit()->Text(), "4 + j0.00");
}

// Xc = 1 / (2 pi 1000 Hz 159.154943 nF) = 1000 Ohm = R: the capacitor gets
// 1/sqrt 2 of the source at -45 degrees, the current leads by 45 degrees.
TEST_F(LinearAnalysisTest, RCAtOneKilohertz) {
    auto& gnd = Add<TGnd>();
    auto& vac = Add<TVAC>("1");
    auto& r = Add<TResistor>("1k");
    auto& top = Add<TYConnection>();
    auto& c = Add<TCapacitor>("159.154943n");
    auto& vm = Add<TVoltMeter>();
    auto& bottom = Add<TYConnection>();
    auto& gnd2 = Add<TGnd>();
    Wire(gnd, 0, vac, 0);
    Chain({&vac, &r, &top, &c});
    Wire(top, 2, vm, 0);
    Wire(c, 1, bottom, 0);
    Wire(bottom, 1, vm, 1);
    Wire(bottom, 2, gnd2, 0);
    Commands.AtnSimulateAC();
    ASSERT_TRUE(State.ResultsValid());
    EXPECT_EQ(State.AnalysisKind, TAnalysisKind::akLinearAC);
    const TComplex vc = V(c, 0);
    EXPECT_NEAR(Magnitude(vc), 1.0 / std::sqrt(2.0), 1e-5);
    EXPECT_NEAR(Degrees(vc), -45.0, 1e-3);
    const TComplex i = IInto(c, 0);
    EXPECT_NEAR(Magnitude(i), 1e-3 / std::sqrt(2.0), 1e-8);
    EXPECT_NEAR(Degrees(i), 45.0, 1e-3);
    EXPECT_EQ(vm.ValueEdit()->Text(), "0.5 + j-0.5");
    EXPECT_EQ(Host.VariableLines, std::vector<std::string>{"F=1000"});
}

// XL = 2 pi 1000 Hz 159.154943 mH = 1000 Ohm: 1/sqrt 2 at +45 degrees.
TEST_F(LinearAnalysisTest, RLAtOneKilohertz) {
    auto& l = BuildSeries<TInductor>("159.154943m");
    Host.Frequency = "1k";
    Commands.AtnSimulateAC();
    ASSERT_TRUE(State.ResultsValid());
    const TComplex vl = V(l, 0);
    EXPECT_NEAR(Magnitude(vl), 1.0 / std::sqrt(2.0), 1e-5);
    EXPECT_NEAR(Degrees(vl), 45.0, 1e-3);
    const TComplex i = IInto(l, 0);
    EXPECT_NEAR(Magnitude(i), 1e-3 / std::sqrt(2.0), 1e-8);
    EXPECT_NEAR(Degrees(i), -45.0, 1e-3);
    EXPECT_EQ(Host.VariableLines, std::vector<std::string>{"F=1000"});
}

TEST_F(LinearAnalysisTest, FrequencyReplacesAnEarlierLineForF) {
    BuildSeries<TInductor>("1m");
    Host.VariableLines = {"X=2", "f=5"};
    Host.Frequency = "2.5k";
    Commands.AtnSimulateAC();
    EXPECT_EQ(Host.VariableLines, (std::vector<std::string>{"X=2", "F=2500"}));
}

TEST_F(LinearAnalysisTest, LinearDCLeavesFAlone) {
    BuildDividerWithMeters("1k", "1k");
    Host.VariableLines = {"F=5"};
    Commands.AtnSimulateDC();
    EXPECT_EQ(Host.VariableLines, std::vector<std::string>{"F=5"});
}

TEST_F(LinearAnalysisTest, UnreadableFrequencyLeavesThroughTheFrame) {
    BuildSeries<TInductor>("1m");
    Host.Frequency = "abc";
    try {
        Commands.AtnSimulateAC();
        FAIL() << "no error";
    } catch (const EZaroError& e) {
        EXPECT_EQ(e.Message(), "ZaroStrToFloat: Not a number.");
    }
    EXPECT_EQ(State.AnalysisKind, TAnalysisKind::akLinearAC);
    EXPECT_FALSE(State.ResultsValid());
    EXPECT_EQ(Host.Calls,
              (std::vector<std::string>{"BeginBusy", "UpdateStatus", "ShowDeviceProperty"}));
    EXPECT_FALSE(Progress.Visible());
}

TEST_F(LinearAnalysisTest, WithoutReferenceNoProgressIsShownButTheFrameFinishes) {
    auto& r = Add<TResistor>();
    auto& o1 = Add<TOpen>();
    auto& o2 = Add<TOpen>();
    Wire(r, 0, o1, 0);
    Wire(r, 1, o2, 0);
    State.AnalysisKind = TAnalysisKind::akAC;
    State.SetResultsValid(true);
    Commands.AtnSimulateDC();
    EXPECT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(View.Count("Show"), 0);
    EXPECT_FALSE(State.ResultsValid());
    EXPECT_EQ(State.AnalysisKind, TAnalysisKind::akLinearDC);
    EXPECT_EQ(Host.Calls,
              (std::vector<std::string>{"BeginBusy", "UpdateStatus", "ShowDeviceProperty"}));
}

// A resistor and a source in a loop of their own, grounded nowhere: the
// potentials are undetermined.
TEST_F(LinearAnalysisTest, FloatingPartGivesMessageLAndNoHandOver) {
    auto& gnd = Add<TGnd>();
    auto& open = Add<TOpen>();
    auto& vdc = Add<TVDC>("5");
    auto& r = Add<TResistor>("1k");
    auto& am = Add<TAmMeter>();
    Wire(gnd, 0, open, 0);
    Chain({&vdc, &r, &am, &vdc});
    am.ValueEdit()->SetText("previous");
    Commands.AtnSimulateDC();
    EXPECT_EQ(Platform.Messages, std::vector<std::string>{TextL});
    EXPECT_FALSE(State.ResultsValid());
    EXPECT_EQ(am.ValueEdit()->Text(), "previous");
    EXPECT_FALSE(Progress.Visible());
}

TEST_F(LinearAnalysisTest, StopDuringTheDCSolveHandsOverWhatIsThere) {
    BuildDividerWithMeters("1k", "1k");
    // Preparation checks once per device (10), the solve once more.
    StopAtProcessMessages(11);
    Commands.AtnSimulateDC();
    EXPECT_EQ(Platform.Messages, std::vector<std::string>{TextU});
    EXPECT_TRUE(State.ResultsValid());
    EXPECT_EQ(Pm->ValueEdit()->Text(), "0.00 + j0.00");
}

TEST_F(LinearAnalysisTest, StopDuringPreparationLeavesWithUserBreak) {
    BuildDividerWithMeters("1k", "1k");
    StopAtProcessMessages(3);
    try {
        Commands.AtnSimulateDC();
        FAIL() << "no error";
    } catch (const EUserBreak& e) {
        EXPECT_EQ(e.Message(), "User Break.");
    }
    EXPECT_TRUE(Platform.Messages.empty());
    EXPECT_FALSE(State.ResultsValid());
    EXPECT_EQ(Pm->ValueEdit()->Text(), "");
    EXPECT_EQ(Host.Calls.back(), "ShowDeviceProperty");
}

TEST_F(LinearAnalysisTest, StopDuringTheACAssemblyHandsOverThePreviousSolution) {
    BuildSeries<TInductor>("159.154943m");
    Commands.AtnSimulateDC();
    const std::vector<TComplex> before = State.WireVoltages;
    StopAtProcessMessages(2);
    Commands.AtnSimulateAC();
    EXPECT_EQ(Platform.Messages, std::vector<std::string>{TextU});
    EXPECT_TRUE(State.ResultsValid());
    EXPECT_EQ(State.WireVoltages, before);
    EXPECT_EQ(State.AnalysisKind, TAnalysisKind::akLinearAC);
}

TEST_F(LinearAnalysisTest, ProgressStepsOfTheLinearCommand) {
    BuildDividerWithMeters("1k", "1k");
    Commands.AtnSimulateDC();
    EXPECT_EQ(Progress.CheckCircuitState(), TCheckBoxState::cbGrayed);
    EXPECT_EQ(Progress.DCBiasState(), TCheckBoxState::cbGrayed);
    EXPECT_EQ(Progress.LinearState(), TCheckBoxState::cbChecked);
    EXPECT_EQ(View.Count("Show"), 1);
    EXPECT_FALSE(Progress.Visible());
}

} // namespace
} // namespace zaro::test
