// The diode, the LED and the Zener diode: the junction characteristic with its
// 1000 A limit, the residuals at known operating points, the rows for both
// wire directions, the AC slope resistances, the LED levels and the records.

#include "DeviceBench.h"
#include "Diodes.h"
#include "JunctionModel.h"
#include "RecordBytes.h"
#include "ZaroStream.h"

#include <cmath>

namespace zaro::test {
namespace {

constexpr double K = JunctionK;

// --- The characteristic ---------------------------------------------------------

struct TCurrentCase {
    const char* Name;
    double Volts;
    double Expected;
};

std::ostream& operator<<(std::ostream& os, const TCurrentCase& c) {
    return os << c.Name;
}

class DiodeJunctionCurrent : public ::testing::TestWithParam<TCurrentCase> {};

TEST_P(DiodeJunctionCurrent, FollowsTheExponentialUpToTheLimit) {
    const TCurrentCase& c = GetParam();
    EXPECT_NEAR(JunctionCurrent(1E-9, K, 1E6, c.Volts), c.Expected,
                1E-11 * std::max(1.0, std::fabs(c.Expected)));
}

INSTANTIATE_TEST_SUITE_P(
    Voltages, DiodeJunctionCurrent,
    ::testing::Values(TCurrentCase{"OneMilliampereAt0V6", 0.6, 0.001 + 0.6E-6 - 1E-9},
                      TCurrentCase{"NothingAt0V", 0.0, 0.0},
                      TCurrentCase{"LeakageInReverse", -1.0, 1E-9 * (1E-10 - 1) - 1E-6},
                      // 1.19 V is just below the 1000 A point (1.2 V), 1.21 V just above.
                      TCurrentCase{"BelowTheLimit", 1.19, 1E-9 * std::pow(10.0, 11.9) + 1.19E-6},
                      TCurrentCase{"LimitedAt1V21", 1.21, 1000 - 1E-9 + 1.21E-6},
                      TCurrentCase{"LimitedAt1V3", 1.3, 1000 - 1E-9 + 1.3E-6},
                      TCurrentCase{"LimitedAt2V", 2.0, 1000 - 1E-9 + 2E-6},
                      TCurrentCase{"LimitedFarBeyond", 1E6, 1000 - 1E-9 + 1.0}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(DiodeJunctionModel, LimitedExpTellsWhichBranchWasTaken) {
    bool limited = true;
    EXPECT_NEAR(LimitedExp(std::log(999.0), limited), 999.0, 1E-9);
    EXPECT_FALSE(limited);
    EXPECT_EQ(LimitedExp(800.0, limited), 1000.0); // exp(800) would overflow
    EXPECT_TRUE(limited);
}

TEST(DiodeJunctionModel, FaultsBecomeMathErrors) {
    EXPECT_THROW(SlopeResistance(1E-9, K, 40.0), EOverflow);    // exp(921)
    EXPECT_THROW(SlopeResistance(1E-9, K, -40.0), EZeroDivide); // slope underflows to 0
    EXPECT_THROW(JunctionCurrent(0.0, K, 1E6, 0.6), EZeroDivide);
    EXPECT_THROW(JunctionCurrent(-1E-9, K, 1E6, 0.6), EInvalidOp);
    EXPECT_THROW(JunctionCurrent(1E-9, K, 1E6, std::nan("")), EInvalidOp);
    EXPECT_THROW(JunctionCurrent(1E-9, K, 0.0, 0.6), EZeroDivide);
}

// --- Panels ---------------------------------------------------------------------------

struct TPanelCase {
    std::string ClassName;
    int ImageIndex;
    int Width;
    bool VertCenter;
    std::vector<std::string> Captions;
    TRect Port1;
    std::string ValueText; // empty: no value box
};

std::ostream& operator<<(std::ostream& os, const TPanelCase& c) {
    return os << c.ClassName;
}

class DiodePanel : public ::testing::TestWithParam<TPanelCase> {};

TEST_P(DiodePanel, GeometryCaptionsAndValueBox) {
    const TPanelCase& c = GetParam();
    TDeviceBench bench;
    auto device = bench.Make(c.ClassName);
    EXPECT_EQ(device->ImageIndex(), c.ImageIndex);
    EXPECT_EQ(device->BoundsRect(), TRect::FromBounds(0, 0, c.Width, 48));
    EXPECT_TRUE(device->ImageHorzCenter());
    EXPECT_EQ(device->ImageVertCenter(), c.VertCenter);
    ASSERT_EQ(device->PortCount(), 2);
    EXPECT_EQ(device->PortRect(0), TRect(0, 16, 8, 32));
    EXPECT_EQ(device->PortRect(1), c.Port1);
    EXPECT_EQ(device->PortDirection(0), TPortDirection::pdLeft);
    EXPECT_EQ(device->PortDirection(1), TPortDirection::pdRight);
    EXPECT_EQ(device->PortCaption(0), c.Captions[0]);
    EXPECT_EQ(device->PortCaption(1), c.Captions[1]);
    EXPECT_TRUE(device->IsNonLinear());
    EXPECT_EQ(device->NonLinearParamCount(), 1);
    EXPECT_EQ(device->Residuals().size(), 1U);
    if (c.ValueText.empty()) {
        EXPECT_EQ(device->ValueEdit(), nullptr);
        return;
    }
    ASSERT_NE(device->ValueEdit(), nullptr);
    EXPECT_EQ(device->ValueEdit()->Text(), c.ValueText);
    EXPECT_FALSE(device->ValueEdit()->ReadOnly());
    EXPECT_EQ(device->ValueEdit()->BoundsRect(), TRect::FromBounds(12, 26, 72, 16));
    EXPECT_EQ(device->ValueEdit()->FontHeight(), 12);
}

INSTANTIATE_TEST_SUITE_P(
    Classes, DiodePanel,
    ::testing::Values(TPanelCase{"TDiode", 18, 48, true, {"+", "-"}, {40, 16, 48, 32}, ""},
                      TPanelCase{"TLED", 24, 48, true, {"+", "-"}, {40, 16, 48, 32}, ""},
                      TPanelCase{"TZenarDiode", 23, 96, false, {"-", "+"}, {88, 16, 96, 32}, "5"}),
    [](const auto& info) { return info.param.ClassName; });

// Preparation resets the parameter but keeps the operating point of the last
// analysis, which later AC analyses use.
TEST(DiodeParameters, PreparationResetsTheParameterOnly) {
    TDeviceBench bench;
    TDiode diode(bench.Evaluator);
    TLED led(bench.Evaluator);
    TZenarDiode zener(bench.Evaluator);
    EXPECT_EQ(diode.EquivR, 60);
    diode.Vop = 0.7;
    zener.Vop = 4.0;
    led.EquivR = zener.EquivR = 1;
    diode.UpdateDeviceValue();
    led.UpdateDeviceValue();
    zener.UpdateDeviceValue();
    EXPECT_EQ(diode.EquivR, 6);
    EXPECT_EQ(led.EquivR, 20);
    EXPECT_EQ(zener.EquivR, 1000);
    EXPECT_NEAR(zener.IsZ / 1E-52, 1.0, 1E-9); // 0.01 / (1E50 - 1)
    EXPECT_EQ(diode.Vop, 0.7);
    EXPECT_EQ(zener.Vop, 4.0);
}

TEST(DiodeParameters, RegistryReachesTheDevicesOwnStorage) {
    TDeviceBench bench;
    TDiode diode(bench.Evaluator);
    for (int index : {0, 1, 7}) {
        EXPECT_EQ(diode.NonLinearParam(index), &diode.EquivR);
        EXPECT_EQ(diode.NonLinearResidual(index), &diode.Residuals()[0]);
    }
    *diode.NonLinearParam(0) = 12.5;
    TDCCoefArray coef;
    TDCRhsArray rhs;
    diode.BuildDCDeviceEquation(coef, rhs);
    EXPECT_EQ(coef[1], -12.5); // the DC resistance is the parameter as the iteration set it
}

TEST(ZenerVoltage, FaultyTextsRaiseAndKeepTheModel) {
    TDeviceBench bench;
    TZenarDiode zener(bench.Evaluator);
    zener.EquivR = 55;
    for (const char* text : {"0", "40", "zz+"}) {
        SCOPED_TRACE(text);
        zener.ValueEdit()->SetText(text);
        EXPECT_THROW(zener.UpdateDeviceValue(), EZaroError);
        EXPECT_EQ(zener.IsZ, 1E-9);
        EXPECT_EQ(zener.EquivR, 55);
    }
    zener.ValueEdit()->SetText("0");
    EXPECT_THROW(zener.UpdateDeviceValue(), EZeroDivide); // exp(0) - 1 = 0
    zener.ValueEdit()->SetText("40");
    EXPECT_THROW(zener.UpdateDeviceValue(), EOverflow); // exp(921)
}

// --- Rows ------------------------------------------------------------------------------

// V0 - R s0 I0 - V1 = 0; s0 I0 + s1 I1 = 0.
void ExpectResistanceRows(const TDCCoefArray& coef, const std::vector<int>& s, double r) {
    for (int i = 0; i < TDCCoefArray::Count; ++i) {
        double expected = 0.0;
        switch (i) {
        case 0:
            expected = 1.0;
            break;
        case 1:
            expected = -r * s[0];
            break;
        case 2:
            expected = -1.0;
            break;
        case 5:
            expected = s[0];
            break;
        case 7:
            expected = s[1];
            break;
        default:
            break;
        }
        EXPECT_NEAR(coef[i], expected, 1E-12 * std::max(1.0, std::fabs(expected))) << i;
    }
}

void ExpectImpedanceRows(const TACCoefArray& coef, const std::vector<int>& s, double r) {
    TDCCoefArray real;
    for (int i = 0; i < TACCoefArray::Count; ++i) {
        EXPECT_EQ(coef[i].im, 0.0) << i;
        real[i] = coef[i].re;
    }
    ExpectResistanceRows(real, s, r);
}

struct TRowsCase {
    std::string ClassName;
    double PreparedR; // DC resistance right after preparation
    double SlopeR;    // AC resistance at the constructor's operating point
};

std::ostream& operator<<(std::ostream& os, const TRowsCase& c) {
    return os << c.ClassName;
}

class DiodeRows : public ::testing::TestWithParam<TRowsCase> {};

TEST_P(DiodeRows, ResistanceInDCSlopeResistanceInAC) {
    const TRowsCase& c = GetParam();
    for (const std::vector<int>& signs : SignPatterns(2)) {
        SCOPED_TRACE(::testing::PrintToString(signs));
        TDeviceBench bench;
        TZaroSimDevice& device = bench.Prepared(c.ClassName, signs);
        const TDCBlockOf dc(device);
        ExpectResistanceRows(dc.Coef, signs, c.PreparedR);
        const TACBlockOf ac(device);
        ExpectImpedanceRows(ac.Coef, signs, c.SlopeR);
        for (int r = 0; r < DeviceRhsCount; ++r) {
            EXPECT_EQ(dc.Rhs[r], 0.0);
            EXPECT_EQ(ac.Rhs[r], (TComplex{0, 0}));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Classes, DiodeRows,
    ::testing::Values(TRowsCase{"TDiode", 6, 43.42944819033802},        // 1 mA at 0.6 V
                      TRowsCase{"TLED", 20, 28069.77292505099},         // at 1.0 V
                      TRowsCase{"TZenarDiode", 1000, 4.3429448190326}), // 10 mA at 5 V
    [](const auto& info) { return info.param.ClassName; });

TEST(DiodeRowsAC, ZenerForwardSlopeIsTakenAtTheConductingVoltage) {
    TDeviceBench bench;
    TZenarDiode zener(bench.Evaluator);
    zener.Vop = -0.6; // forward: anode 0.6 V above the cathode, 1 mA
    TACCoefArray coef;
    TACRhsArray rhs;
    zener.BuildACDeviceEquation(coef, rhs);
    EXPECT_NEAR(-coef[1].re, 43.42944819, 1E-6);
}

TEST(DiodeRowsAC, ExtremeOperatingPointIsAMathError) {
    TDeviceBench bench;
    TDiode diode(bench.Evaluator);
    TACCoefArray coef;
    TACRhsArray rhs;
    diode.Vop = 40.0;
    EXPECT_THROW(diode.BuildACDeviceEquation(coef, rhs), EOverflow);
    diode.Vop = -40.0;
    EXPECT_THROW(diode.BuildACDeviceEquation(coef, rhs), EZeroDivide);
}

// --- Residuals ---------------------------------------------------------------------------

// Potentials of ports 0 and 1, and the wire current at port 0 that makes
// `into` flow into port 0 for the given sign.
struct TPoint2 {
    TPortRealArray V;
    TPortRealArray I;
};

TPoint2 OperatingPoint(double v0, double v1, double into, int sign0) {
    TPoint2 p;
    p.V[0] = v0;
    p.V[1] = v1;
    p.I[0] = into * sign0;
    p.I[1] = -into * sign0; // not read by the devices
    return p;
}

struct TResidualCase {
    const char* Name;
    std::string ClassName;
    double V0, V1, Into;
    double Expected;
};

std::ostream& operator<<(std::ostream& os, const TResidualCase& c) {
    return os << c.Name;
}

class DiodeResidual : public ::testing::TestWithParam<TResidualCase> {};

TEST_P(DiodeResidual, CurrentIntoPort0MinusTheModelForBothWireDirections) {
    const TResidualCase& c = GetParam();
    for (int sign0 : {1, -1}) {
        SCOPED_TRACE(sign0);
        TDeviceBench bench;
        auto& device =
            static_cast<TJunctionDiode&>(bench.Place(bench.Make(c.ClassName), {sign0, 1}));
        device.UpdateDeviceValue();
        const TPoint2 p = OperatingPoint(c.V0, c.V1, c.Into, sign0);
        const double returned = device.CalcNonLinearResidual(p.V, p.I);
        EXPECT_NEAR(device.Residuals()[0], c.Expected, 1E-15);
        EXPECT_EQ(returned, device.Residuals()[0]);
        EXPECT_EQ(device.Vop, c.V0 - c.V1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Points, DiodeResidual,
    ::testing::Values(
        // 1 mA into the anode at 0.6 V: only leakage and -Is remain.
        TResidualCase{"DiodeAt0V6", "TDiode", 1.6, 1.0, 0.001, -(0.6E-6 - 1E-9)},
        TResidualCase{"DiodeReverse", "TDiode", 0.0, 5.0, 0.0, 5E-6 + 1E-9 - 1E-9 * 1E-50},
        // 10 mA at 2.0 V.
        TResidualCase{"LEDAt2V", "TLED", 2.0, 0.0, 0.01, 0.01 - 0.01000199784556492},
        // Cathode 5 V above the anode: 10 mA into the cathode (breakdown).
        TResidualCase{"ZenerBreakdown", "TZenarDiode", 5.0, 0.0, 0.01, -(5E-6 - 1E-52)},
        // Anode 0.6 V above the cathode: 1 mA out of the cathode (forward).
        TResidualCase{"ZenerForward", "TZenarDiode", 0.0, 0.6, -0.001, 0.6E-6 - 1E-9},
        TResidualCase{"ZenerAtZero", "TZenarDiode", 3.0, 3.0, 0.0, 0.0}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(DiodeResidualPenalty, NegativeEquivalentResistanceTriplesAtMinusTwo) {
    TDeviceBench bench;
    for (const char* name : {"TDiode", "TLED", "TZenarDiode"}) {
        SCOPED_TRACE(name);
        auto device = bench.Make(name);
        auto& diode = static_cast<TJunctionDiode&>(*device);
        diode.UpdateDeviceValue();
        const TPoint2 p = OperatingPoint(0.0, 0.3, 0.002, 1);
        const double plain = diode.CalcNonLinearResidual(p.V, p.I);
        diode.EquivR = -2;
        EXPECT_DOUBLE_EQ(diode.CalcNonLinearResidual(p.V, p.I), 3 * plain);
        EXPECT_DOUBLE_EQ(diode.Residuals()[0], 3 * plain);
    }
}

// Far beyond the limit the residual stays finite: the exponential is capped.
TEST(DiodeResidualLimit, HugeVoltageGivesTheCappedCurrent) {
    TDeviceBench bench;
    TDiode diode(bench.Evaluator);
    const TPoint2 p = OperatingPoint(500.0, 0.0, 0.0, 1);
    EXPECT_NEAR(diode.CalcNonLinearResidual(p.V, p.I), -(1000 - 1E-9 + 500 / 1E6), 1E-9);
    TZenarDiode zener(bench.Evaluator);
    zener.UpdateDeviceValue();
    const TPoint2 q = OperatingPoint(0.0, 500.0, 0.0, 1);
    EXPECT_NEAR(zener.CalcNonLinearResidual(q.V, q.I), 1000 - 1E-9 + 500 / 1E6, 1E-9);
}

// --- LED display ---------------------------------------------------------------------------

struct TLevelCase {
    const char* Name;
    TComplex Current;
    int Image;
};

std::ostream& operator<<(std::ostream& os, const TLevelCase& c) {
    return os << c.Name;
}

class LEDBrightness : public ::testing::TestWithParam<TLevelCase> {};

TEST_P(LEDBrightness, ImageFollowsTheCurrentModulus) {
    const TLevelCase& c = GetParam();
    TDeviceBench bench;
    TZaroSimDevice& led = bench.Place(bench.Make("TLED"), {-1, 1});
    TPortComplexArray v;
    TPortComplexArray i;
    i[0] = c.Current;
    const int repaints = bench.Platform.Count("RepaintPanel");
    led.ShowDeviceResult(v, i);
    EXPECT_EQ(led.ImageIndex(), c.Image);
    EXPECT_EQ(bench.Platform.Count("RepaintPanel"), repaints + 1);
}

INSTANTIATE_TEST_SUITE_P(Currents, LEDBrightness,
                         ::testing::Values(TLevelCase{"Dark", {0.0002, 0}, 24},
                                           TLevelCase{"AtFirstThreshold", {0.0003, 0}, 25},
                                           TLevelCase{"FiveMilliamperes", {0.005, 0}, 26},
                                           TLevelCase{"ReversedFiveMilliamperes", {-0.005, 0}, 26},
                                           TLevelCase{"AtThirdThreshold", {0.03, 0}, 27},
                                           TLevelCase{"FiftyMilliamperes", {0.05, 0}, 27},
                                           TLevelCase{"BeyondTheLastThreshold", {200.0, 0}, 27},
                                           // The modulus counts, not the real part alone.
                                           TLevelCase{"ComplexModulus", {0.0002, -0.005}, 26}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(LEDDisplay, ClearingDarkensAndRepaints) {
    TDeviceBench bench;
    TZaroSimDevice& led = bench.Place(bench.Make("TLED"), {1, 1});
    led.SetImageIndex(27);
    const int repaints = bench.Platform.Count("RepaintPanel");
    led.ClearDeviceResult();
    EXPECT_EQ(led.ImageIndex(), 24);
    EXPECT_EQ(bench.Platform.Count("RepaintPanel"), repaints + 1);
}

// --- Records --------------------------------------------------------------------------------

TEST(DiodeRecord, OnlyTheZenerStoresAText) {
    TDeviceBench bench;
    TDiode diode(bench.Evaluator);
    TLED led(bench.Evaluator);
    TZenarDiode zener(bench.Evaluator);
    zener.ValueEdit()->SetText("6.2");
    EXPECT_TRUE(StartsWith(Record(diode), Strings({"TDiode", "TDragPanel4P", "TDragPanel_3"})));
    EXPECT_TRUE(StartsWith(Record(led), Strings({"TLED", "TDragPanel4P", "TDragPanel_3"})));
    EXPECT_TRUE(
        StartsWith(Record(zener), Strings({"TZenarDiode", "6.2", "TDragPanel4P", "TDragPanel_3"})));

    TZenarDiode copy(bench.Evaluator);
    TMemoryStream stream(Record(zener));
    copy.LoadFromStream(stream);
    EXPECT_EQ(copy.ValueText(), "6.2");
    EXPECT_EQ(Record(copy), Record(zener));
}

// Records of the same layout under another name are refused.
TEST(DiodeRecord, DiodeRecordIsNotAnLED) {
    TDeviceBench bench;
    ExpectRecordOfRefusedBy(bench.Evaluator, "TDiode", "TLED");
}

TEST(DiodeRecord, EarlierLayoutIsConvertedForTheDiodeOnly) {
    TDeviceBench bench;
    for (const char* name : {"TDiode", "TLED", "TZenarDiode"}) {
        SCOPED_TRACE(name);
        auto old = bench.Make(name);
        old->SetBounds(100, 50, 64, 64);
        old->SetPortRect(0, {1, 2, 3, 4});
        old->SetPortRect(1, {5, 6, 7, 8});
        TMemoryStream stream(Record(*old));
        auto device = bench.Make(name);
        device->LoadFromStream(stream);
        EXPECT_EQ(device->PortRect(0), TRect(1, 2, 3, 4));
        if (std::string(name) == "TDiode") {
            // Moved by (8, 8), 48 wide, height as loaded, cathode port re-laid.
            EXPECT_EQ(device->BoundsRect(), TRect::FromBounds(108, 58, 48, 64));
            EXPECT_EQ(device->PortRect(1), TRect(40, 16, 48, 32));
        } else {
            EXPECT_EQ(device->BoundsRect(), TRect::FromBounds(100, 50, 64, 64));
            EXPECT_EQ(device->PortRect(1), TRect(5, 6, 7, 8));
        }
    }
}

} // namespace
} // namespace zaro::test
