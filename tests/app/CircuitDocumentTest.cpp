// The document as the shell uses it: devices placed through it, the analysis
// commands, the property page and the status bar after a run.

#include "CircuitDocument.h"
#include "Diodes.h"
#include "FakePlatform.h"
#include "FakeProgressView.h"
#include "PassiveDevices.h"
#include "Sources.h"
#include "Transistors.h"
#include "ZaroMathTestEnvironment.h"

#include <gtest/gtest.h>

namespace zaro::test {
namespace {

class CircuitDocumentTest : public ::testing::Test {
protected:
    // 5 V -> 1 kOhm -> diode -> ground.
    void DiodeCircuit() {
        auto& gnd = Doc.AddDevice<TGnd>();
        auto& vdc = Doc.AddDevice<TVDC>();
        vdc.ValueEdit()->SetText("5");
        auto& r = Doc.AddDevice<TResistor>();
        Diode = &Doc.AddDevice<TDiode>();
        auto& gnd2 = Doc.AddDevice<TGnd>();
        Doc.Canvas().ConnectPorts(gnd.Index(), 0, vdc.Index(), 0);
        Doc.Canvas().ConnectPorts(vdc.Index(), 1, r.Index(), 0);
        Doc.Canvas().ConnectPorts(r.Index(), 1, Diode->Index(), 0);
        Doc.Canvas().ConnectPorts(Diode->Index(), 1, gnd2.Index(), 0);
    }

    TFakePlatform Platform;
    TFakeProgressView View;
    TCircuitDocument Doc{Platform, View};
    TDiode* Diode = nullptr;
};

TEST_F(CircuitDocumentTest, StartsUntitledWithTheDefaultFrequency) {
    EXPECT_EQ(Doc.FileName(), "");
    EXPECT_FALSE(Doc.Modified());
    EXPECT_FALSE(Doc.Analysis().ResultsValid());
    EXPECT_EQ(Doc.FrequencyText(), "1000");
    EXPECT_EQ(Doc.TP1().Variables(), &Doc.VariableLines());
}

TEST_F(CircuitDocumentTest, DeviceValueTextsSeeTheUsersVariables) {
    auto& gnd = Doc.AddDevice<TGnd>();
    auto& vdc = Doc.AddDevice<TVDC>();
    vdc.ValueEdit()->SetText("E*2");
    auto& r = Doc.AddDevice<TResistor>();
    r.ValueEdit()->SetText("RL");
    auto& gnd2 = Doc.AddDevice<TGnd>();
    Doc.Canvas().ConnectPorts(gnd.Index(), 0, vdc.Index(), 0);
    Doc.Canvas().ConnectPorts(vdc.Index(), 1, r.Index(), 0);
    Doc.Canvas().ConnectPorts(r.Index(), 1, gnd2.Index(), 0);
    Doc.SetVariableLines({"E=3", "RL=2k"});
    Doc.AtnSimulateDC();
    ASSERT_TRUE(Doc.Analysis().ResultsValid());
    // 6 V over 2 kOhm.
    const TComplex i = WireCurrentAt(Doc.Analysis(), r.PortConnectorNo(0));
    EXPECT_NEAR(std::fabs(i.re), 0.003, 1e-8);
}

TEST_F(CircuitDocumentTest, AnalysisRefreshesStatusAndProperty) {
    DiodeCircuit();
    Doc.Canvas().SetSelectedDragPanelNo(Diode->Index());
    Doc.AtnSimulateDCNonLinear();
    EXPECT_TRUE(Doc.Analysis().ResultsValid());
    EXPECT_EQ(Platform.Status[1], "DC解析");
    EXPECT_TRUE(Platform.CommandsEnabled);
    EXPECT_EQ(Platform.Title, "Untitled - ZaroSim");
    EXPECT_EQ(
        Doc.PropertyText().rfind("No. = 3\r\nNumber of nodes = 2\r\nPort 0 (+)\r\n  V = 0.66", 0),
        0u)
        << Doc.PropertyText();
    EXPECT_EQ(Doc.VariableLines(), std::vector<std::string>{"F=1000"});
}

TEST_F(CircuitDocumentTest, ClickOnAPlacedDeviceShowsItsProperties) {
    DiodeCircuit();
    Doc.Canvas().SetSelectedDragPanelNo(1);
    Doc.Canvas().DragPanel(1).Click();
    EXPECT_EQ(Doc.PropertyText(), "No. = 1\r\nNumber of nodes = 2\r\n");
}

TEST_F(CircuitDocumentTest, ModifyingAfterAnAnalysisDropsTheResultsFromStatusAndProperty) {
    DiodeCircuit();
    Doc.AtnSimulateDC();
    ASSERT_TRUE(Doc.Analysis().ResultsValid());
    Doc.SetModified(true);
    Doc.UpdateStatus();
    Doc.Canvas().SetSelectedDragPanelNo(0);
    Doc.ShowDeviceProperty();
    EXPECT_EQ(Platform.Status[0], "変更");
    EXPECT_EQ(Platform.Status[1], "");
    EXPECT_EQ(Doc.PropertyText(), "No. = 0\r\nNumber of nodes = 1\r\n");
}

TEST_F(CircuitDocumentTest, BusyDuringTheAnalysis) {
    DiodeCircuit();
    bool busySeen = false;
    Platform.OnProcessMessages = [&] {
        busySeen = busySeen || (!Platform.CommandsEnabled && Platform.Status[1] == "解析中");
    };
    Doc.AtnSimulateACNonLinear();
    EXPECT_TRUE(busySeen);
    EXPECT_TRUE(Platform.CommandsEnabled);
    EXPECT_EQ(Platform.Status[1], "AC解析");
}

TEST_F(CircuitDocumentTest, DiagnosisItemsWorkOnTheDocument) {
    Doc.AddDevice<TTrNPN>();
    static_cast<TAnalysisHost&>(Doc).DebugLog() = {"x"}; // as an analysis fills it
    Doc.MoreAnalyze1Click();
    Doc.DebugLogCopy1Click();
    EXPECT_EQ(Platform.Messages, std::vector<std::string>{"EquiR: 60\r\nBlockR: 10000"});
    EXPECT_EQ(Platform.ClipboardText, "x\r\n");
}

} // namespace
} // namespace zaro::test
