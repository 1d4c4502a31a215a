// How value texts become device values: at analysis start for every
// analysis, and again at the present frequency whenever an AC block is built.

#include "DeviceBench.h"
#include "Meters.h"
#include "PassiveDevices.h"

#include <cmath>
#include <numbers>

namespace zaro::test {
namespace {

constexpr double Pi = std::numbers::pi;

struct TValueCase {
    std::string ClassName;
    std::string Text;
    std::string Frequency;
    TComplex Expected;
};

std::ostream& operator<<(std::ostream& os, const TValueCase& c) {
    return os << c.ClassName << " " << c.Text << " at F=" << c.Frequency;
}

class DeviceValue : public ::testing::TestWithParam<TValueCase> {};

TEST_P(DeviceValue, UpdateDeviceValueEvaluatesTheText) {
    const TValueCase& c = GetParam();
    TDeviceBench bench;
    bench.SetFrequency(c.Frequency);
    auto device = bench.Make(c.ClassName);
    device->ValueEdit()->SetText(c.Text);
    device->UpdateDeviceValue();
    EXPECT_NEAR(device->Value().re, c.Expected.re, 1E-12 * std::abs(c.Expected.re));
    EXPECT_NEAR(device->Value().im, c.Expected.im, 1E-12 * std::abs(c.Expected.im));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DeviceValue,
    ::testing::Values(
        TValueCase{"TResistor", "4.7k", "1000", {4700, 0}},
        TValueCase{"TCapacitor", "10u", "1000", {0.0001, -1 / (2 * Pi * 1000 * 10E-6)}},
        TValueCase{"TInductor", "10u", "1000", {0.0001, 2 * Pi * 1000 * 10E-6}},
        // The text is one quantity however it is written.
        TValueCase{"TCapacitor", "1u+1u", "1000", {0.0001, -1 / (2 * Pi * 1000 * 2E-6)}},
        TValueCase{"TInductor", "1m+1m", "50", {0.0001, 2 * Pi * 50 * 2E-3}},
        TValueCase{"TVDC", "15", "0", {15, 0}}, TValueCase{"TVAC", "100m", "1000", {0.1, 0}},
        TValueCase{"TISRC", "1m", "1000", {0.001, 0}},
        TValueCase{"TLevel", "2*2.5", "1000", {5, 0}}),
    [](const auto& info) { return info.param.ClassName + std::to_string(info.index); });

TEST(DeviceValueFormulas, CapacitorAndInductorWrapTheTextInParentheses) {
    EXPECT_EQ(TCapacitor::ReactanceFormula("1u+1u"), "-1/(2*PI*F*(1u+1u))");
    EXPECT_EQ(TInductor::ReactanceFormula("10u"), "2*PI*F*(10u)");
}

TEST(DeviceValueLamp, ResistanceFromRatedVoltageAndPower) {
    TDeviceBench bench;
    TLamp lamp(bench.Evaluator);
    lamp.UpdateDeviceValue();
    EXPECT_DOUBLE_EQ(lamp.Value().re, 4.5);
    EXPECT_EQ(lamp.Value().im, 0.0);
}

TEST(DeviceValueLamp, ZeroRatedPowerIsAMathError) {
    TDeviceBench bench;
    TLamp lamp(bench.Evaluator);
    lamp.PowerEdit()->SetText("0");
    EXPECT_THROW(lamp.UpdateDeviceValue(), EMathError);
}

TEST(DeviceValueErrors, InvalidTextKeepsThePreviousValue) {
    TDeviceBench bench;
    for (const char* name : {"TResistor", "TCapacitor", "TVDC", "TLamp"}) {
        auto device = bench.Make(name);
        device->UpdateDeviceValue();
        const TComplex before = device->Value();
        device->ValueEdit()->SetText("");
        EXPECT_THROW(device->UpdateDeviceValue(), EZaroError) << name;
        EXPECT_EQ(device->Value(), before) << name;
    }
}

// Every analysis prepares the reactances, DC ones included, where F may be 0:
// the formula's math error waits for the AC block, which is the only user of
// the reactance. A text that gives no number on its own still fails at once.
TEST(DeviceValueErrors, ReactanceFormulaFailsOnlyInTheACBlock) {
    TDeviceBench bench;
    bench.SetFrequency("0");
    TCapacitor c(bench.Evaluator);
    c.SetValue({1, 2});
    EXPECT_NO_THROW(c.UpdateDeviceValue());
    EXPECT_EQ(c.Value(), (TComplex{1, 2}));
    TACCoefArray coef;
    TACRhsArray rhs;
    EXPECT_THROW(c.BuildACDeviceEquation(coef, rhs), EMathError);
    for (const char* name : {"TCapacitor", "TInductor"}) {
        auto device = bench.Make(name);
        device->ValueEdit()->SetText("1/0");
        EXPECT_THROW(device->UpdateDeviceValue(), EMathError) << name;
    }
}

// A text edited after the analysis started changes nothing until the next one.
TEST(DeviceValueTiming, DCUsesTheValueOfTheLastPreparation) {
    TDeviceBench bench;
    TResistor r(bench.Evaluator);
    r.UpdateDeviceValue();
    r.ValueEdit()->SetText("2k");
    TDCCoefArray coef;
    TDCRhsArray rhs;
    r.BuildDCDeviceEquation(coef, rhs);
    EXPECT_EQ(coef[1], -1000.0);
    EXPECT_EQ(r.Value().re, 1000.0);
}

// Linear AC prepares nothing, so the AC block evaluates the text itself at the
// frequency in force: a new F or a new text always shows in the block.
TEST(DeviceValueTiming, ACBlockEvaluatesAtThePresentFrequency) {
    TDeviceBench bench;
    TCapacitor c(bench.Evaluator);
    c.UpdateDeviceValue(); // F = 1000
    bench.SetFrequency("2000");
    TACCoefArray coef;
    TACRhsArray rhs;
    c.BuildACDeviceEquation(coef, rhs);
    const double x = -1 / (2 * Pi * 2000 * 10E-6);
    EXPECT_NEAR(coef[1].im, -x, 1E-12);
    EXPECT_NEAR(c.Value().im, x, 1E-12);

    TVAC source(bench.Evaluator);
    source.ValueEdit()->SetText("2");
    source.BuildACDeviceEquation(coef, rhs);
    EXPECT_EQ(rhs[0], (TComplex{2, 0}));
}

TEST(DeviceValueTiming, ACBlockOfTheLampFollowsBothTexts) {
    TDeviceBench bench;
    TLamp lamp(bench.Evaluator);
    lamp.ValueEdit()->SetText("12");
    lamp.PowerEdit()->SetText("6");
    TACCoefArray coef;
    TACRhsArray rhs;
    lamp.BuildACDeviceEquation(coef, rhs);
    EXPECT_DOUBLE_EQ(coef[1].re, -24.0);
}

} // namespace
} // namespace zaro::test
