// The document as the canvas's listener: its handlers for keys, clicks and
// the wire-deletion press, one "edit committed" per gesture that changed the
// model and what that does to Modified and the results, its own
// notifications, and the canvas refusing edits while an analysis runs.

#include "ClipboardCommands.h"
#include "DocumentCommands.h"
#include "DocumentFixture.h"
#include "LabelDevice.h"

#include <map>

namespace zaro::test {
namespace {

// The small circuit and a label, with the results of a linear DC analysis on
// show, unmodified.
class DocumentEventsTest : public TDocumentFixture {
public:
    using TDocumentFixture::Doc;

    void SetUp() override {
        BuildSmallCircuit();
        Source = &Device(0);
        Resistor = &Device(1);
        Gnd = &Device(3);
        Label = &static_cast<TLabelDevice&>(Place("TLabelDevice", 320, 160));
        Doc.AtnSimulateDC();
        ASSERT_TRUE(Doc.Analysis().ResultsValid());
        Doc.SetModified(false);
        Doc.UpdateStatus();
        Links += Doc.EditCommitted.Connect([this] { ++Commits; });
    }

    TZaroSimDevice& Device(int i) {
        return static_cast<TZaroSimDevice&>(Doc.Canvas().DragPanel(i));
    }
    void PressPort(TDragPanel& panel, int port) {
        const TPoint p = panel.PortRect(port).Center();
        panel.MouseDown(TMouseButton::mbLeft, {}, p.x, p.y);
    }
    // The canvas point on the middle of the inner segment `line` of wire 0, in client coordinates.
    TPoint OnSegment(int line) const {
        const TConnector& c = Doc.Canvas().Connector(0);
        return TRect(c.Point(line).x, c.Point(line).y, c.Point(line + 1).x, c.Point(line + 1).y)
                   .Center() -
               Doc.Canvas().ScrollPosition();
    }

    TZaroSimDevice* Source = nullptr;
    TZaroSimDevice* Resistor = nullptr;
    TZaroSimDevice* Gnd = nullptr;
    TLabelDevice* Label = nullptr;
    int Commits = 0;
    TConnectionList Links;
};

TEST_F(DocumentEventsTest, TheDeleteKeyDeletesTheSelection) {
    Doc.Canvas().SetSelectedDragPanelNo(Resistor->Index());
    Doc.Canvas().KeyDown(45, {});
    EXPECT_EQ(Doc.Canvas().DragPanelCount(), 5);
    Doc.Canvas().KeyDown(46, {});
    EXPECT_EQ(Doc.Canvas().DragPanelCount(), 4);
    EXPECT_EQ(Doc.Canvas().ConnectorCount(), 2);
    EXPECT_TRUE(Doc.Modified());
    EXPECT_EQ(Commits, 1);
}

TEST_F(DocumentEventsTest, AClickOnTheCanvasSaysNothingIsSelected) {
    Doc.SetPropertyText("No. = 1");
    Doc.Canvas().Click();
    EXPECT_EQ(Doc.PropertyText(), "No device is selected.");
}

TEST_F(DocumentEventsTest, TheShiftCtrlPressMarksModifiedEvenOffTheWires) {
    Doc.Canvas().MouseDown(TMouseButton::mbLeft, TShiftFlag::ssShift | TShiftFlag::ssCtrl, 500,
                           300);
    Doc.Canvas().MouseUp(TMouseButton::mbLeft, {}, 500, 300);
    EXPECT_TRUE(Doc.Modified());
    EXPECT_EQ(Platform.Status[0], "変更");
    EXPECT_EQ(Commits, 0) << "nothing was deleted";
}

// --- One "edit committed" per gesture, and what it marks -------------------------------------

struct TGestureCase {
    const char* Name;
    std::function<void(DocumentEventsTest&)> Do;
    bool ChangesCircuit; // else only the drawing changed
};

void PrintTo(const TGestureCase& c, std::ostream* os) {
    *os << c.Name;
}

class GestureTest : public DocumentEventsTest,
                    public ::testing::WithParamInterface<TGestureCase> {};

TEST_P(GestureTest, CommitsOnceAndMarksTheDocument) {
    // EditStarting comes once, while the model is still as it was.
    const std::vector<std::uint8_t> before = ModelBytes(Doc);
    std::vector<std::vector<std::uint8_t>> atStart;
    Links += Doc.Canvas().EditStarting.Connect(
        [&](TEditSubject) { atStart.push_back(ModelBytes(Doc)); });
    GetParam().Do(*this);
    EXPECT_EQ(atStart, std::vector<std::vector<std::uint8_t>>{before});
    EXPECT_EQ(Commits, 1);
    EXPECT_TRUE(Doc.Modified());
    EXPECT_EQ(Platform.Status[0], "変更");
    // A drawing change keeps the results on show; a circuit change drops them.
    EXPECT_EQ(Doc.Analysis().ResultsValid(), !GetParam().ChangesCircuit);
    EXPECT_EQ(Platform.Status[1], GetParam().ChangesCircuit ? "" : "DC線形");
}

INSTANTIATE_TEST_SUITE_P(
    Gestures, GestureTest,
    ::testing::Values(
        TGestureCase{"PanelDrop",
                     [](DocumentEventsTest& t) {
                         t.Resistor->MouseDown(TMouseButton::mbLeft, {}, 20, 20);
                         t.Doc.Canvas().EndPanelDrag(*t.Resistor, TDropTarget::dtCanvas, 300, 200);
                     },
                     false},
        TGestureCase{"Resize",
                     [](DocumentEventsTest& t) {
                         TLabelDevice& label = *t.Label;
                         label.MouseDown(TMouseButton::mbLeft, {}, label.Width() - 2,
                                         label.Height() - 2);
                         t.Doc.Canvas().EndPanelDrag(label, TDropTarget::dtCanvas,
                                                     label.Left() + 240, label.Top() + 160);
                     },
                     false},
        TGestureCase{"SegmentMove",
                     [](DocumentEventsTest& t) {
                         const TPoint p = t.OnSegment(2);
                         t.Doc.Canvas().MouseDown(TMouseButton::mbLeft, {}, p.x, p.y);
                         t.Doc.Canvas().MouseUp(TMouseButton::mbLeft, {}, p.x + 40, p.y + 40);
                     },
                     false},
        TGestureCase{"NoteEdit",
                     [](DocumentEventsTest& t) {
                         const std::string rtf = TNoteEditor::PlainRtf("Bias");
                         EXPECT_TRUE(t.Label->CommitNoteRtf({rtf.begin(), rtf.end()}));
                     },
                     false},
        TGestureCase{"WiringByPorts",
                     [](DocumentEventsTest& t) {
                         t.PressPort(*t.Gnd, 0);
                         t.PressPort(*t.Resistor, 0);
                     },
                     true},
        TGestureCase{"WireDeletion",
                     [](DocumentEventsTest& t) {
                         const TPoint p = t.OnSegment(2);
                         t.Doc.Canvas().MouseDown(TMouseButton::mbLeft,
                                                  TShiftFlag::ssShift | TShiftFlag::ssCtrl, p.x,
                                                  p.y);
                     },
                     true},
        TGestureCase{"ValueEdit",
                     [](DocumentEventsTest& t) {
                         EXPECT_TRUE(t.Resistor->CommitEditText(*t.Resistor->ValueEdit(), "4.7k"));
                     },
                     true}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(DocumentEventsTest, AGestureThatChangesNothingCommitsNothing) {
    Resistor->MouseDown(TMouseButton::mbLeft, {}, 20, 20);
    Doc.Canvas().EndPanelDrag(*Resistor, TDropTarget::dtCanvas, Resistor->Left() + 20,
                              Resistor->Top() + 20);
    EXPECT_TRUE(Resistor->CommitEditText(*Resistor->ValueEdit(), Resistor->ValueText()));
    PressPort(*Gnd, 0);
    PressPort(*Gnd, 0); // the same port twice cancels
    EXPECT_EQ(Commits, 0);
    EXPECT_FALSE(Doc.Modified());
}

TEST_F(DocumentEventsTest, SavingAfterADrawingChangeLeavesTheDocumentUnmodified) {
    Resistor->MouseDown(TMouseButton::mbLeft, {}, 20, 20);
    Doc.Canvas().EndPanelDrag(*Resistor, TDropTarget::dtCanvas, 300, 200);
    ASSERT_TRUE(Doc.Modified());
    Platform.FileAnswers.push_back(Folder / "moved.zsm");
    EXPECT_TRUE(FormCloseQuery(Doc)); // asks, Yes saves
    EXPECT_EQ(Platform.Messages.back(), CloseModifiedQuestion);
    EXPECT_FALSE(Doc.Modified());
    EXPECT_TRUE(Doc.Analysis().ResultsValid());
}

// --- The document's own notifications ------------------------------------------------------

TEST_F(DocumentEventsTest, EachNotificationComesOncePerRealChange) {
    std::map<std::string, int> seen;
    const auto count = [&](const char* name) { return [&seen, name] { ++seen[name]; }; };
    Links += Doc.ModifiedChanged.Connect(count("modified"));
    Links += Doc.FileNameChanged.Connect(count("file"));
    Links += Doc.PropertyTextChanged.Connect(count("property"));
    Links += Doc.VariablesTextChanged.Connect(count("variables"));
    Links += Doc.ResultsChanged.Connect(count("results"));
    Links += Doc.BusyChanged.Connect(count("busy"));
    for (int twice = 0; twice < 2; ++twice) {
        Doc.SetModified(true);
        Doc.SetFileName("/tmp/a.zsm");
        Doc.SetPropertyText("No. = 0");
        Doc.SetVariablesText("A=1\r\nB=2");
    }
    EXPECT_EQ(Doc.VariableLines(), (std::vector<std::string>{"A=1", "B=2"}));
    EXPECT_EQ(seen, (std::map<std::string, int>{{"modified", 1},
                                                {"file", 1},
                                                {"property", 1},
                                                {"variables", 1},
                                                {"results", 1}})); // the results went
    seen.clear();
    Doc.AtnSimulateAC(); // busy on and off, new results, F written, the property text
    EXPECT_EQ(seen, (std::map<std::string, int>{
                        {"busy", 2}, {"results", 1}, {"variables", 1}, {"property", 1}}));
    seen.clear();
    Doc.AtnSimulateAC(); // the same again: the results go while it runs and come back
    EXPECT_EQ(seen, (std::map<std::string, int>{{"busy", 2}, {"results", 2}}));
}

// --- Busy: the canvas takes no edits ---------------------------------------------------------

TEST_F(DocumentEventsTest, EditsAreRefusedWithABeepWhileAnAnalysisRuns) {
    Doc.Canvas().SetSelectedDragPanelNo(Resistor->Index());
    const TBytes model = ModelBytes(Doc);
    int tries = 0;
    Platform.OnProcessMessages = [&] {
        if (tries++ > 0) {
            return; // once is enough
        }
        const int beeps = Platform.Count("Beep");
        Doc.Canvas().KeyDown(46, {});                                        // delete
        Resistor->MouseDown(TMouseButton::mbLeft, {}, 20, 20);               // drag
        PressPort(*Gnd, 0);                                                  // wire
        EXPECT_FALSE(Resistor->CommitEditText(*Resistor->ValueEdit(), "1")); // value
        const TPoint p = OnSegment(2);
        Doc.Canvas().MouseDown(TMouseButton::mbLeft, {}, p.x, p.y); // segment
        Doc.Canvas().MouseDown(TMouseButton::mbLeft, TShiftFlag::ssShift | TShiftFlag::ssCtrl, 500,
                               300); // the modified mark
        EXPECT_EQ(Platform.Count("Beep"), beeps + 6);
        EXPECT_EQ(Doc.Canvas().Status(), TCodingPanelStatus::cpsNormal);
        EXPECT_TRUE(Doc.Busy());
    };
    Doc.AtnSimulateDC();
    EXPECT_GE(tries, 2) << "the analysis went on";
    EXPECT_EQ(ModelBytes(Doc), model);
    EXPECT_FALSE(Doc.Modified());
    EXPECT_EQ(Commits, 0);
    EXPECT_FALSE(Doc.Busy());
    Doc.Canvas().KeyDown(46, {});
    EXPECT_EQ(Doc.Canvas().DragPanelCount(), 4) << "taken again once the analysis is over";
}

TEST_F(DocumentEventsTest, APanelDragUnderWayWhenBusyBeginsIsDroppedWhereItWas) {
    const TRect bounds = Resistor->BoundsRect();
    Resistor->MouseDown(TMouseButton::mbLeft, {}, 20, 20);
    Doc.BeginBusy();
    Doc.Canvas().EndPanelDrag(*Resistor, TDropTarget::dtCanvas, 300, 200);
    EXPECT_EQ(Resistor->BoundsRect(), bounds);
    EXPECT_TRUE(Resistor->Visible());
    EXPECT_EQ(Platform.Count("Beep"), 1);
    Doc.UpdateStatus();
    EXPECT_EQ(Commits, 0);
}

} // namespace
} // namespace zaro::test
