// Drawing a circuit as a user does: devices from their commands, wires by
// clicking ports, values typed into the boxes, panels dragged with their
// wires following, the Delete key, the Shift+Ctrl press on a wire, panning.

#include "GuiFixture.h"
#include "GuiSuites.h"

#include <QInputMethodEvent>
#include <QScrollBar>
#include <QStatusBar>

namespace zaro::test {
namespace {

// How dark the canvas is at a point of the viewport: wires are black.
bool DarkAt(QWidget* viewport, QPoint p) {
    return viewport->grab().toImage().pixelColor(p).lightness() < 80;
}

} // namespace

class TEditingTest : public TWindowSuite {
    Q_OBJECT

    // A source and a resistor apart, the source's "+" wired to the resistor's "a".
    void PlaceWiredSourceAndResistor(QPoint resistorAt = {240, 160}) {
        Place("AtnDeviceVDC");
        Place("AtnDeviceR");
        MovePanelTo(0, 40, 40);
        MovePanelTo(1, resistorAt.x(), resistorAt.y());
        ClickPort(0, 1);
        ClickPort(1, 0);
    }

private Q_SLOTS:
    void init() { OpenWindow(); }
    void cleanup() { CloseWindow(); }

    // A new device sits in the middle of the visible canvas and marks the document.
    void aDeviceComesFromItsCommand() {
        const TZaroSimDevice& resistor = Place("AtnDeviceR");
        QCOMPARE(View().PanelWidgetCount(), 1);
        QCOMPARE(PanelWidget(0).geometry(),
                 QRect((Viewport()->width() - 96) / 2, (Viewport()->height() - 48) / 2, 96, 48));
        QCOMPARE(BoxText(0), QStringLiteral("1k"));
        QCOMPARE(resistor.ClassName(), std::string("TResistor"));
        QCOMPARE(StatusText(0), QStringLiteral("変更"));
        QVERIFY(PanelWidget(0).isVisible());
    }

    // Two ports clicked one after the other are wired; the wire is drawn.
    void clickingTwoPortsDrawsAWire() {
        Place("AtnDeviceVDC");
        Place("AtnDeviceR");
        MovePanelTo(0, 40, 40);
        MovePanelTo(1, 240, 160);
        ClickPort(0, 1);
        QCOMPARE(Canvas().Status(), TCodingPanelStatus::cpsConnecting);
        ClickPort(1, 0);
        QCOMPARE(Canvas().ConnectorCount(), 1);
        const TConnector& wire = Canvas().Connector(0);
        QCOMPARE(wire.StartPanelNo(), 0);
        QCOMPARE(wire.EndPanelNo(), 1);
        const TPoint middle = wire.Point(2);
        QVERIFY(DarkAt(Viewport(), QPoint(middle.x, (wire.Point(2).y + wire.Point(3).y) / 2)));
        QVERIFY(Doc().Modified());
    }

    // The panel lands on the grid where it was dropped; its wire's end follows.
    void aDraggedPanelTakesItsWiresAlong() {
        PlaceWiredSourceAndResistor();
        QCOMPARE(Canvas().DragPanel(1).Left(), 240);
        QCOMPARE(Canvas().DragPanel(1).Top(), 160);
        MovePanelTo(1, 320, 240);
        const TDragPanel& moved = Canvas().DragPanel(1);
        QCOMPARE(QPoint(moved.Left(), moved.Top()), QPoint(320, 240));
        QCOMPARE(PanelWidget(1).geometry().topLeft(), QPoint(320, 240));
        const TConnector& wire = Canvas().Connector(0);
        QCOMPARE(wire.Point(wire.LineCount()), PortAttachPoint(Canvas(), 1, 0));
        QVERIFY(PanelWidget(1).isVisible());
        QVERIFY(Doc().Modified());
    }

    // Dropped on another panel, the dragged one stays where it was.
    void aPanelDroppedOnAnotherStaysPut() {
        Place("AtnDeviceVDC");
        Place("AtnDeviceR");
        MovePanelTo(1, 240, 160);
        const QPoint before(Canvas().DragPanel(1).Left(), Canvas().DragPanel(1).Top());
        const QPoint onOther = PanelWidget(0).mapTo(Viewport(), BodyPoint(PanelWidget(0)));
        Drag(Viewport(), PanelWidget(1).mapTo(Viewport(), BodyPoint(PanelWidget(1))), onOther);
        QCOMPARE(QPoint(Canvas().DragPanel(1).Left(), Canvas().DragPanel(1).Top()), before);
        QVERIFY(PanelWidget(1).isVisible());
        QCOMPARE(Canvas().Status(), TCodingPanelStatus::cpsNormal);
    }

    // The selected device goes with its wires; the frame shows the selection.
    void deleteKeyRemovesTheSelectedDevice() {
        PlaceWiredSourceAndResistor();
        SelectPanel(0);
        QCOMPARE(Canvas().SelectedDragPanelNo(), 0);
        QCOMPARE(PanelWidget(0).grab().toImage().pixelColor(0, 0), QColor(0, 255, 0));
        QTest::keyClick(&View(), Qt::Key_Delete);
        QCOMPARE(Canvas().DragPanelCount(), 1);
        QCOMPARE(View().PanelWidgetCount(), 1);
        QCOMPARE(Canvas().ConnectorCount(), 0);
        QCOMPARE(PanelWidget(0).Panel().ClassName(), std::string("TResistor"));
        QCOMPARE(Window->MemoProperty().toPlainText(), QStringLiteral("No device is selected."));
    }

    void shiftCtrlPressOnAWireDeletesIt() {
        PlaceWiredSourceAndResistor();
        const TConnector& wire = Canvas().Connector(0);
        const QPoint onSegment(wire.Point(2).x, (wire.Point(2).y + wire.Point(3).y) / 2);
        Click(Viewport(), onSegment, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(Canvas().ConnectorCount(), 0);
        QVERIFY(!DarkAt(Viewport(), onSegment));
    }

    // A typed value reaches the device when the box is left or Return is pressed.
    void aTypedValueIsCommitted() {
        const TZaroSimDevice& resistor = Place("AtnDeviceR");
        Doc().SetModified(false);
        Doc().UpdateStatus();
        TypeValue(0, QStringLiteral("4.7k"));
        QCOMPARE(resistor.ValueText(), std::string("4.7k"));
        QVERIFY(Doc().Modified());
        QCOMPARE(StatusText(0), QStringLiteral("変更"));
    }

    // An input method's wave dash has no code in the file's code page: the
    // box says so at once.
    void anUnsavableCharacterIsPointedOutWhileTyping() {
        Place("AtnDeviceR");
        gui::TValueBox* box = PanelWidget(0).ValueBoxes()[0];
        Click(box, {4, 4});
        QInputMethodEvent typed;
        typed.setCommitString(QStringLiteral("1〜2"));
        QApplication::sendEvent(box, &typed);
        const QString expected =
            QStringLiteral("「〜」(U+301C) はファイルに保存できない文字です。");
        QCOMPARE(box->Problem(), expected);
        QCOMPARE(box->toolTip(), expected);
        QCOMPARE(Window->statusBar()->currentMessage(), expected);
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_Backspace);
        QVERIFY(box->Problem().isEmpty());
    }

    // A wire's middle segment follows the mouse as a rubber line and lands on
    // the wire grid; its neighbours stretch.
    void aWireSegmentIsDraggedSideways() {
        PlaceWiredSourceAndResistor({240, 200});
        const TConnector& wire = Canvas().Connector(0);
        QCOMPARE(wire.Point(2).y, wire.Point(3).y); // the middle segment lies flat
        const QPoint grab((wire.Point(2).x + wire.Point(3).x) / 2, wire.Point(2).y);
        Press(Viewport(), grab);
        MoveTo(Viewport(), grab + QPoint(0, 31));
        QVERIFY(Canvas().RubberBandShown());
        Release(Viewport(), grab + QPoint(0, 31));
        QCOMPARE(wire.Point(2).y, (grab.y() + 31) / 4 * 4);
        QCOMPARE(wire.Point(3).y, wire.Point(2).y);
        QVERIFY(!Canvas().RubberBandShown());
        QVERIFY(DarkAt(Viewport(), QPoint(grab.x(), wire.Point(2).y)));
    }

    // Esc ends a panel drag where it began.
    void escapeCancelsAPanelDrag() {
        Place("AtnDeviceR");
        const QRect before = PanelWidget(0).geometry();
        const QPoint from = PanelWidget(0).mapTo(Viewport(), BodyPoint(PanelWidget(0)));
        Press(Viewport(), from);
        MoveTo(Viewport(), from + QPoint(60, 40));
        QVERIFY(!PanelWidget(0).isVisible());
        QVERIFY(Canvas().RubberBandShown());
        QTest::keyClick(&View(), Qt::Key_Escape);
        QVERIFY(PanelWidget(0).isVisible());
        QVERIFY(!Canvas().RubberBandShown());
        Release(Viewport(), from + QPoint(60, 40));
        QCOMPARE(PanelWidget(0).geometry(), before);
        QCOMPARE(Canvas().Status(), TCodingPanelStatus::cpsNormal);
    }

    // A label grows from its bottom-right corner onto the grid; its note follows.
    void aLabelIsResizedFromItsCorner() {
        Place("AtnDeviceLabel");
        MovePanelTo(0, 40, 40);
        gui::TPanelWidget& label = PanelWidget(0);
        QCOMPARE(label.Note()->toPlainText(), QStringLiteral("Description:"));
        const QPoint corner =
            label.mapTo(Viewport(), QPoint(label.width() - 4, label.height() - 4));
        Drag(Viewport(), corner, corner + QPoint(42, 21));
        QCOMPARE(label.size(), QSize(200, 112)); // (156 + 42) / 8 and (92 + 21) / 8, rounded
        QCOMPARE(label.Note()->geometry(), QRect(4, 4, 191, 103));
    }

    // A copied device comes back through the system clipboard as a new panel.
    void aCopiedDeviceIsPastedAsANewPanel() {
        Place("AtnDeviceR");
        TypeValue(0, QStringLiteral("2.2k"));
        SelectPanel(0);
        Trigger("AtnEditCopy");
        Trigger("AtnEditPaste");
        QCOMPARE(View().PanelWidgetCount(), 2);
        QCOMPARE(BoxText(1), QStringLiteral("2.2k"));
        QCOMPARE(PanelWidget(1).accessibleName(), QStringLiteral("Resistor(抵抗器) No. 1"));
    }

    // A drag on the empty canvas moves the view; the panels keep their place on it.
    void draggingTheBackgroundPans() {
        Place("AtnDeviceR");
        const TRect bounds = Canvas().DragPanel(0).BoundsRect();
        const TPoint before{bounds.Left, bounds.Top};
        Press(Viewport(), {300, 300});
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::SizeAllCursor);
        MoveTo(Viewport(), {250, 260});
        Release(Viewport(), {200, 220});
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QCOMPARE(View().horizontalScrollBar()->value(), 100);
        QCOMPARE(View().verticalScrollBar()->value(), 80);
        QCOMPARE(Canvas().HorzScrollPosition(), 100);
        QCOMPARE(PanelWidget(0).geometry().topLeft(), QPoint(before.x - 100, before.y - 80));
        View().horizontalScrollBar()->setValue(0);
        QCOMPARE(Canvas().HorzScrollPosition(), 0);
        QCOMPARE(PanelWidget(0).geometry().left(), before.x);
    }
};

static TGuiSuite<TEditingTest> EditingSuite("Editing");

} // namespace zaro::test

#include "EditingTest.moc"
