// The document's modified flag, title and status bar texts, and the busy state.

#include "DocumentStatus.h"
#include "CaseNames.h"
#include "Diodes.h"
#include "FakePlatform.h"
#include "Meters.h"
#include "TinyParser.h"
#include "ZaroMathTestEnvironment.h"

#include <gtest/gtest.h>

namespace zaro::test {
namespace {

class DocumentStatusTest : public ::testing::Test {
protected:
    TFakePlatform Platform;
    TTinyParser TP1;
    TCodingPanel Canvas{Platform};
    TAnalysisState Analysis;
    TDocumentStatus Status{Platform, Canvas, Analysis};
};

TEST_F(DocumentStatusTest, BecomingModifiedClearsResultsOnce) {
    auto& led = static_cast<TLED&>(Canvas.AddDragPanel(std::make_unique<TLED>(TP1)));
    auto& meter = static_cast<TVoltMeter&>(Canvas.AddDragPanel(std::make_unique<TVoltMeter>(TP1)));
    meter.ValueEdit()->SetText("5 + j0.00");
    led.SetImageIndex(26);
    Analysis.SetResultsValid(true);
    Status.SetModified(true);
    EXPECT_TRUE(Status.Modified());
    EXPECT_FALSE(Analysis.ResultsValid());
    EXPECT_EQ(led.ImageIndex(), 24);
    EXPECT_EQ(meter.ValueEdit()->Text(), "5 + j0.00");
    // Already modified: nothing is cleared again.
    led.SetImageIndex(26);
    Analysis.SetResultsValid(true);
    Status.SetModified(true);
    EXPECT_EQ(led.ImageIndex(), 26);
    EXPECT_TRUE(Analysis.ResultsValid());
}

TEST_F(DocumentStatusTest, BecomingUnmodifiedKeepsTheResults) {
    Status.SetModified(true);
    Analysis.SetResultsValid(true);
    Status.SetModified(false);
    EXPECT_FALSE(Status.Modified());
    EXPECT_TRUE(Analysis.ResultsValid());
}

TEST_F(DocumentStatusTest, UntitledAndUnmodified) {
    Platform.CommandsEnabled = false;
    Status.UpdateStatus();
    EXPECT_TRUE(Platform.CommandsEnabled);
    EXPECT_EQ(Platform.Title, "Untitled - ZaroSim");
    EXPECT_EQ(Platform.Status, (std::map<int, std::string>{{0, ""}, {1, ""}, {2, ""}}));
}

TEST_F(DocumentStatusTest, TitleShowsTheFileNameWithoutItsFolder) {
    Status.SetFileName("/home/user/circuits/amp.zsm");
    Status.SetModified(true);
    Status.UpdateStatus();
    EXPECT_EQ(Platform.Title, "amp.zsm - ZaroSim");
    EXPECT_EQ(Platform.Status[0], "変更");
}

struct TKindCase {
    TAnalysisKind Kind;
    const char* Text;
};

class AnalysisKindTextTest : public DocumentStatusTest,
                             public ::testing::WithParamInterface<TKindCase> {};

TEST_P(AnalysisKindTextTest, ShownOnlyWhileResultsAreValid) {
    Analysis.AnalysisKind = GetParam().Kind;
    Analysis.SetResultsValid(true);
    Status.UpdateStatus();
    EXPECT_EQ(Platform.Status[1], GetParam().Text);
    Analysis.SetResultsValid(false);
    Status.UpdateStatus();
    EXPECT_EQ(Platform.Status[1], "");
}

INSTANTIATE_TEST_SUITE_P(Kinds, AnalysisKindTextTest,
                         ::testing::Values(TKindCase{TAnalysisKind::akLinearDC, "DC線形"},
                                           TKindCase{TAnalysisKind::akDC, "DC解析"},
                                           TKindCase{TAnalysisKind::akLinearAC, "AC線形"},
                                           TKindCase{TAnalysisKind::akAC, "AC解析"},
                                           TKindCase{static_cast<TAnalysisKind>(4), ""},
                                           TKindCase{static_cast<TAnalysisKind>(-1), ""}),
                         test::NamedBy<TKindCase>([](const TKindCase& c) {
                             return "Kind" + std::to_string(static_cast<int>(c.Kind));
                         }));

TEST_F(DocumentStatusTest, BusyUntilTheNextUpdate) {
    Status.BeginBusy();
    EXPECT_FALSE(Platform.CommandsEnabled);
    EXPECT_EQ(Platform.Status[1], "解析中");
    EXPECT_EQ(Platform.Calls, std::vector<std::string>{"RepaintWindow"});
    Status.UpdateStatus();
    EXPECT_TRUE(Platform.CommandsEnabled);
    EXPECT_EQ(Platform.Status[1], "");
}

} // namespace
} // namespace zaro::test
