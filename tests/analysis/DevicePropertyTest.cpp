// The property text of the selected device and the two hidden diagnosis items.

#include "AnalysisFixture.h"
#include "CaseNames.h"
#include "PassiveDevices.h"
#include "Sources.h"
#include "Transistors.h"

namespace zaro::test {
namespace {

class DevicePropertyTest : public TAnalysisFixture {
protected:
    // A resistor whose two wires end at it (current sign +1 at both ports).
    DevicePropertyTest() {
        auto& open = Add<TOpen>();
        auto& open2 = Add<TOpen>();
        R = &Add<TResistor>();
        Wire(open, 0, *R, 0);
        Wire(open2, 0, *R, 1);
        State.WireVoltages.assign(2, MakeComplex(0, 0));
        State.WireCurrents.assign(2, MakeComplex(0, 0));
        State.SetResultsValid(true);
        Canvas.SetSelectedDragPanelNo(R->Index());
    }
    std::string Text() const { return DevicePropertyText(Canvas, State); }

    TResistor* R = nullptr;
};

TEST_F(DevicePropertyTest, NothingSelected) {
    Canvas.SetSelectedDragPanelNo(-1);
    EXPECT_EQ(Text(), "No device is selected.");
}

TEST_F(DevicePropertyTest, WithoutResultsOnlyNumberAndPortCount) {
    State.SetResultsValid(false);
    EXPECT_EQ(Text(), "No. = 2\r\nNumber of nodes = 2\r\n");
}

TEST_F(DevicePropertyTest, PortSectionsShowCurrentsIntoTheDevice) {
    State.WireVoltages[0] = MakeComplex(5, 0);
    State.WireCurrents[0] = MakeComplex(0.005, 0);
    State.WireCurrents[1] = MakeComplex(-0.005, 0);
    EXPECT_EQ(Text(), "No. = 2\r\nNumber of nodes = 2\r\n"
                      "Port 0 (a)\r\n"
                      "  V = 5+j0  (5@0)\r\n"
                      "  I = 0.005+j0  (0.005@0)\r\n"
                      "Port 1 (b)\r\n"
                      "  V = 0+j0  (0@0)\r\n"
                      "  I = -0.005+j0  (0.005@180)\r\n");
}

TEST_F(DevicePropertyTest, WireStartingAtTheDeviceFlipsTheShownCurrent) {
    auto& gnd = Add<TGnd>();
    Wire(*R, 1, gnd, 0);
    State.WireVoltages.assign(2, MakeComplex(0, 0));
    State.WireCurrents.assign(2, MakeComplex(0, 0));
    State.WireCurrents[1] = MakeComplex(0.005, 0.001);
    Canvas.SetSelectedDragPanelNo(R->Index());
    EXPECT_NE(Text().find("Port 1 (b)\r\n  V = 0+j0  (0@0)\r\n"
                          "  I = -0.005+j-0.001  (0.00509902@-168.6901)\r\n"),
              std::string::npos)
        << Text();
}

TEST_F(DevicePropertyTest, PortWhoseWireWasNotSolvedShowsNoResults) {
    // A wire drawn after the analysis gets a number the results do not cover.
    auto& open3 = Add<TOpen>();
    auto& open4 = Add<TOpen>();
    auto& open5 = Add<TOpen>();
    Wire(open3, 0, open4, 0);
    Wire(open5, 0, *R, 1);
    ASSERT_EQ(R->PortConnectorNo(1), 2);
    Canvas.SetSelectedDragPanelNo(R->Index());
    EXPECT_EQ(Text(), "No. = 2\r\nNumber of nodes = 2\r\n");
}

struct TComplexCase {
    TComplex Value;
    const char* Expected;
};

class ComplexTextTest : public DevicePropertyTest,
                        public ::testing::WithParamInterface<TComplexCase> {};

TEST_P(ComplexTextTest, PotentialLine) {
    State.WireVoltages[0] = GetParam().Value;
    const std::string line = std::string("  V = ") + GetParam().Expected + "\r\n";
    EXPECT_NE(Text().find("Port 0 (a)\r\n" + line), std::string::npos) << Text();
}

INSTANTIATE_TEST_SUITE_P(
    G7, ComplexTextTest,
    ::testing::Values(TComplexCase{{5, 0}, "5+j0  (5@0)"}, TComplexCase{{-1, 0}, "-1+j0  (1@180)"},
                      TComplexCase{{1, -2}, "1+j-2  (2.236068@-63.43495)"},
                      TComplexCase{{2.0 / 3.0, 0}, "0.6666667+j0  (0.6666667@0)"},
                      TComplexCase{{1e8, 0}, "1E8+j0  (1E8@0)"},
                      TComplexCase{{0.00001, 0}, "1E-5+j0  (1E-5@0)"},
                      TComplexCase{{0.0001, 0}, "0.0001+j0  (0.0001@0)"},
                      TComplexCase{{0, 1}, "0+j1  (1@90)"},
                      TComplexCase{{-0.0, -0.0}, "0+j0  (0@0)"}),
    test::NamedAfter(&TComplexCase::Expected));

class DiagnosisItemsTest : public TAnalysisFixture {};

TEST_F(DiagnosisItemsTest, ListResistorsShowsEveryNpnOnly) {
    Add<TTrPNP>();
    auto& q1 = Add<TTrNPN>();
    Add<TResistor>();
    auto& q2 = Add<TTrNPN>();
    q2.EquivRBE = 123.5;
    q2.EquivRCE = 1.0 / 3.0;
    MoreAnalyze1Click(Canvas, Platform);
    EXPECT_EQ(q1.EquivRBE, 60);
    EXPECT_EQ(Platform.Messages,
              (std::vector<std::string>{"EquiR: 60\r\nBlockR: 10000",
                                        "EquiR: 123.5\r\nBlockR: 0.333333333333333"}));
}

TEST_F(DiagnosisItemsTest, ListResistorsWithoutNpnShowsNothing) {
    Add<TTrPNP>();
    MoreAnalyze1Click(Canvas, Platform);
    EXPECT_TRUE(Platform.Messages.empty());
}

TEST_F(DiagnosisItemsTest, DebugLogCopyPutsItsLinesOnTheClipboard) {
    Platform.ClipboardText = "before";
    DebugLogCopy1Click({}, Platform);
    EXPECT_EQ(Platform.ClipboardText, "");
    DebugLogCopy1Click({"one", "two"}, Platform);
    EXPECT_EQ(Platform.ClipboardText, "one\r\ntwo\r\n");
}

} // namespace
} // namespace zaro::test
