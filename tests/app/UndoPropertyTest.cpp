// Random sessions on generated circuits: a few hundred edits of every kind
// the user can make, mixed with undos, redos and scrolling. The history must
// bring back every earlier model byte for byte, at any scroll position, and a
// view that only listens must follow every step.

#include "ClipboardCommands.h"
#include "DeviceFactory.h"
#include "DocumentFixture.h"
#include "Gestures.h"
#include "LabelDevice.h"
#include "RecordingView.h"
#include "UndoCommands.h"

#include <random>

namespace zaro::test {
namespace {

const std::vector<std::string> ValueTexts = {"1k", "2.2k", "4.7k", "10u", "R1*2", "5", "100m"};

// Where two models part, with the text around it, instead of a dump of both.
::testing::AssertionResult SameModel(const TBytes& actual, const TBytes& expected) {
    const auto [a, e] =
        std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    if (a == actual.end() && e == expected.end()) {
        return ::testing::AssertionSuccess();
    }
    const auto at = a - actual.begin();
    const auto around = [at](const TBytes& bytes) {
        std::string text;
        for (auto i = std::max<std::ptrdiff_t>(at - 60, 0);
             i < std::min<std::ptrdiff_t>(at + 20, static_cast<std::ptrdiff_t>(bytes.size()));
             ++i) {
            const char c = static_cast<char>(bytes[static_cast<std::size_t>(i)]);
            text += c >= 32 && c < 127 ? c : '.';
        }
        return text;
    };
    return ::testing::AssertionFailure()
           << "the models part at byte " << at << " of " << actual.size() << "/" << expected.size()
           << ":\n  " << around(actual) << "\n  " << around(expected);
}

class UndoPropertyTest : public TDocumentFixture, public ::testing::WithParamInterface<unsigned> {
protected:
    void SetUp() override {
        Random.seed(GetParam());
        BuildRandomCircuit();
        Doc.History().Clear();
        Doc.SetModified(false);
        States = {CanvasModel()};
        Links += Doc.EditCommitted.Connect([this] { ++Commits; });
    }

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(Random); }
    TPoint AnyPoint() { return {Below(520), Below(330)}; }
    // A random device, one that passes the test when there is such a one.
    TZaroSimDevice& AnyDevice(bool (*wanted)(const TZaroSimDevice&) = nullptr) {
        std::vector<int> fit;
        for (int i = 0; i < Doc.Canvas().DragPanelCount(); ++i) {
            if (wanted == nullptr || wanted(Device(i))) {
                fit.push_back(i);
            }
        }
        return fit.empty()
                   ? Device(Below(Doc.Canvas().DragPanelCount()))
                   : Device(fit[static_cast<std::size_t>(Below(static_cast<int>(fit.size())))]);
    }
    TZaroSimDevice& Device(int i) {
        return static_cast<TZaroSimDevice&>(Doc.Canvas().DragPanel(i));
    }
    static bool HasValueBox(const TZaroSimDevice& d) {
        return d.ValueEdit() != nullptr && !d.ValueEdit()->ReadOnly();
    }
    static bool IsLabel(const TZaroSimDevice& d) { return d.ClassName() == "TLabelDevice"; }
    const std::string& AnyClass() {
        return DeviceClassNames()[static_cast<std::size_t>(Below(21))];
    }

    // Devices anywhere and wires between random ports, made without the
    // history: the session starts from them.
    void BuildRandomCircuit() {
        for (int i = 0; i < 10; ++i) {
            const TPoint p = AnyPoint();
            Place(AnyClass(), p.x, p.y);
        }
        Place("TLabelDevice", 300, 200);
        for (int i = 0; i < 14; ++i) {
            TZaroSimDevice& a = AnyDevice();
            TZaroSimDevice& b = AnyDevice();
            if (&a != &b && a.PortCount() > 0 && b.PortCount() > 0) {
                Wire(a, Below(a.PortCount()), b, Below(b.PortCount()));
            }
        }
    }

    // The model at scroll position 0, where panel records hold canvas coordinates.
    TBytes CanvasModel() {
        const TPoint scroll = Doc.Canvas().ScrollPosition();
        Doc.Canvas().SetHorzScrollPosition(0);
        Doc.Canvas().SetVertScrollPosition(0);
        TBytes bytes = ModelBytes(Doc);
        Doc.Canvas().SetHorzScrollPosition(scroll.x);
        Doc.Canvas().SetVertScrollPosition(scroll.y);
        return bytes;
    }

    // A press point on the panel's body: no port, no resize corner.
    static std::optional<TPoint> Body(const TDragPanel& panel) {
        for (int y = 4; y < panel.Height() - 16; y += 4) {
            for (int x = 4; x < panel.Width() - 16; x += 4) {
                if (panel.PortAt(x, y) < 0) {
                    return TPoint{x, y};
                }
            }
        }
        return std::nullopt;
    }

    // A wire with inner segments, and one of them.
    std::optional<std::pair<int, int>> AnySegment() {
        std::vector<int> wires;
        for (int i = 0; i < Doc.Canvas().ConnectorCount(); ++i) {
            if (Doc.Canvas().Connector(i).Routed() && Doc.Canvas().Connector(i).LineCount() >= 3) {
                wires.push_back(i);
            }
        }
        if (wires.empty()) {
            return std::nullopt;
        }
        const int wire = wires[static_cast<std::size_t>(Below(static_cast<int>(wires.size())))];
        return std::pair{wire, 1 + Below(Doc.Canvas().Connector(wire).LineCount() - 2)};
    }

    // One user's edit of a random kind; the box it typed into for a value edit.
    const TEditBox* Edit() {
        TCodingPanel& canvas = Doc.Canvas();
        const int panels = canvas.DragPanelCount();
        // Kinds by weight: placing, pasting, cutting or deleting, wiring,
        // deleting a wire, moving a segment, moving a panel, typing a value,
        // editing a label.
        static const std::vector<double> weights = {1, 1, 1, 4, 1, 2, 2, 3, 1};
        const int kind =
            panels < 3 ? Below(2)
                       : std::discrete_distribution<int>(weights.begin(), weights.end())(Random);
        LastKind = kind;
        switch (kind) {
        case 0:
            PlaceDevice(Doc, AnyClass());
            break;
        case 1:
            if (panels > 0) {
                canvas.SetSelectedDragPanelNo(Below(panels));
                AtnEditCopy(Doc);
                AtnEditPaste(Doc);
            }
            break;
        case 2:
            canvas.SetSelectedDragPanelNo(Below(panels));
            Below(2) == 0 ? AtnEditCut(Doc) : canvas.KeyDown(46, {});
            break;
        case 3: {
            TZaroSimDevice& a = AnyDevice();
            TZaroSimDevice& b = AnyDevice();
            if (a.PortCount() > 0 && b.PortCount() > 0) {
                PressPort(a, Below(a.PortCount()));
                PressPort(b, Below(b.PortCount())); // the same port again cancels
            }
            break;
        }
        case 4:
            if (const auto segment = AnySegment()) {
                if (Below(2) == 0) {
                    ShiftCtrlPress(canvas, segment->first, segment->second);
                } else {
                    canvas.SetSelectedConnectorNo(segment->first);
                    AtnEditDelete(Doc);
                }
            }
            break;
        case 5:
            if (const auto segment = AnySegment()) {
                DragSegment(canvas, segment->first, segment->second,
                            {Below(81) - 40, Below(81) - 40});
            }
            break;
        case 6: {
            TZaroSimDevice& device = AnyDevice();
            if (const auto grab = Body(device)) {
                DragPanel(Doc, device, *grab, AnyPoint());
            }
            break;
        }
        case 7: {
            // Half of the time the box typed into last, whose edits merge.
            TZaroSimDevice& device =
                MergeBox != nullptr && Below(2) == 0 ? *MergeDevice : AnyDevice(HasValueBox);
            const std::vector<TEditBox*> boxes = device.EditBoxes();
            if (!boxes.empty() && !boxes.front()->ReadOnly()) {
                TEditBox& box =
                    *boxes[static_cast<std::size_t>(Below(static_cast<int>(boxes.size())))];
                device.CommitEditText(box, ValueTexts[static_cast<std::size_t>(Below(7))]);
                MergeDevice = &device;
                return &box;
            }
            break;
        }
        default:
            if (auto* label = dynamic_cast<TLabelDevice*>(&AnyDevice(IsLabel))) {
                if (Below(2) == 0) {
                    ResizePanel(Doc, *label, {Below(97) - 48, Below(97) - 48});
                } else {
                    const std::string rtf =
                        TNoteEditor::PlainRtf(ValueTexts[static_cast<std::size_t>(Below(7))]);
                    label->CommitNoteRtf({rtf.begin(), rtf.end()});
                }
            }
            break;
        }
        return nullptr;
    }

    // What the history should now hold: a new state per committed edit, or
    // the last one replaced when the edit typed into the box typed into last.
    void Record(const TEditBox* box, int commitsBefore) {
        if (Commits == commitsBefore) {
            return;
        }
        ASSERT_EQ(Commits, commitsBefore + 1);
        if (box != nullptr && box == MergeBox) {
            States[Index] = CanvasModel();
            if (Index > 0 && States[Index] == States[Index - 1]) {
                States.pop_back();
                --Index;
                box = nullptr;
            }
        } else {
            States.resize(Index + 1);
            States.push_back(CanvasModel());
            ++Index;
        }
        MergeBox = box;
    }

    // One step back or forth; the model is compared unless told otherwise.
    void Undo(bool compare = true) {
        ASSERT_EQ(AtnEditUndo(Doc), Index > 0);
        if (Index > 0) {
            --Index;
            MergeBox = nullptr;
        }
        if (compare) {
            ASSERT_TRUE(SameModel(CanvasModel(), States[Index])) << "after an undo to " << Index;
        }
    }

    void Redo(bool compare = true) {
        const bool possible = Index + 1 < States.size();
        ASSERT_EQ(AtnEditRedo(Doc), possible);
        if (possible) {
            ++Index;
            MergeBox = nullptr;
        }
        if (compare) {
            ASSERT_TRUE(SameModel(CanvasModel(), States[Index])) << "after a redo to " << Index;
        }
    }

    // All the way back and forth, then back to where the session was;
    // comparing every state or only the first and the last.
    void Sweep(bool everyState) {
        const std::size_t at = Index;
        while (Index > 0) {
            Undo(everyState || Index == 1);
        }
        ASSERT_FALSE(AtnEditUndo(Doc));
        EXPECT_FALSE(Doc.Modified()) << "back at the start";
        while (Index + 1 < States.size()) {
            Redo(everyState || Index + 2 == States.size());
        }
        ASSERT_FALSE(AtnEditRedo(Doc));
        while (Index > at) {
            Undo(everyState);
        }
        // Every wire still joins ports that name it.
        TMemoryStream stream(ModelBytes(Doc));
        EXPECT_NO_THROW(ReadModel(stream, Doc.TP1()));
    }

    int LastKind = -1;
    std::mt19937 Random;
    std::vector<TBytes> States;
    std::size_t Index = 0;
    const TEditBox* MergeBox = nullptr;
    TZaroSimDevice* MergeDevice = nullptr;
    int Commits = 0;
    TRecordingView View{Doc.Canvas()};
    TConnectionList Links;
};

// A session of edits only: after each one, every earlier model comes back on
// the way to the start and every later one on the way back.
TEST_P(UndoPropertyTest, AfterEveryEditTheWholeHistoryPlaysBackAndForth) {
    for (int step = 1; step <= 150; ++step) {
        const int commits = Commits;
        const TEditBox* box = Edit();
        Record(box, commits);
        Sweep(false);
        if (HasFatalFailure()) {
            FAIL() << "seed " << GetParam() << ", step " << step << ", edit kind " << LastKind;
        }
    }
}

// Edits, undos, redos and scrolling mixed: the history keeps the states the
// session went through, however it branched.
TEST_P(UndoPropertyTest, EveryStateComesBackAndTheViewFollows) {
    for (int step = 1; step <= 400; ++step) {
        const int choice = Below(10);
        if (choice < 6) {
            const int commits = Commits;
            const TEditBox* box = Edit();
            Record(box, commits);
        } else if (choice < 8) {
            Undo();
        } else if (choice < 9) {
            Redo();
        } else {
            Doc.Canvas().SetHorzScrollPosition(Below(300));
            Doc.Canvas().SetVertScrollPosition(Below(200));
        }
        ASSERT_EQ(Doc.History().Steps().Index(), static_cast<int>(Index))
            << "step " << step << ", edit kind " << LastKind;
        ASSERT_EQ(Doc.History().Steps().Count(), static_cast<int>(States.size()) - 1);
        ASSERT_EQ(View.Picture, PictureOf(Doc.Canvas())) << "step " << step;
        if (step % 50 == 0) {
            Sweep(true);
        }
        if (HasFatalFailure()) {
            FAIL() << "seed " << GetParam() << ", step " << step;
        }
    }
    Sweep(true);
}

INSTANTIATE_TEST_SUITE_P(Seeds, UndoPropertyTest, ::testing::Values(1u, 2u, 3u),
                         [](const auto& info) { return "Seed" + std::to_string(info.param); });

} // namespace
} // namespace zaro::test
