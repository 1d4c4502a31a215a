// What every device inherits: the defaults of the engine-facing operations,
// value evaluation through the document's evaluator, checked block access.

#include "CaseNames.h"
#include "DeviceBench.h"
#include "EConvertError.h"
#include "PassiveDevices.h"

namespace zaro::test {
namespace {

// A device that overrides nothing but its name.
class TBareDevice : public TZaroSimDevice {
public:
    using TZaroSimDevice::TZaroSimDevice;
    std::string ClassName() const override { return "TBareDevice"; }
};

TEST(DeviceBase, DefaultsOfTheEngineOperations) {
    TDeviceBench bench;
    TBareDevice device(bench.Evaluator);
    EXPECT_FALSE(device.IsNonLinear());
    EXPECT_EQ(device.NonLinearParamCount(), 0);
    EXPECT_EQ(device.NonLinearParam(0), nullptr);
    EXPECT_EQ(device.NonLinearResidual(0), nullptr);
    TPortRealArray v;
    TPortRealArray i;
    EXPECT_EQ(device.CalcNonLinearResidual(v, i), 0.0);
    EXPECT_EQ(device.Value(), (TComplex{0, 0}));
    EXPECT_TRUE(device.Residuals().empty());
    EXPECT_EQ(device.ValueEdit(), nullptr);
    EXPECT_TRUE(device.EditBoxes().empty());
}

TEST(DeviceBase, UnbuiltEquationsReportTheProgrammingError) {
    TDeviceBench bench;
    TBareDevice device(bench.Evaluator);
    TDCCoefArray dcCoef;
    TDCRhsArray dcRhs;
    TACCoefArray acCoef;
    TACRhsArray acRhs;
    try {
        device.BuildDCDeviceEquation(dcCoef, dcRhs);
        FAIL();
    } catch (const EZaroError& e) {
        EXPECT_STREQ(e.what(), "TZaroSimDevice.BuildDCDeviceEquation is called.");
    }
    try {
        device.BuildACDeviceEquation(acCoef, acRhs);
        FAIL();
    } catch (const EZaroError& e) {
        EXPECT_STREQ(e.what(), "TZaroSimDevice.BuildACDeviceEquation is called.");
    }
}

TEST(DeviceBase, GeometryOfThePortCountBases) {
    TDeviceBench bench;
    struct TProbe : T4PortDevice {
        using T4PortDevice::T4PortDevice;
        std::string ClassName() const override { return "TProbe"; }
    } probe(bench.Evaluator);
    EXPECT_EQ(probe.Width(), 96);
    EXPECT_EQ(probe.Height(), 48);
    EXPECT_TRUE(probe.ImageHorzCenter());
    ASSERT_EQ(probe.PortCount(), 4);
    EXPECT_EQ(probe.PortRect(0), (TRect{0, 16, 8, 32}));
    EXPECT_EQ(probe.PortRect(1), (TRect{88, 16, 96, 32}));
    EXPECT_EQ(probe.PortRect(2), (TRect{40, 40, 56, 48}));
    EXPECT_EQ(probe.PortRect(3), (TRect{40, 0, 56, 8}));
    EXPECT_EQ(probe.PortDirection(0), TPortDirection::pdLeft);
    EXPECT_EQ(probe.PortDirection(1), TPortDirection::pdRight);
    EXPECT_EQ(probe.PortDirection(2), TPortDirection::pdDown);
    EXPECT_EQ(probe.PortDirection(3), TPortDirection::pdUp);
}

TEST(DeviceBase, ArraysRejectIndicesOutsideTheBlock) {
    TDCCoefArray coef;
    TACRhsArray rhs;
    EXPECT_THROW(coef[32], ERangeError);
    EXPECT_THROW(coef[-1], ERangeError);
    EXPECT_THROW(rhs[4], ERangeError);
    EXPECT_NO_THROW(coef[31] = 1.0);
}

struct TEvalCase {
    std::string Text;
    double Expected;
};

class EvaluateExpressionTable : public ::testing::TestWithParam<TEvalCase> {};

TEST_P(EvaluateExpressionTable, PassesThroughTheAnswerText) {
    TDeviceBench bench;
    bench.Variables = {"F=1000", "RL=2.2K"};
    EXPECT_DOUBLE_EQ(EvaluateExpression(bench.Evaluator, GetParam().Text), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, EvaluateExpressionTable,
                         ::testing::Values(TEvalCase{"2*3", 6}, TEvalCase{"1k", 1000},
                                           TEvalCase{"2.2K", 2200},
                                           TEvalCase{"1/3", 0.333333333333333},
                                           TEvalCase{"RL*2", 4400}, TEvalCase{"F", 1000}),
                         test::NamedAfter(&TEvalCase::Text));

TEST(DeviceBase, EmptyTextIsNotANumber) {
    TDeviceBench bench;
    TResistor r(bench.Evaluator);
    try {
        r.EvaluateExpression("");
        FAIL();
    } catch (const EZaroError& e) {
        EXPECT_STREQ(e.what(), "ZaroStrToFloat: Not a number.");
    }
}

// Two documents, two evaluators: a device sees only the variables of its own.
TEST(DeviceBase, EachDeviceEvaluatesThroughItsOwnDocument) {
    TDeviceBench first;
    TDeviceBench second;
    first.Variables = {"R1=1k"};
    second.Variables = {"R1=2k"};
    TResistor a(first.Evaluator);
    TResistor b(second.Evaluator);
    a.ValueEdit()->SetText("R1");
    b.ValueEdit()->SetText("R1");
    a.UpdateDeviceValue();
    b.UpdateDeviceValue();
    EXPECT_EQ(a.Value().re, 1000);
    EXPECT_EQ(b.Value().re, 2000);
}

} // namespace
} // namespace zaro::test
