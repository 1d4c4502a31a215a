// Undo and redo as the Edit menu runs them: every kind of edit comes back as
// it was with its name in the status tip, the modified flag follows the
// saved state, results go only with circuit changes, value edits of one box
// merge, and nothing is undone while an analysis runs or a gesture is half done.

#include "UndoCommands.h"
#include "ClipboardCommands.h"
#include "DocumentCommands.h"
#include "DocumentFixture.h"
#include "Gestures.h"
#include "LabelDevice.h"

namespace zaro::test {
namespace {

// The small circuit and a label with the results of a linear DC analysis on
// show, saved, with nothing to undo.
class UndoCommandsTest : public TDocumentFixture {
public:
    using TDocumentFixture::Doc;

    void SetUp() override {
        BuildSmallCircuit();
        Place("TLabelDevice", 320, 160);
        Doc.AtnSimulateDC();
        ASSERT_TRUE(Doc.Analysis().ResultsValid());
        Doc.History().Clear();
        Doc.SetModified(false);
        Doc.UpdateStatus();
    }

    TZaroSimDevice& Device(int i) {
        return static_cast<TZaroSimDevice&>(Doc.Canvas().DragPanel(i));
    }
    TZaroSimDevice& Resistor() { return Device(1); }
    TLabelDevice& Label() { return static_cast<TLabelDevice&>(Device(4)); }
    void Save() {
        Platform.FileAnswers.push_back(Folder / "saved.zsm");
        ASSERT_TRUE(AtnFileSaveAs(Doc));
    }
    void TypeValue(const std::string& text) {
        ASSERT_TRUE(Resistor().CommitEditText(*Resistor().ValueEdit(), text));
    }
};

struct TEditCase {
    const char* Name;
    std::function<void(UndoCommandsTest&)> Edit;
    const char* StepName;
    bool ChangesCircuit;
};

void PrintTo(const TEditCase& c, std::ostream* os) {
    *os << c.Name;
}

class EditUndoTest : public UndoCommandsTest, public ::testing::WithParamInterface<TEditCase> {};

TEST_P(EditUndoTest, ComesBackAsItWasAndGoesAgain) {
    const TBytes before = ModelBytes(Doc);
    GetParam().Edit(*this);
    const TBytes after = ModelBytes(Doc);
    ASSERT_NE(after, before);
    EXPECT_EQ(UndoStatusTip(Doc), std::string("元に戻す: ") + GetParam().StepName);
    EXPECT_EQ(RedoStatusTip(Doc), "やり直し");

    ASSERT_TRUE(AtnEditUndo(Doc));
    EXPECT_EQ(ModelBytes(Doc), before);
    EXPECT_FALSE(Doc.Modified()) << "back as saved";
    EXPECT_EQ(Platform.Status[0], "");
    // A drawing change keeps the results on show; a circuit change drops them.
    EXPECT_EQ(Doc.Analysis().ResultsValid(), !GetParam().ChangesCircuit);
    EXPECT_EQ(RedoStatusTip(Doc), std::string("やり直し: ") + GetParam().StepName);
    EXPECT_FALSE(Doc.CanUndo());

    ASSERT_TRUE(AtnEditRedo(Doc));
    EXPECT_EQ(ModelBytes(Doc), after);
    EXPECT_TRUE(Doc.Modified());
    EXPECT_EQ(Platform.Status[0], "変更");
    EXPECT_FALSE(Doc.CanRedo());
}

INSTANTIATE_TEST_SUITE_P(
    Edits, EditUndoTest,
    ::testing::Values(TEditCase{"Placement",
                                [](UndoCommandsTest& t) { PlaceDevice(t.Doc, "TLED"); },
                                "発光ダイオードの配置", true},
                      TEditCase{"Paste",
                                [](UndoCommandsTest& t) {
                                    t.Doc.Canvas().SetSelectedDragPanelNo(1);
                                    AtnEditCopy(t.Doc);
                                    AtnEditPaste(t.Doc);
                                },
                                "抵抗器の貼り付け", true},
                      TEditCase{"Cut",
                                [](UndoCommandsTest& t) {
                                    t.Doc.Canvas().SetSelectedDragPanelNo(1);
                                    AtnEditCut(t.Doc);
                                },
                                "抵抗器の切り取り", true},
                      TEditCase{"DeleteKey",
                                [](UndoCommandsTest& t) {
                                    t.Doc.Canvas().SetSelectedDragPanelNo(0);
                                    t.Doc.Canvas().KeyDown(46, {});
                                },
                                "直流電源の削除", true},
                      TEditCase{"DeleteSelectedWire",
                                [](UndoCommandsTest& t) {
                                    t.Doc.Canvas().SetSelectedConnectorNo(1);
                                    AtnEditDelete(t.Doc);
                                },
                                "接続線の削除", true},
                      TEditCase{"WiringOverWiredPorts",
                                [](UndoCommandsTest& t) {
                                    PressPort(t.Device(3), 0);
                                    PressPort(t.Device(0), 1);
                                },
                                "配線", true},
                      TEditCase{"ShiftCtrlPress",
                                [](UndoCommandsTest& t) { ShiftCtrlPress(t.Doc.Canvas(), 0, 2); },
                                "接続線の削除", true},
                      TEditCase{"ValueEdit", [](UndoCommandsTest& t) { t.TypeValue("4.7k"); },
                                "抵抗器の値の変更", true},
                      TEditCase{"PanelDrag",
                                [](UndoCommandsTest& t) {
                                    DragPanel(t.Doc, t.Resistor(), {20, 20}, {300, 200});
                                },
                                "抵抗器の移動", false},
                      TEditCase{"LabelResize",
                                [](UndoCommandsTest& t) {
                                    ResizePanel(t.Doc, t.Label(), {64, 40});
                                },
                                "ラベルの大きさの変更", false},
                      TEditCase{"SegmentDrag",
                                [](UndoCommandsTest& t) {
                                    DragSegment(t.Doc.Canvas(), 0, 2, {40, 40});
                                },
                                "接続線の移動", false},
                      TEditCase{"NoteEdit",
                                [](UndoCommandsTest& t) {
                                    const std::string rtf = TNoteEditor::PlainRtf("Bias");
                                    ASSERT_TRUE(t.Label().CommitNoteRtf({rtf.begin(), rtf.end()}));
                                },
                                "ラベルの編集", false}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(UndoCommandsTest, ADeletedDeviceComesBackWithItsWiresSelectedAndShown) {
    Doc.Canvas().SetSelectedDragPanelNo(1);
    Doc.ShowDeviceProperty();
    const std::string property = Doc.PropertyText();
    AtnEditDelete(Doc);
    ASSERT_EQ(Doc.Canvas().ConnectorCount(), 2);
    ASSERT_TRUE(AtnEditUndo(Doc));
    EXPECT_EQ(Doc.Canvas().ConnectorCount(), 4);
    EXPECT_EQ(Doc.Canvas().SelectedDragPanelNo(), 1);
    EXPECT_EQ(Resistor().ValueText(), "2.2k");
    EXPECT_EQ(Doc.PropertyText().substr(0, 9), property.substr(0, 9)) << "No. = 1";
}

TEST_F(UndoCommandsTest, ModifiedFollowsTheSavedStateBothWays) {
    TypeValue("4.7k");
    PlaceDevice(Doc, "TGnd");
    Save();
    DragPanel(Doc, Resistor(), {20, 20}, {300, 200});
    const auto modifiedAfter = [&](bool (*command)(TCircuitDocument&)) {
        EXPECT_TRUE(command(Doc));
        EXPECT_EQ(Platform.Title, "saved.zsm - ZaroSim");
        EXPECT_EQ(Platform.Status[0], Doc.Modified() ? "変更" : "");
        return Doc.Modified();
    };
    EXPECT_FALSE(modifiedAfter(AtnEditUndo)) << "back at the save";
    EXPECT_TRUE(modifiedAfter(AtnEditUndo)) << "before the save";
    EXPECT_FALSE(modifiedAfter(AtnEditRedo));
    EXPECT_TRUE(modifiedAfter(AtnEditRedo));
    // A new edit behind the save drops the steps that led to it.
    EXPECT_FALSE(modifiedAfter(AtnEditUndo));
    EXPECT_TRUE(modifiedAfter(AtnEditUndo));
    TypeValue("1k");
    while (Doc.CanUndo()) {
        EXPECT_TRUE(modifiedAfter(AtnEditUndo)) << "the saved state is out of reach";
    }
}

TEST_F(UndoCommandsTest, ACircuitStepClearsTheResultsAndADrawingStepKeepsThem) {
    DragPanel(Doc, Resistor(), {20, 20}, {300, 200});
    Doc.AtnSimulateDC();
    ASSERT_TRUE(AtnEditUndo(Doc));
    EXPECT_TRUE(Doc.Analysis().ResultsValid());
    EXPECT_EQ(Platform.Status[1], "DC線形");
    TypeValue("4.7k");
    Doc.AtnSimulateDC();
    ASSERT_TRUE(AtnEditUndo(Doc));
    EXPECT_FALSE(Doc.Analysis().ResultsValid());
    EXPECT_EQ(Platform.Status[1], "");
}

// The records of the step hold the lamp as it was before the analysis.
TEST_F(UndoCommandsTest, UndoingAMoveKeepsTheLampAsTheResultsSinceLightIt) {
    AtnFileNew(Doc);
    TZaroSimDevice& source = Place("TVDC", 16, 16);
    TZaroSimDevice& lamp = Place("TLamp", 160, 16);
    TZaroSimDevice& junction = Place("TYConnection", 160, 120);
    Wire(source, 1, lamp, 0);
    Wire(lamp, 1, junction, 0);
    Wire(junction, 1, source, 0);
    Wire(junction, 2, Place("TGnd", 280, 200), 0);
    Doc.History().Clear();
    const int dark = lamp.ImageIndex();
    DragPanel(Doc, lamp, {20, 20}, {300, 200});
    Doc.AtnSimulateDC();
    const int lit = lamp.ImageIndex();
    ASSERT_NE(lit, dark);
    ASSERT_TRUE(AtnEditUndo(Doc));
    EXPECT_EQ(lamp.ImageIndex(), lit);
    EXPECT_TRUE(Doc.Analysis().ResultsValid());
}

TEST_F(UndoCommandsTest, SuccessiveValuesOfOneBoxAreOneStep) {
    TypeValue("3k");
    TypeValue("4.7k");
    EXPECT_EQ(Doc.History().Steps().Count(), 1);
    ASSERT_TRUE(Device(0).CommitEditText(*Device(0).ValueEdit(), "12"));
    TypeValue("1k");
    EXPECT_EQ(Doc.History().Steps().Count(), 3) << "another box in between";
    ASSERT_TRUE(AtnEditUndo(Doc));
    ASSERT_TRUE(AtnEditUndo(Doc));
    ASSERT_TRUE(AtnEditUndo(Doc));
    EXPECT_EQ(Resistor().ValueText(), "2.2k");
    // Typed back as it was: nothing to undo, and as saved.
    TypeValue("9k");
    TypeValue("2.2k");
    EXPECT_FALSE(Doc.CanUndo());
    EXPECT_FALSE(Doc.Modified());
}

TEST_F(UndoCommandsTest, ASaveBetweenTwoValuesKeepsThemApart) {
    TypeValue("3k");
    Save();
    TypeValue("4.7k");
    ASSERT_TRUE(AtnEditUndo(Doc));
    EXPECT_EQ(Resistor().ValueText(), "3k");
    EXPECT_FALSE(Doc.Modified());
}

TEST_F(UndoCommandsTest, NewAndOpenStartWithNothingToUndo) {
    Save();
    PlaceDevice(Doc, "TGnd");
    LoadModel(Doc, Folder / "saved.zsm");
    EXPECT_FALSE(Doc.CanUndo());
    PlaceDevice(Doc, "TGnd");
    AtnFileNew(Doc); // answers Yes, then the save dialog is cancelled
    ASSERT_TRUE(Doc.CanUndo());
    Platform.Answers.push_back(TModalResult::mrNo);
    AtnFileNew(Doc);
    EXPECT_FALSE(Doc.CanUndo());
    EXPECT_EQ(Doc.Canvas().DragPanelCount(), 0);
}

TEST_F(UndoCommandsTest, NothingIsUndoneWhileAnAnalysisRunsOrAGestureIsHalfDone) {
    TypeValue("4.7k");
    Doc.BeginBusy();
    EXPECT_FALSE(Doc.CanUndo());
    EXPECT_FALSE(AtnEditUndo(Doc));
    Doc.UpdateStatus();
    ASSERT_TRUE(AtnEditUndo(Doc));
    PressPort(Device(3), 0); // the first port of a wire
    const int beeps = Platform.Count("Beep");
    EXPECT_FALSE(AtnEditRedo(Doc));
    EXPECT_EQ(Platform.Count("Beep"), beeps + 1);
    EXPECT_EQ(Resistor().ValueText(), "2.2k");
}

TEST_F(UndoCommandsTest, TheOldestStepsGoBeyondTheLimits) {
    Doc.History().Steps().SetLimits(3, TUndoStack::DefaultByteLimit);
    for (const char* value : {"1", "2", "3", "4", "5"}) {
        ASSERT_TRUE(Device(0).CommitEditText(*Device(0).ValueEdit(), value));
        PlaceDevice(Doc, "TGnd");
    }
    EXPECT_EQ(Doc.History().Steps().Count(), 3);
    while (AtnEditUndo(Doc)) {
    }
    EXPECT_EQ(Device(0).ValueText(), "4");
    EXPECT_TRUE(Doc.Modified()) << "the saved state went with the oldest steps";
    Doc.History().Steps().SetLimits(1000, 1);
    EXPECT_EQ(Doc.History().Steps().Count(), 1) << "one step stays whatever its size";
}

TEST_F(UndoCommandsTest, AChangeTheHistoryDidNotSeeDropsItsSteps) {
    TypeValue("4.7k");
    Doc.Canvas().DeleteConnector(0); // by no command
    Doc.CommitCircuitEdit();
    EXPECT_FALSE(Doc.CanUndo());
    EXPECT_TRUE(Doc.Modified());
    TypeValue("1k");
    Doc.Canvas().DeleteConnector(0);
    EXPECT_FALSE(AtnEditUndo(Doc)) << "the step no longer fits the canvas";
    EXPECT_EQ(Resistor().ValueText(), "1k");
    EXPECT_FALSE(Doc.CanUndo());
}

} // namespace
} // namespace zaro::test
