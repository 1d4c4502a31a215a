// A circuit that cannot be solved, as a user meets it: the analysis stops
// with its message, the property page says what is wrong, and the devices it
// names are marked on the canvas until the next edit or analysis.

#include "AnalysisCommands.h"
#include "DiagnosisHighlight.h"
#include "GuiFixture.h"
#include "GuiSuites.h"

namespace zaro::test {

class TDiagnosisTest : public TWindowSuite {
    Q_OBJECT

    int First = 0; // the first of the two resistors wired in a ring of their own

    // The divider example with a ring of two resistors beside it, wired by clicks.
    void OpenDividerWithFloatingRing() {
        Dialogs->ChooseFile(ExamplePath("divider.zsm"));
        Trigger("AtnFileOpen");
        First = Canvas().DragPanelCount();
        const int wires = Canvas().ConnectorCount();
        QVERIFY(First > 0);
        Place("AtnDeviceR");
        Place("AtnDeviceR");
        MovePanelTo(First, 400, 424);
        MovePanelTo(First + 1, 560, 424);
        ClickPort(First, 1);
        ClickPort(First + 1, 0);
        ClickPort(First + 1, 1);
        ClickPort(First, 0);
        QCOMPARE(Canvas().ConnectorCount(), wires + 2);
    }

    // The colour just inside the top-left corner of a panel, where the mark's frame runs.
    QColor CornerOf(int panel) const {
        return PanelWidget(panel).grab().toImage().pixelColor(1, 1);
    }
    bool MarkedOnScreen(int panel) const { return CornerOf(panel) == gui::DiagnosisMarkColour; }
    int MarkedCount() const {
        int marked = 0;
        for (int i = 0; i < Canvas().DragPanelCount(); ++i) {
            marked += MarkedOnScreen(i) ? 1 : 0;
        }
        return marked;
    }
    QString Sentence() const {
        return QStringLiteral("抵抗器 No.%1 と抵抗器 No.%2 の部分が GND に接続されていません。")
            .arg(First)
            .arg(First + 1);
    }

private Q_SLOTS:
    void init() { OpenWindow(); }
    void cleanup() { CloseWindow(); }

    void theNamedDevicesAreMarkedAndThePageSaysWhy() {
        OpenDividerWithFloatingRing();
        QCOMPARE(MarkedCount(), 0);
        Trigger("AtnSimulateDC");
        QCOMPARE(Dialogs->Messages, QStringList{QString::fromUtf8(MsgLinearFailed)});
        const QString page = Window->MemoProperty().toPlainText();
        QVERIFY2(page.endsWith(Sentence() + QLatin1Char('\n')), qPrintable(page));
        QVERIFY(MarkedOnScreen(First));
        QVERIFY(MarkedOnScreen(First + 1));
        QCOMPARE(MarkedCount(), 2);
        // Selecting a marked device shows its properties and keeps the findings.
        SelectPanel(First);
        QVERIFY(Window->MemoProperty().toPlainText().startsWith(
            QStringLiteral("No. = %1\n").arg(First)));
        QVERIFY(Window->MemoProperty().toPlainText().contains(Sentence()));
        QCOMPARE(MarkedCount(), 2);
    }

    void theNextEditEndsTheMark() {
        OpenDividerWithFloatingRing();
        Trigger("AtnSimulateDC");
        QCOMPARE(MarkedCount(), 2);
        TypeValue(First, QStringLiteral("2k"));
        QCOMPARE(MarkedCount(), 0);
        QVERIFY(!Window->MemoProperty().toPlainText().contains(Sentence()));
    }

    // A second failed analysis replaces the findings; the ring is marked again.
    void anotherFailedAnalysisMarksItsOwnFindings() {
        OpenDividerWithFloatingRing();
        Trigger("AtnSimulateDC");
        Trigger("AtnSimulateAC");
        QCOMPARE(Dialogs->Messages.size(), 2);
        QCOMPARE(MarkedCount(), 2);
        const QString page = Window->MemoProperty().toPlainText();
        QCOMPARE(page.count(Sentence()), 1);
    }
};

static TGuiSuite<TDiagnosisTest> DiagnosisSuite("Diagnosis");

} // namespace zaro::test

#include "DiagnosisTest.moc"
