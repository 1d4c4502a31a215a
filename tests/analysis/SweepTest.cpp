// Sweeps against closed forms: an RC low-pass, a series RLC resonance and a
// diode's law; the points of a range, the checks before a sweep runs, Stop
// part-way and the CSV text.

#include "Sweep.h"
#include "AnalysisFixture.h"
#include "Diodes.h"
#include "Junctions.h"
#include "Meters.h"
#include "PassiveDevices.h"
#include "Sources.h"
#include "SweepCsv.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>

namespace zaro::test {
namespace {

double Magnitude(const TComplex& z) {
    return std::hypot(z.re, z.im);
}

class SweepTest : public TAnalysisFixture {
protected:
    // Source -> element a -> X junction -> element b -> ground, with a
    // potential meter at the junction; `meter` goes in series after the source.
    void BuildLadder(TZaroSimDevice& source, TZaroSimDevice& a, TZaroSimDevice& b,
                     TZaroSimDevice* meter = nullptr) {
        auto& gnd = Add<TGnd>();
        auto& x = Add<TXConnection>();
        auto& gnd2 = Add<TGnd>();
        auto& pm = Add<TPotentialMeter>();
        auto& open = Add<TOpen>();
        Wire(gnd, 0, source, 0);
        if (meter != nullptr) {
            Chain({&source, meter, &a, &x, &b, &gnd2});
        } else {
            Chain({&source, &a, &x, &b, &gnd2});
        }
        Wire(x, 2, pm, 0);
        Wire(x, 3, open, 0);
    }
    TSweepResult RunAC(const TSweepRange& range) { return Runner.RunAC(range); }

    TSweepRunner Runner{Canvas, Platform, Progress, Host.VariableLines};
};

TEST(SweepRangeTest, PointsRunFromStartToStopInclusive) {
    const std::vector<double> log = FrequencyRange(10, 1000, 2).Points();
    ASSERT_EQ(log.size(), 5U);
    EXPECT_DOUBLE_EQ(log[1], 10 * std::sqrt(10.0));
    EXPECT_EQ(log.back(), 1000);
    // A step that overshoots the stop value ends on it; a single point works.
    const std::vector<double> linear = LinearRange(0, 1, 0.3).Points();
    ASSERT_EQ(linear.size(), 5U);
    EXPECT_DOUBLE_EQ(linear[3], 0.9);
    EXPECT_EQ(linear.back(), 1);
    EXPECT_EQ(LinearRange(2, 2, 1).Points(), std::vector<double>{2});
}

TEST(SweepRangeTest, BadRangesAreRefusedWithTheirMessage) {
    struct TCase {
        TSweepRange Range;
        std::string Message;
    };
    const std::vector<TCase> cases{
        {LinearRange(1, 0, 0.1), MsgStopBelowStart},
        {LinearRange(0, 1, 0), MsgStepNotPositive},
        {LinearRange(0, 1, -0.1), MsgStepNotPositive},
        {LinearRange(0, 1, 1e-9), TooManyPointsMessage()},
        {FrequencyRange(0, 1000, 10), MsgFrequencyNotPositive},
        {FrequencyRange(10, 1000, 0), MsgPerDecadeInvalid},
        {FrequencyRange(10, 1000, 2.5), MsgPerDecadeInvalid},
        {FrequencyRange(1000, 10, 10), MsgStopBelowStart},
    };
    for (const TCase& c : cases) {
        try {
            (void)c.Range.Points();
            ADD_FAILURE() << c.Message;
        } catch (const ESweepRange& e) {
            EXPECT_EQ(e.what(), c.Message);
        }
    }
    EXPECT_EQ(ReadSweepNumber("2.2k"), 2200);
    EXPECT_THROW(ReadSweepNumber("abc"), ESweepRange);
}

TEST_F(SweepTest, RCLowPassIsDown3dBAnd45DegreesAtItsCornerThen20dBPerDecade) {
    BuildLadder(Add<TVAC>("1"), Add<TResistor>("1k"), Add<TCapacitor>("100n"));
    const double corner = 1 / (2 * std::numbers::pi * 1e3 * 100e-9);
    const TSweepResult result = RunAC(FrequencyRange(corner, 1000 * corner, 10));
    ASSERT_EQ(result.Outcome, TSweepOutcome::Completed);
    ASSERT_EQ(result.Values.size(), 31U);
    ASSERT_EQ(result.Probes.size(), 1U);
    EXPECT_NEAR(MagnitudeDB(result.Readings[0][0]), -3.0103, 1e-3);
    EXPECT_NEAR(PhaseDegrees(result.Readings[0][0]), -45, 1e-4);
    for (std::size_t k = 20; k + 10 < result.Values.size(); ++k) {
        EXPECT_NEAR(MagnitudeDB(result.Readings[k + 10][0]) - MagnitudeDB(result.Readings[k][0]),
                    -20, 0.01);
    }
    // The sweep leaves the variables as they were.
    EXPECT_TRUE(Host.VariableLines.empty());
}

TEST_F(SweepTest, SeriesRLCCurrentPeaksAtResonance) {
    auto& am = Add<TAmMeter>();
    BuildLadder(Add<TVAC>("1"), Add<TInductor>("10m"), Add<TCapacitor>("100n"), &am);
    const double resonance = 1 / (2 * std::numbers::pi * std::sqrt(10e-3 * 100e-9));
    const TSweepResult result = RunAC(FrequencyRange(1000, 25000, 100));
    ASSERT_EQ(result.Outcome, TSweepOutcome::Completed);
    const auto current = [&](std::size_t k) { return Magnitude(result.Readings[k][0]); };
    std::size_t peak = 0;
    for (std::size_t k = 1; k < result.Values.size(); ++k) {
        peak = current(k) > current(peak) ? k : peak;
    }
    EXPECT_EQ(result.Probes[0].Label(), "A" + std::to_string(am.Index()));
    EXPECT_NEAR(std::log10(result.Values[peak] / resonance), 0, 0.5 / 100);
    EXPECT_GT(current(peak), 100 * current(0));
}

TEST_F(SweepTest, DiodeSweepFollowsTheDeviceLawAtEveryStep) {
    Host.VariableLines = {"VIN=0"};
    auto& am = Add<TAmMeter>();
    auto& diode = Add<TDiode>();
    BuildLadder(Add<TVDC>("VIN"), Add<TResistor>("100"), diode, &am);
    const TSweepResult result = Runner.RunDC("vin", LinearRange(-1, 2, 0.25));
    ASSERT_EQ(result.Outcome, TSweepOutcome::Completed);
    ASSERT_EQ(result.Values.size(), 13U);
    EXPECT_EQ(result.VariableName, "vin");
    for (std::size_t k = 0; k < result.Values.size(); ++k) {
        const double current = result.Readings[k][0].re;
        const double v = result.Readings[k][1].re;
        const double law = diode.Is * (std::exp(diode.K * v) - 1) + v / diode.Rp;
        EXPECT_NEAR(current, law, 1e-6 + 1e-4 * std::abs(law)) << "VIN=" << result.Values[k];
        EXPECT_NEAR(current * 100 + v + AmMeterResistance * current, result.Values[k], 1e-5);
    }
    EXPECT_EQ(Host.VariableLines, std::vector<std::string>{"VIN=0"});
}

TEST_F(SweepTest, NothingRunsForAVariableMissingFromThePane) {
    BuildLadder(Add<TVDC>("1"), Add<TResistor>("1k"), Add<TResistor>("1k"));
    const int before = Platform.ProcessMessagesCount;
    try {
        (void)Runner.RunDC("VIN", LinearRange(0, 1, 0.5));
        ADD_FAILURE();
    } catch (const ESweepRange& e) {
        EXPECT_EQ(e.what(), MissingVariableMessage("VIN"));
    }
    EXPECT_EQ(Platform.ProcessMessagesCount, before);
    EXPECT_FALSE(Progress.Visible());
}

TEST_F(SweepTest, StopPartWayKeepsThePointsComputed) {
    BuildLadder(Add<TVAC>("1"), Add<TResistor>("1k"), Add<TCapacitor>("100n"));
    Runner.OnPoint = [this](const TSweepResult& soFar) {
        if (soFar.Values.size() == 3) {
            Progress.Stop();
        }
    };
    const TSweepResult result = RunAC(FrequencyRange(10, 1e6, 10));
    EXPECT_EQ(result.Outcome, TSweepOutcome::Stopped);
    ASSERT_EQ(result.Values.size(), 3U);
    EXPECT_EQ(result.Readings.size(), 3U);
    EXPECT_FALSE(Progress.Visible());
    EXPECT_FALSE(Progress.UserBreak());
}

TEST_F(SweepTest, CsvHasAHeaderNamingEachProbeThenOneRowPerPoint) {
    TSweepResult ac;
    ac.VariableName = "F";
    ac.Probes = {{3, TProbeKind::Potential}, {5, TProbeKind::Voltage}};
    ac.Values = {100};
    ac.Readings = {{MakeComplex(0, 2), MakeComplex(-0.5, 0)}};
    std::ostringstream acText;
    WriteSweepCsv(ac, acText);
    EXPECT_EQ(acText.str(), "F,P3 mag,P3 phase,V5 mag,V5 phase\n100,2,90,0.5,180\n");

    TSweepResult dc = ac;
    dc.IsAC = false;
    dc.VariableName = "VIN";
    dc.Probes = {{7, TProbeKind::Current}};
    dc.Values = {0.1, 0.2};
    dc.Readings = {{MakeComplex(1e-3, 0)}, {MakeComplex(-2.5e-7, 0)}};
    std::ostringstream dcText;
    WriteSweepCsv(dc, dcText);
    EXPECT_EQ(dcText.str(), "VIN,A7\n0.1,0.001\n0.2,-2.5e-07\n");
}

} // namespace
} // namespace zaro::test
