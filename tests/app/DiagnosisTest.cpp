// The diagnosis as the user meets it: one sentence per finding, after the
// property text, kept and announced by the document until the next edit or
// analysis; the example circuits give none.

#include "AnalysisCommands.h"
#include "DeviceProperty.h"
#include "DiagnosisText.h"
#include "DocumentFixture.h"
#include "StructureCheck.h"
#include "UndoCommands.h"
#include "ZaroMathTestEnvironment.h"

#include <filesystem>

namespace zaro::test {
namespace {

using K = TFindingKind;

struct TSentenceCase {
    TFinding Finding;
    TAnalysisDomain Domain;
    std::string Expected;
};

TFinding Naming(K kind, std::vector<TDiagnosedDevice> devices) {
    TFinding finding;
    finding.Kind = kind;
    finding.Devices = std::move(devices);
    return finding;
}

TFinding WithError(TFinding finding, const std::string& error) {
    finding.Error = error;
    return finding;
}

TFinding Residual(double residual, const std::string& error) {
    TFinding finding = WithError(Naming(K::LargeResidual, {{2, "TDiode"}}), error);
    finding.Residual = residual;
    finding.Voltages = {{"+", 0.7012}, {"-", 0.0}};
    return finding;
}

const TDiagnosedDevice R3{3, "TResistor"};
const TDiagnosedDevice C4{4, "TCapacitor"};
constexpr TAnalysisDomain DC = TAnalysisDomain::DC;
constexpr TAnalysisDomain AC = TAnalysisDomain::AC;

class FindingSentence : public ::testing::TestWithParam<TSentenceCase> {};

TEST_P(FindingSentence, NamesTheDevicesByKindAndNumber) {
    EXPECT_EQ(zaro::FindingSentence(GetParam().Finding, GetParam().Domain), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, FindingSentence,
    ::testing::Values(
        TSentenceCase{Naming(K::FloatingPart, {R3, C4}), DC,
                      "抵抗器 No.3 と蓄電器 No.4 の部分が GND に接続されていません。"},
        TSentenceCase{Naming(K::FloatingPart, {R3, C4, {7, "TPotentialMeter"}}), AC,
                      "抵抗器 No.3、蓄電器 No.4 と電位計 No.7 の部分が GND に接続されていません。"},
        TSentenceCase{Naming(K::NoReference, {}), DC,
                      "回路に GND(接地)も Voltage Level(定電位)もありません。"},
        TSentenceCase{[] {
                          TFinding f = Naming(K::UnwiredPort, {{0, "TTrNPN"}});
                          f.Ports = {"C", "B"};
                          return f;
                      }(),
                      DC, "NPN型バイポーラトランジスタ No.0 のポート C、B が配線されていません。"},
        TSentenceCase{WithError(Naming(K::ValueFault, {C4}), "Floating point division by zero"), AC,
                      "蓄電器 No.4 の値を交流解析で計算できません(Floating point division by "
                      "zero)。"},
        TSentenceCase{Naming(K::ShortedDevice, {R3}), DC,
                      "抵抗器 No.3 の端子がすべて同じ点につながっています。"},
        TSentenceCase{Naming(K::VoltageLoop, {{0, "TVDC"}, {1, "TInductor"}}), DC,
                      "直流電源 No.0 とインダクタ No.1 が直流では電圧源と短絡だけのループになって"
                      "います。"},
        TSentenceCase{Naming(K::CurrentSourceOpen, {{5, "TISRC"}}), AC,
                      "電流源 No.5 の電流が流れる閉じた経路がありません。"},
        TSentenceCase{Residual(0.001234, ""), DC,
                      "整流器 No.2 の残差が最後の反復で 0.001234 のまま残っています(ポート電圧 "
                      "+: 0.7012 V、-: 0 V)。"},
        TSentenceCase{Residual(0, "Floating point division by zero"), DC,
                      "整流器 No.2 の残差を最後の反復で計算できませんでした(Floating point "
                      "division by zero。ポート電圧 +: 0.7012 V、-: 0 V)。"}));

// The menu's hint where it has one, else the Japanese part of its caption.
TEST(DeviceKindName, FollowsTheDeviceMenu) {
    EXPECT_EQ(DeviceKindName("TAmMeter"), "電流計");
    EXPECT_EQ(DeviceKindName("TLED"), "発光ダイオード");
    EXPECT_EQ(DeviceKindName("TZenarDiode"), "ツェナダイオード");
    EXPECT_EQ(DeviceKindName("TNoSuchDevice"), "TNoSuchDevice");
}

TEST(DeviceList, LongListsEndInTheCountOfTheRest) {
    std::vector<TDiagnosedDevice> many;
    for (int no = 0; no < 12; ++no) {
        many.push_back({no, "TResistor"});
    }
    const std::string sentence = zaro::FindingSentence(Naming(K::FloatingPart, many), DC);
    EXPECT_EQ(sentence.find("No.10"), std::string::npos);
    EXPECT_NE(sentence.find("抵抗器 No.8、抵抗器 No.9 ほか 2 個 の部分"), std::string::npos);
}

class DocumentDiagnosis : public TDocumentFixture {
protected:
    // The small circuit with resistors 4 and 5 in a ring of their own.
    void BuildWithFloatingPair() {
        BuildSmallCircuit();
        TZaroSimDevice& a = Place("TResistor");
        TZaroSimDevice& b = Place("TResistor");
        Wire(a, 0, b, 1);
        Wire(b, 0, a, 1);
        Doc.Diagnosed().Changed.Connect([this] { ++Announced; });
    }
    int Announced = 0;
};

const std::string FloatingPairSentence =
    "抵抗器 No.4 と抵抗器 No.5 の部分が GND に接続されていません。";

TEST_F(DocumentDiagnosis, AFailedAnalysisShowsItsFindingsAfterTheStatedMessage) {
    BuildWithFloatingPair();
    Doc.AtnSimulateDC();
    EXPECT_EQ(Platform.Messages, std::vector<std::string>{MsgLinearFailed});
    EXPECT_EQ(Doc.PropertyText(),
              std::string(NoDeviceSelected) + "\r\n" + FloatingPairSentence + "\r\n");
    EXPECT_EQ(Doc.Diagnosed().Devices(), (std::vector<int>{4, 5}));
    EXPECT_TRUE(Doc.Diagnosed().Contains(5));
    EXPECT_EQ(Announced, 1);
}

TEST_F(DocumentDiagnosis, TheNextEditEndsIt) {
    BuildWithFloatingPair();
    Doc.AtnSimulateDC();
    Doc.CommitCircuitEdit();
    EXPECT_TRUE(Doc.Diagnosed().Devices().empty());
    EXPECT_EQ(Doc.PropertyText(), NoDeviceSelected);
    EXPECT_EQ(Announced, 2);
}

// Undo may put a value back in place, with the devices numbered as before.
TEST_F(DocumentDiagnosis, UndoingAnEditEndsIt) {
    BuildWithFloatingPair();
    auto& resistor = static_cast<TZaroSimDevice&>(Doc.Canvas().DragPanel(4));
    ASSERT_TRUE(resistor.CommitEditText(*resistor.ValueEdit(), "4.7k"));
    Doc.AtnSimulateDC();
    ASSERT_FALSE(Doc.Diagnosed().Devices().empty());
    ASSERT_TRUE(AtnEditUndo(Doc));
    EXPECT_TRUE(Doc.Diagnosed().Devices().empty());
    EXPECT_EQ(Doc.PropertyText().find("GND に接続"), std::string::npos);
}

TEST_F(DocumentDiagnosis, TheNextAnalysisEndsIt) {
    BuildWithFloatingPair();
    Doc.AtnSimulateDC();
    Doc.Canvas().DeleteDragPanel(5);
    Doc.Canvas().DeleteDragPanel(4);
    Doc.AtnSimulateDC();
    EXPECT_TRUE(Doc.Analysis().ResultsValid());
    EXPECT_TRUE(Doc.Diagnosed().Diagnosis().Empty());
    EXPECT_EQ(Announced, 2);
}

TEST_F(DocumentDiagnosis, OpeningAnotherModelEndsIt) {
    BuildWithFloatingPair();
    Doc.AtnSimulateDC();
    LoadModel(Doc, (std::filesystem::path(ZARO_SOURCE_DIR) / "examples" / "divider.zsm").string());
    EXPECT_TRUE(Doc.Diagnosed().Devices().empty());
    EXPECT_EQ(Doc.PropertyText().find("GND に接続"), std::string::npos);
}

class ExampleDiagnosis : public TDocumentFixture,
                         public ::testing::WithParamInterface<const char*> {};

TEST_P(ExampleDiagnosis, FindsNothingInDCOrAC) {
    LoadModel(Doc, (std::filesystem::path(ZARO_SOURCE_DIR) / "examples" / GetParam()).string());
    std::vector<std::string> variables = Doc.VariableLines();
    StoreFrequencyVariable(variables, 1000);
    Doc.SetVariableLines(variables);
    EXPECT_TRUE(DiagnoseStructure(Doc.Canvas(), TAnalysisDomain::DC).Empty());
    EXPECT_TRUE(DiagnoseStructure(Doc.Canvas(), TAnalysisDomain::AC).Empty());
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleDiagnosis,
                         ::testing::Values("divider.zsm", "rc-lowpass-1khz.zsm", "diode-lamp.zsm",
                                           "led-resistor.zsm", "zener-regulator.zsm",
                                           "npn-common-emitter.zsm"));

} // namespace
} // namespace zaro::test
