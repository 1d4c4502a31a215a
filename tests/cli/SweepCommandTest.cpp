// zarosim-cli sweep, run in-process on the examples and on a saved divider.

#include "SweepCommand.h"
#include "CircuitDocument.h"
#include "FakePlatform.h"
#include "FakeProgressView.h"
#include "Junctions.h"
#include "Meters.h"
#include "ModelFile.h"
#include "PassiveDevices.h"
#include "Sources.h"
#include "SubcommandRun.h"
#include "SweepCsv.h"
#include "ZaroMathTestEnvironment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace zaro::cli {
namespace {

using TRun = TSubcommandRun;

TRun Sweep(const TArgs& args) {
    return RunInProcess(SweepCommand, args);
}

std::string Example(const std::string& name) {
    return (std::filesystem::path(ZARO_SOURCE_DIR) / "examples" / name).string();
}

// Rows of the CSV text, each split at the commas.
std::vector<std::vector<std::string>> CsvRows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> cells;
        std::istringstream fields(line);
        for (std::string cell; std::getline(fields, cell, ',');) {
            cells.push_back(cell);
        }
        rows.push_back(cells);
    }
    return rows;
}

TEST(SweepCommandTest, ACSweepWritesAHeaderAndOneRowPerFrequency) {
    const TRun run =
        Sweep({Example("rc-lowpass-1khz.zsm"), "--ac", "100", "10k", "--per-decade", "1"});
    ASSERT_EQ(run.Code, 0) << run.Err;
    const auto rows = CsvRows(run.Out);
    ASSERT_EQ(rows.size(), 4U) << run.Out;
    EXPECT_EQ(rows[0], (std::vector<std::string>{"F", "P4 mag", "P4 phase"}));
    EXPECT_EQ(rows[2][0], "1000");
    EXPECT_NEAR(std::stod(rows[2][1]), std::sqrt(0.5), 1e-5);
    EXPECT_NEAR(std::stod(rows[2][2]), -45, 1e-4);
    EXPECT_EQ(rows[3][0], "10000");
}

// The amplifier's gain from the sweep is the AC-at-operating-point analysis'.
TEST(SweepCommandTest, AmplifierGainMatchesTheACAnalysisAtOneFrequency) {
    test::TFakePlatform platform;
    test::TFakeProgressView view;
    TCircuitDocument document(platform, view);
    LoadModel(document, Example("npn-common-emitter.zsm"));
    document.SetFrequencyText("1000");
    document.AtnSimulateACNonLinear();
    ASSERT_TRUE(document.Analysis().ResultsValid());
    const std::vector<TSweepProbe> probes = FindSweepProbes(document.Canvas());
    ASSERT_EQ(probes.size(), 1U);
    const TComplex gain = ReadProbe(probes[0], document.Canvas(), document.Analysis());

    const TRun run =
        Sweep({Example("npn-common-emitter.zsm"), "--ac", "100", "10k", "--step", "900"});
    ASSERT_EQ(run.Code, 0) << run.Err;
    const auto rows = CsvRows(run.Out);
    ASSERT_EQ(rows[2][0], "1000");
    EXPECT_NEAR(std::stod(rows[2][1]), std::hypot(gain.re, gain.im), 1e-9);
    EXPECT_NEAR(std::stod(rows[2][2]), PhaseDegrees(gain), 1e-7);
    EXPECT_GT(std::hypot(gain.re, gain.im), 1.0);
}

class SweepDividerTest : public ::testing::Test {
protected:
    // VIN over two equal resistors, a potential meter at their junction.
    SweepDividerTest() {
        auto& gnd = Document.AddDevice<TGnd>();
        auto& vdc = Document.AddDevice<TVDC>();
        vdc.ValueEdit()->SetText("VIN");
        auto& r1 = Document.AddDevice<TResistor>();
        auto& x = Document.AddDevice<TXConnection>();
        auto& r2 = Document.AddDevice<TResistor>();
        auto& gnd2 = Document.AddDevice<TGnd>();
        auto& pm = Document.AddDevice<TPotentialMeter>();
        auto& open = Document.AddDevice<TOpen>();
        TCodingPanel& canvas = Document.Canvas();
        canvas.ConnectPorts(gnd.Index(), 0, vdc.Index(), 0);
        canvas.ConnectPorts(vdc.Index(), 1, r1.Index(), 0);
        canvas.ConnectPorts(r1.Index(), 1, x.Index(), 0);
        canvas.ConnectPorts(x.Index(), 1, r2.Index(), 0);
        canvas.ConnectPorts(r2.Index(), 1, gnd2.Index(), 0);
        canvas.ConnectPorts(x.Index(), 2, pm.Index(), 0);
        canvas.ConnectPorts(x.Index(), 3, open.Index(), 0);
        Document.SetVariablesText("VIN=1");
        SaveModel(Document, FileName);
    }
    ~SweepDividerTest() override { std::filesystem::remove(FileName); }

    test::TFakePlatform Platform;
    test::TFakeProgressView View;
    TCircuitDocument Document{Platform, View};
    std::string FileName =
        (std::filesystem::temp_directory_path() / ("sweep-" + std::to_string(::getpid()) + ".zsm"))
            .string();
};

TEST_F(SweepDividerTest, DCSweepPrintsTheVariableThenEachMeter) {
    const TRun run = Sweep({FileName, "--dc", "VIN", "0", "2", "500m"});
    ASSERT_EQ(run.Code, 0) << run.Err;
    const auto rows = CsvRows(run.Out);
    ASSERT_EQ(rows.size(), 6U) << run.Out;
    EXPECT_EQ(rows[0], (std::vector<std::string>{"VIN", "P6"}));
    for (std::size_t k = 1; k < rows.size(); ++k) {
        ASSERT_EQ(rows[k].size(), 2U);
        EXPECT_EQ(std::stod(rows[k][0]), 0.5 * static_cast<double>(k - 1));
        EXPECT_NEAR(std::stod(rows[k][1]), std::stod(rows[k][0]) / 2, 1e-7);
    }
}

TEST_F(SweepDividerTest, BadRangesAreReportedAndNothingIsPrinted) {
    struct TCase {
        TArgs Args;
        std::string Err;
    };
    const std::vector<TCase> cases{
        {{"--dc", "VIN", "1", "0", "0.1"}, std::string("sweep: ") + MsgStopBelowStart + "\n"},
        {{"--dc", "VIN", "0", "1", "0"}, std::string("sweep: ") + MsgStepNotPositive + "\n"},
        {{"--dc", "VOUT", "0", "1", "0.1"}, "sweep: " + MissingVariableMessage("VOUT") + "\n"},
        {{"--dc", "VIN", "0", "x1", "0.1"}, "sweep: " + NotANumberMessage("x1") + "\n"},
        {{"--ac", "0", "1k", "--per-decade", "10"},
         std::string("sweep: ") + MsgFrequencyNotPositive + "\n"},
        {{"--ac", "10", "1k"}, "sweep: usage"},
        {{"--dc", "VIN", "0", "1"}, "sweep: usage"},
    };
    for (const TCase& c : cases) {
        TArgs args{FileName};
        args.insert(args.end(), c.Args.begin(), c.Args.end());
        const TRun run = Sweep(args);
        EXPECT_EQ(run.Code, 1);
        EXPECT_EQ(run.Out, "");
        EXPECT_EQ(run.Err.substr(0, c.Err.size()), c.Err) << run.Err;
    }
}

} // namespace
} // namespace zaro::cli
