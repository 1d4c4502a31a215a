// zarosim-cli analyse, run in-process on model files written by the program.

#include "AnalyseCommand.h"
#include "AnalysisCommands.h"
#include "CapturedRun.h"
#include "CircuitBuilder.h"
#include "CircuitDocument.h"
#include "Diodes.h"
#include "FakePlatform.h"
#include "FakeProgressView.h"
#include "Junctions.h"
#include "Meters.h"
#include "ModelFile.h"
#include "PassiveDevices.h"
#include "Sources.h"
#include "ZaroMathTestEnvironment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace zaro::cli {
namespace {

TRun Analyse(const TArgs& args) {
    return CapturedRun(AnalyseCommand, args);
}

class AnalyseCommandTest : public ::testing::Test {
protected:
    ~AnalyseCommandTest() override { std::filesystem::remove(FileName); }

    template <typename T> T& Add(const std::string& value = "") { return Builder.Add<T>(value); }
    void Wire(const TDragPanel& a, int pa, const TDragPanel& b, int pb) {
        Builder.Wire(a, pa, b, pb);
    }
    void Save() { SaveModel(Doc, FileName); }

    test::TFakePlatform Platform;
    test::TFakeProgressView View;
    TCircuitDocument Doc{Platform, View};
    TCircuitBuilder Builder{Doc.Canvas(), Doc.TP1()};
    std::string FileName = (std::filesystem::temp_directory_path() /
                            ("analyse-" + std::to_string(::getpid()) + ".zsm"))
                               .string();
};

// 10 V over 1 kOhm and 4 kOhm, the ammeter in series: 2 mA, the meter
// between the resistors at 8 V.
TEST_F(AnalyseCommandTest, PrintsEveryDeviceWithItsReading) {
    auto& gnd = Add<TGnd>();
    auto& vdc = Add<TVDC>("10");
    auto& am = Add<TAmMeter>();
    auto& r1 = Add<TResistor>("1k");
    auto& gnd2 = Add<TGnd>();
    Wire(gnd, 0, vdc, 0);
    Wire(vdc, 1, am, 0);
    Wire(am, 1, r1, 0);
    Wire(r1, 1, gnd2, 0);
    Save();
    const TRun run = Analyse({FileName, "--kind", "dc-linear"});
    EXPECT_EQ(run.Code, 0);
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(run.Out.rfind("No. = 0\nNumber of nodes = 1\nPort 0 (a)\n", 0), 0u) << run.Out;
    EXPECT_NE(run.Out.find("\n\nNo. = 1\nNumber of nodes = 2\nPort 0 (-)\n"), std::string::npos);
    EXPECT_NE(run.Out.find("Port 1 (-)\n  V = 10+j0  (10@0)\n  I = -0.01+j0  (0.01@180)\n"
                           "Reading = 10M + j0.00\n\nNo. = 3\n"),
              std::string::npos)
        << run.Out;
    EXPECT_EQ(run.Out.substr(run.Out.size() - 1), "\n");
    EXPECT_EQ(run.Out.find("\r"), std::string::npos);
}

// 5 V through 330 Ohm into an LED: about 9 mA, brightness level 2.
TEST_F(AnalyseCommandTest, NonLinearDCShowsTheLedBrightness) {
    auto& gnd = Add<TGnd>();
    auto& vdc = Add<TVDC>("5");
    auto& r = Add<TResistor>("330");
    auto& led = Add<TLED>();
    auto& gnd2 = Add<TGnd>();
    Wire(gnd, 0, vdc, 0);
    Wire(vdc, 1, r, 0);
    Wire(r, 1, led, 0);
    Wire(led, 1, gnd2, 0);
    Save();
    const TRun run = Analyse({FileName, "--kind", "dc"});
    EXPECT_EQ(run.Code, 0);
    EXPECT_NE(run.Out.find("ImageIndex = 26\n"), std::string::npos) << run.Out;
    // Both solvers print the same seven digits.
    for (const char* solver : {"reference", "sparse"}) {
        const TRun chosen = Analyse({FileName, "--kind", "dc", "--solver", solver});
        EXPECT_EQ(chosen.Code, 0) << solver;
        EXPECT_EQ(chosen.Out, run.Out) << solver;
    }
}

// 1 V through 1 kOhm into 159.154943 mH: at 1 kHz XL = R, so the inductor
// gets 0.5 + j0.5 V.
TEST_F(AnalyseCommandTest, FrequencyTextReachesTheACAnalysis) {
    auto& gnd = Add<TGnd>();
    auto& vac = Add<TVAC>("1");
    auto& r = Add<TResistor>("1k");
    auto& y = Add<TYConnection>();
    auto& l = Add<TInductor>("159.154943m");
    auto& gnd2 = Add<TGnd>();
    auto& pm = Add<TPotentialMeter>();
    Wire(gnd, 0, vac, 0);
    Wire(vac, 1, r, 0);
    Wire(r, 1, y, 0);
    Wire(y, 1, l, 0);
    Wire(l, 1, gnd2, 0);
    Wire(y, 2, pm, 0);
    Save();
    const TRun run = Analyse({FileName, "--kind", "ac-linear", "--freq", "1k"});
    EXPECT_EQ(run.Code, 0) << run.Err;
    EXPECT_NE(run.Out.find("Reading = 0.5 + j0.5\n"), std::string::npos) << run.Out;
    const TRun bad = Analyse({FileName, "--kind", "ac-linear", "--freq", "x"});
    EXPECT_EQ(bad.Code, 1);
    EXPECT_EQ(bad.Err, "ZaroStrToFloat: Not a number.\n");
}

TEST_F(AnalyseCommandTest, MessageBoxesGoToTheErrorStream) {
    auto& r = Add<TResistor>();
    auto& o1 = Add<TOpen>();
    auto& o2 = Add<TOpen>();
    Wire(r, 0, o1, 0);
    Wire(r, 1, o2, 0);
    Save();
    const TRun run = Analyse({FileName, "--kind", "dc"});
    EXPECT_EQ(run.Code, 1);
    EXPECT_NE(run.Err.find("回路中に基準電位を決定するデバイスが接続されていません。"),
              std::string::npos)
        << run.Err;
    EXPECT_EQ(run.Out.rfind("No. = 0\nNumber of nodes = 2\n\nNo. = 1\n", 0), 0u) << run.Out;
}

// The stated message first, then one line per finding.
TEST_F(AnalyseCommandTest, AFailedAnalysisIsDiagnosedOnTheErrorStream) {
    auto& vdc = Add<TVDC>();
    auto& l = Add<TInductor>();
    auto& y = Add<TYConnection>();
    auto& gnd = Add<TGnd>();
    Wire(vdc, 1, l, 0);
    Wire(l, 1, y, 0);
    Wire(y, 1, vdc, 0);
    Wire(y, 2, gnd, 0);
    Save();
    const TRun run = Analyse({FileName, "--kind", "dc-linear"});
    EXPECT_EQ(run.Code, 1);
    EXPECT_EQ(run.Err, std::string(MsgLinearFailed) +
                           "\n直流電源 No.0 とインダクタ No.1 が直流では電圧源と短絡だけのループ"
                           "になっています。\n");
}

TEST_F(AnalyseCommandTest, BadArgumentsAndMissingFiles) {
    EXPECT_EQ(Analyse({}).Code, 1);
    EXPECT_EQ(Analyse({"x.zsm"}).Code, 1);
    EXPECT_EQ(Analyse({"x.zsm", "--kind", "transient"}).Err,
              "analyse: unknown kind \"transient\"\n");
    EXPECT_EQ(Analyse({"x.zsm", "--kind", "dc", "--solver", "fast"}).Err,
              "analyse: unknown solver \"fast\"\n");
    EXPECT_EQ(Analyse({"x.zsm", "--kind", "dc", "y.zsm"}).Code, 1);
    const TRun missing = Analyse({FileName + ".none", "--kind", "dc"});
    EXPECT_EQ(missing.Code, 1);
    EXPECT_EQ(missing.Out, "");
    EXPECT_NE(missing.Err, "");
}

} // namespace
} // namespace zaro::cli
