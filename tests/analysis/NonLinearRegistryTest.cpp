// The registry of non-linear parameters: what it collects, when it still
// matches the devices, and RunNonLinear without initialisation falling back
// to a fresh start when it no longer does.

#include "AnalysisFixture.h"
#include "Diodes.h"
#include "PassiveDevices.h"
#include "Sources.h"
#include "Transistors.h"

#include <array>

namespace zaro::test {
namespace {

// A resistance whose value is its parameter 0, with as many parameters as
// the test asks for; every residual is 0, so any point is an operating point.
class TAdjustable : public T2PortDevice {
public:
    explicit TAdjustable(TTinyParser& evaluator) : T2PortDevice(evaluator) {
        FResiduals.assign(3, 0);
    }
    std::string ClassName() const override { return "TAdjustable"; }
    void UpdateDeviceValue() override { Params = {100, 200, 300}; }
    void BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) override {
        BuildDCResistanceEquation(Coef, Rhs, Params[0]);
    }
    bool IsNonLinear() const override { return true; }
    int NonLinearParamCount() const override { return Count; }
    double* NonLinearParam(int index) override {
        return &Params.at(static_cast<std::size_t>(index));
    }
    double* NonLinearResidual(int index) override {
        return &FResiduals.at(static_cast<std::size_t>(index));
    }

    int Count = 1;
    std::array<double, 3> Params{100, 200, 300};
};

class NonLinearRegistryTest : public TAnalysisFixture {
protected:
    TAdjustable& AdjustableCircuit() {
        auto& gnd = Add<TGnd>();
        auto& vdc = Add<TVDC>("1");
        auto& device =
            static_cast<TAdjustable&>(Canvas.AddDragPanel(std::make_unique<TAdjustable>(TP1)));
        auto& gnd2 = Add<TGnd>();
        Wire(gnd, 0, vdc, 0);
        Wire(vdc, 1, device, 0);
        Wire(device, 1, gnd2, 0);
        return device;
    }
};

TEST_F(NonLinearRegistryTest, CollectsParametersInCanvasOrder) {
    auto& d = Add<TDiode>();
    Add<TResistor>();
    auto& q = Add<TTrNPN>();
    Equations.PrepareAnalysis();
    EXPECT_EQ(Registry.NonLinearDeviceCount(), 2);
    EXPECT_EQ(Registry.NonLinearParamTotal(), 3);
    EXPECT_EQ(Registry.NonLinearDevices(), (std::vector<int>{0, 2}));
    EXPECT_EQ(Registry.NonLinearParamRefs(),
              (std::vector<double*>{&d.EquivR, &q.EquivRBE, &q.EquivRCE}));
    EXPECT_EQ(Registry.NonLinearResidualRefs(),
              (std::vector<double*>{d.NonLinearResidual(0), q.NonLinearResidual(0),
                                    q.NonLinearResidual(1)}));
    EXPECT_EQ(Registry.NonLinearStartValues(), (std::vector<double>{6, 6, 100000}));
}

TEST_F(NonLinearRegistryTest, MatchesOnlyTheDevicesItWasBuiltFrom) {
    Add<TDiode>();
    auto& r = Add<TResistor>();
    Equations.PrepareAnalysis();
    EXPECT_TRUE(Registry.Matches(Canvas));
    Add<TResistor>();
    EXPECT_FALSE(Registry.Matches(Canvas));
    Canvas.DeleteDragPanel(2);
    EXPECT_TRUE(Registry.Matches(Canvas));
    Canvas.DeleteDragPanel(r.Index());
    EXPECT_FALSE(Registry.Matches(Canvas));
}

TEST_F(NonLinearRegistryTest, CurrentParamsReadTheDevicesThemselves) {
    auto& d = Add<TDiode>();
    Equations.PrepareAnalysis();
    Registry.ReleaseReferences();
    d.EquivR = 42;
    EXPECT_EQ(Registry.CurrentParams(Canvas), std::vector<double>{42});
    Add<TDiode>();
    EXPECT_THROW(Registry.CurrentParams(Canvas), ERangeError);
}

TEST_F(NonLinearRegistryTest, RunWithoutInitialisationKeepsTheParametersOfTheSameDevices) {
    auto& device = AdjustableCircuit();
    Equations.PrepareAnalysis();
    device.Params[0] = 250;
    NonLinear.RunNonLinear(false);
    EXPECT_EQ(Registry.NonLinearStartValues(), std::vector<double>{250});
    EXPECT_EQ(device.Params[0], 250);
    // 1 V over 250 Ohm (and the source's 0.0001 Ohm).
    EXPECT_NEAR(IInto(device, 0).re, 0.004, 1e-8);
}

TEST_F(NonLinearRegistryTest, ChangedParameterCountStartsFromTheStartValues) {
    auto& device = AdjustableCircuit();
    Equations.PrepareAnalysis();
    device.Params[0] = 250;
    device.Count = 3;
    NonLinear.RunNonLinear(false);
    EXPECT_EQ(Registry.NonLinearStartValues(), (std::vector<double>{100, 200, 300}));
    EXPECT_NEAR(IInto(device, 0).re, 0.01, 1e-7);
}

} // namespace
} // namespace zaro::test
