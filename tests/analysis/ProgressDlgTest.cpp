#include "ProgressDlg.h"

#include "CaseNames.h"
#include "FakePlatform.h"
#include "FakeProgressView.h"
#include "ZaroErrors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace zaro {
namespace {

using test::TFakePlatform;
using test::TFakeProgressView;

class ProgressDlgTest : public ::testing::Test {
protected:
    ProgressDlgTest() : Dialog(MakeDialog()) {}

    TFrmProgress MakeDialog() {
        Platform.Tick = 1000;
        return TFrmProgress(Platform, &View);
    }
    // Sets the tick and updates unforced; true when the labels changed.
    bool UpdateAt(std::int32_t tick, int count) {
        Platform.Tick = tick;
        std::size_t before = View.Calls.size();
        Dialog.UpdateProgress(count, false, 0.5);
        return View.Calls.size() != before;
    }

    TFakePlatform Platform;
    TFakeProgressView View;
    TFrmProgress Dialog;
};

TEST_F(ProgressDlgTest, StartsHiddenWithTheFormCaptionsAndTheCreationTick) {
    EXPECT_EQ(Dialog.LastUpdateTick(), 1000);
    EXPECT_FALSE(Dialog.Visible());
    EXPECT_FALSE(Dialog.UserBreak());
    EXPECT_EQ(Dialog.StatusText(), "通常解析中");
    EXPECT_EQ(Dialog.RepeatCountText(), "0");
    EXPECT_EQ(Dialog.ErrorVoltText(), "0.0E-0");
    EXPECT_TRUE(View.Calls.empty()); // nothing is pushed until something changes
}

TEST_F(ProgressDlgTest, ResetProgressRestoresEveryControlAndRepaintsTheDialog) {
    Dialog.SetDCBiasState(TCheckBoxState::cbChecked);
    Dialog.UpdateProgress(42, true, 0.01);
    Dialog.SetStatusText("初期動作点探索( 0.10000)");
    Dialog.Stop();
    View.Calls.clear();

    Dialog.ResetProgress();

    EXPECT_TRUE(Dialog.StopEnabled());
    for (auto box : {TProgressControl::ChkCheckCircuit, TProgressControl::ChkDCBias,
                     TProgressControl::ChkLinear}) {
        EXPECT_FALSE(Dialog.StepEnabled(box));
        EXPECT_FALSE(View.Enabled.at(box));
        EXPECT_EQ(View.States.at(box), TCheckBoxState::cbUnchecked);
    }
    EXPECT_EQ(Dialog.DCBiasState(), TCheckBoxState::cbUnchecked);
    EXPECT_EQ(View.Texts.at(TProgressControl::LblRepeatCount), "0");
    EXPECT_EQ(View.Texts.at(TProgressControl::LblErrorVolt), "0.0E-0");
    EXPECT_EQ(View.Texts.at(TProgressControl::LblStatus), "通常解析中");
    EXPECT_EQ(View.BarPosition, 100);
    EXPECT_TRUE(View.Enabled.at(TProgressControl::BtnStop));
    EXPECT_EQ(View.Calls.back(), "RepaintNow Dialog");
    // The break request belongs to the commands, which clear it themselves.
    EXPECT_TRUE(Dialog.UserBreak());
}

TEST_F(ProgressDlgTest, StepStatesAreShownAndRepaintedAtOnce) {
    Dialog.SetCheckCircuitState(TCheckBoxState::cbChecked);
    Dialog.SetDCBiasState(TCheckBoxState::cbGrayed);
    Dialog.SetLinearState(TCheckBoxState::cbChecked);
    std::vector<std::string> expected = {
        "SetCheckState ChkCheckCircuit 1", "RepaintNow ChkCheckCircuit",
        "SetCheckState ChkDCBias 2",       "RepaintNow ChkDCBias",
        "SetCheckState ChkLinear 1",       "RepaintNow ChkLinear"};
    EXPECT_EQ(View.Calls, expected);
    EXPECT_EQ(Dialog.CheckCircuitState(), TCheckBoxState::cbChecked);
    EXPECT_EQ(Dialog.DCBiasState(), TCheckBoxState::cbGrayed);
    EXPECT_EQ(Dialog.LinearState(), TCheckBoxState::cbChecked);
}

TEST_F(ProgressDlgTest, StatusTextIsShownAndRepaintedAtOnce) {
    Dialog.SetStatusText("非線型回路解析中");
    std::vector<std::string> expected = {"SetText LblStatus 非線型回路解析中",
                                         "RepaintNow LblStatus"};
    EXPECT_EQ(View.Calls, expected);
    EXPECT_EQ(Dialog.StatusText(), "非線型回路解析中");
}

TEST_F(ProgressDlgTest, UpdateShowsCountResidualAndBarEachRepaintedAtOnce) {
    Dialog.UpdateProgress(17, true, 0.000123);
    std::vector<std::string> expected = {
        "SetText LblRepeatCount 17", "RepaintNow LblRepeatCount", "SetText LblErrorVolt +1.23E-4",
        "RepaintNow LblErrorVolt",   "SetBarPosition 34",         "RepaintNow PBarError"};
    EXPECT_EQ(View.Calls, expected);
    EXPECT_EQ(Dialog.BarPosition(), 34);
}

TEST_F(ProgressDlgTest, UpdatesWithin200MillisecondsAreSkippedUnlessForced) {
    EXPECT_TRUE(UpdateAt(1300, 1));
    EXPECT_EQ(Dialog.LastUpdateTick(), 1300);
    EXPECT_FALSE(UpdateAt(1400, 2)); // 100 ms later
    EXPECT_FALSE(UpdateAt(1500, 3)); // exactly 200 ms is not more than 200
    EXPECT_EQ(Dialog.RepeatCountText(), "1");
    EXPECT_EQ(Dialog.LastUpdateTick(), 1300);
    EXPECT_TRUE(UpdateAt(1501, 4));
    EXPECT_EQ(Dialog.RepeatCountText(), "4");

    Platform.Tick = 1502;
    Dialog.UpdateProgress(5, true, 0.5);
    EXPECT_EQ(Dialog.RepeatCountText(), "5");
    EXPECT_EQ(Dialog.LastUpdateTick(), 1502);
}

TEST_F(ProgressDlgTest, ThrottleReadsTheTickOncePerCall) {
    Platform.TickStep = 150; // every read moves the clock on by 150 ms
    std::vector<bool> updated;
    for (int i = 0; i < 4; ++i) {
        std::size_t before = View.Calls.size();
        Dialog.UpdateProgress(i, false, 1e-3);
        updated.push_back(View.Calls.size() != before);
    }
    EXPECT_EQ(updated, (std::vector<bool>{false, true, false, true}));
    EXPECT_EQ(Dialog.RepeatCountText(), "3");
}

TEST_F(ProgressDlgTest, UpdatesKeepWorkingAcrossTheSigned32BitWrap) {
    const std::int32_t top = std::numeric_limits<std::int32_t>::max();
    const std::int32_t bottom = std::numeric_limits<std::int32_t>::min();
    ASSERT_TRUE(UpdateAt(top - 50, 1));
    EXPECT_FALSE(UpdateAt(bottom + 100, 2)); // 151 ms after, past the wrap
    EXPECT_TRUE(UpdateAt(bottom + 160, 3));  // 211 ms after
    EXPECT_FALSE(UpdateAt(bottom + 300, 4));
    EXPECT_TRUE(UpdateAt(bottom + 400, 5));
    EXPECT_EQ(Dialog.RepeatCountText(), "5");
}

TEST_F(ProgressDlgTest, AClockThatWentBackDoesNotFreezeTheDisplay) {
    ASSERT_TRUE(UpdateAt(50000, 1));
    EXPECT_TRUE(UpdateAt(10000, 2));
    EXPECT_FALSE(UpdateAt(10100, 3));
}

TEST_F(ProgressDlgTest, StopDisablesTheButtonAndRequestsABreakUntilTheNextReset) {
    Dialog.Stop();
    EXPECT_TRUE(Dialog.UserBreak());
    EXPECT_FALSE(Dialog.StopEnabled());
    EXPECT_FALSE(View.Enabled.at(TProgressControl::BtnStop));

    Dialog.UpdateProgress(3, true, 1.0);
    Dialog.SetStatusText("動作点回復中　( 0.20000)");
    Dialog.SetLinearState(TCheckBoxState::cbChecked);
    EXPECT_FALSE(Dialog.StopEnabled());

    Dialog.ClearUserBreak(); // as a command does before it starts
    Dialog.ResetProgress();
    EXPECT_TRUE(Dialog.StopEnabled());
    EXPECT_TRUE(View.Enabled.at(TProgressControl::BtnStop));
}

TEST_F(ProgressDlgTest, ShowAndHideReachTheView) {
    Dialog.Show();
    EXPECT_TRUE(Dialog.Visible());
    EXPECT_TRUE(View.Visible);
    Dialog.Hide();
    EXPECT_FALSE(Dialog.Visible());
    EXPECT_FALSE(View.Visible);
}

TEST_F(ProgressDlgTest, WorksWithoutAViewAndAViewAttachedLaterShowsThePresentState) {
    TFrmProgress bare(Platform);
    bare.ResetProgress();
    bare.SetDCBiasState(TCheckBoxState::cbChecked);
    bare.UpdateProgress(8, true, 1e-3);
    bare.Stop();
    bare.Show();

    TFakeProgressView late;
    bare.SetView(&late);
    EXPECT_EQ(late.Texts.at(TProgressControl::LblRepeatCount), "8");
    EXPECT_EQ(late.Texts.at(TProgressControl::LblErrorVolt), "+1.00E-3");
    EXPECT_EQ(late.Texts.at(TProgressControl::LblStatus), "通常解析中");
    EXPECT_EQ(late.BarPosition, 50);
    EXPECT_EQ(late.States.at(TProgressControl::ChkDCBias), TCheckBoxState::cbChecked);
    EXPECT_FALSE(late.Enabled.at(TProgressControl::ChkLinear));
    EXPECT_FALSE(late.Enabled.at(TProgressControl::BtnStop));
    EXPECT_TRUE(late.Visible);

    bare.SetView(nullptr);
    bare.SetStatusText("x"); // detached: only the state changes
    EXPECT_EQ(late.Texts.at(TProgressControl::LblStatus), "通常解析中");
    EXPECT_EQ(bare.StatusText(), "x");
}

TEST_F(ProgressDlgTest, StepQueriesRefuseControlsThatAreNoStep) {
    EXPECT_THROW(Dialog.StepEnabled(TProgressControl::LblStatus), ERangeError);
}

struct TResidualTextCase {
    double Residual;
    const char* Text;
};

class ResidualTextTest : public ::testing::TestWithParam<TResidualTextCase> {};

TEST_P(ResidualTextTest, FollowsThePlusSignedTwoDecimalPattern) {
    EXPECT_EQ(ResidualText(GetParam().Residual), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ResidualTextTest,
    ::testing::Values(TResidualTextCase{0.000123, "+1.23E-4"}, TResidualTextCase{0.0, "+0.00E+0"},
                      TResidualTextCase{-0.0, "+0.00E+0"}, TResidualTextCase{1.0, "+1.00E+0"},
                      TResidualTextCase{5.0, "+5.00E+0"}, TResidualTextCase{12345.0, "+1.23E+4"},
                      TResidualTextCase{1e-3, "+1.00E-3"}, TResidualTextCase{9.999e-5, "+1.00E-4"},
                      TResidualTextCase{999.5, "+1.00E+3"}, TResidualTextCase{1.125, "+1.13E+0"},
                      TResidualTextCase{0.15625, "+1.56E-1"}, TResidualTextCase{2.0049, "+2.00E+0"},
                      TResidualTextCase{1e-300, "+1.00E-300"},
                      TResidualTextCase{1.5e300, "+1.50E+300"},
                      TResidualTextCase{4.9406564584124654e-324, "+4.94E-324"},
                      TResidualTextCase{-0.5, "-5.00E-1"},
                      TResidualTextCase{std::numeric_limits<double>::quiet_NaN(), "NAN"},
                      TResidualTextCase{std::numeric_limits<double>::infinity(), "INF"}),
    test::NamedAfter(&TResidualTextCase::Text));

struct TBarCase {
    double Residual;
    int Position;
};

class ResidualBarTest : public ::testing::TestWithParam<TBarCase> {};

TEST_P(ResidualBarTest, IsLogarithmicFromOneMicroToOne) {
    EXPECT_EQ(ResidualBarPosition(GetParam().Residual), GetParam().Position);
}

INSTANTIATE_TEST_SUITE_P(Table, ResidualBarTest,
                         ::testing::Values(TBarCase{1e-6, 0}, TBarCase{1e-9, 0}, TBarCase{0.0, 0},
                                           TBarCase{-1.0, 0}, TBarCase{1e-5, 16},
                                           TBarCase{1e-3, 50}, TBarCase{0.01, 66},
                                           TBarCase{0.1, 83}, TBarCase{0.5, 94}, TBarCase{1.0, 100},
                                           TBarCase{5.0, 100}, TBarCase{1e300, 100},
                                           TBarCase{std::numeric_limits<double>::infinity(), 100},
                                           TBarCase{std::numeric_limits<double>::quiet_NaN(), 100}),
                         test::NamedAfter(&TBarCase::Residual));

} // namespace
} // namespace zaro
