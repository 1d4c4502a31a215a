// Running the analyses as a user does: an example opened, the command
// clicked, and what the window then shows: meter readings, lamp and LED
// pictures, the property page, title and status bar, the variables page.
// Also Stop during a long run, and the window while an analysis holds it.

#include "GuiFixture.h"
#include "GuiSuites.h"
#include "ProgressWindow.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

namespace zaro::test {
namespace {

int FirstOfClass(const TCodingPanel& canvas, const std::string& className) {
    for (int i = 0; i < canvas.DragPanelCount(); ++i) {
        if (canvas.DragPanel(i).ClassName() == className) {
            return i;
        }
    }
    return -1;
}

} // namespace

class TAnalysisTest : public TWindowSuite {
    Q_OBJECT

    void OpenExample(const char* name) {
        Dialogs->ChooseFile(ExamplePath(name));
        Trigger("AtnFileOpen");
        QVERIFY(Canvas().DragPanelCount() > 0);
    }

private Q_SLOTS:
    void init() { OpenWindow(); }
    void cleanup() { CloseWindow(); }

    void eachAnalysisShowsItsResults_data() {
        QTest::addColumn<QString>("example");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("shown"); // a reading, or "image N"
        QTest::addColumn<QString>("status");
        QTest::newRow("linear DC") << "divider.zsm"
                                   << "AtnSimulateDC"
                                   << "TAmMeter"
                                   << "2M + j0.00"
                                   << "DC線形";
        QTest::newRow("linear AC") << "rc-lowpass-1khz.zsm"
                                   << "AtnSimulateAC"
                                   << "TPotentialMeter"
                                   << "0.5 + j-0.5"
                                   << "AC線形";
        QTest::newRow("DC, lamp") << "diode-lamp.zsm"
                                  << "AtnSimulateDCNonLinear"
                                  << "TLamp"
                                  << "image 15"
                                  << "DC解析";
        QTest::newRow("DC, LED") << "led-resistor.zsm"
                                 << "AtnSimulateDCNonLinear"
                                 << "TLED"
                                 << "image 26"
                                 << "DC解析";
        QTest::newRow("AC") << "npn-common-emitter.zsm"
                            << "AtnSimulateACNonLinear"
                            << "TPotentialMeter"
                            << "-1.598 + j-2.893M"
                            << "AC解析";
        QTest::newRow("DC kept") << "zener-regulator.zsm"
                                 << "AtnSimulateDCAdditional"
                                 << "TPotentialMeter"
                                 << "5.073 + j0.00"
                                 << "DC解析";
        QTest::newRow("AC kept") << "zener-regulator.zsm"
                                 << "AtnSimulateACAdditional"
                                 << "TPotentialMeter"
                                 << "0.00 + j0.00"
                                 << "AC解析";
    }

    void eachAnalysisShowsItsResults() {
        QFETCH(QString, example);
        QFETCH(QString, command);
        QFETCH(QString, device);
        QFETCH(QString, shown);
        QFETCH(QString, status);
        OpenExample(example.toLatin1().constData());
        QCOMPARE(Window->windowTitle(), example + QStringLiteral(" - ZaroSim"));
        const int panel = FirstOfClass(Canvas(), device.toStdString());
        QVERIFY(panel >= 0);
        SelectPanel(panel);
        Trigger(command.toLatin1().constData());
        QCOMPARE(Dialogs->Messages, QStringList());
        QCOMPARE(StatusText(1), status);
        QVERIFY(StatusText(0).isEmpty());
        QVERIFY(Window->Actions().AllEnabled());
        QVERIFY(!Window->ProgressWindow().isVisible());
        if (shown.startsWith(QStringLiteral("image "))) {
            QCOMPARE(Canvas().DragPanel(panel).ImageIndex(), shown.mid(6).toInt());
        } else {
            QCOMPARE(BoxText(panel), shown);
        }
        const QString property = Window->MemoProperty().toPlainText();
        QVERIFY2(property.startsWith(QStringLiteral("No. = %1\n").arg(panel)),
                 qPrintable(property));
        QVERIFY(property.contains(QStringLiteral("Port 0 (")));
        QVERIFY(property.contains(QStringLiteral("  V = ")));
    }

    // A glowing lamp is painted bright; marking the circuit modified darkens it.
    void aLampGlowsOnScreenAndGoesDarkOnAnEdit() {
        OpenExample("diode-lamp.zsm");
        const int lamp = FirstOfClass(Canvas(), "TLamp");
        const auto centre = [&] {
            const TDragPanelPicture picture = Canvas().DragPanel(lamp).Picture();
            const QPoint at(picture.ImagePosition->x + 24, picture.ImagePosition->y + 6);
            return PanelWidget(lamp).grab().toImage().pixelColor(at);
        };
        const QColor dark = centre();
        Trigger("AtnSimulateDCNonLinear");
        const QColor lit = centre();
        QVERIFY2(dark.saturation() < 40 && lit.red() > 200 && lit.blue() < 120,
                 qPrintable(QStringLiteral("%1 -> %2").arg(dark.name(), lit.name())));
        TypeValue(FirstOfClass(Canvas(), "TVDC"), QStringLiteral("6"));
        QCOMPARE(Canvas().DragPanel(lamp).ImageIndex(), 12);
        QCOMPARE(centre(), dark);
        QVERIFY(StatusText(1).isEmpty());
    }

    // The AC analyses write the frequency into the variables; the page shows it at once.
    void theFrequencyLineAppearsInTheVariables() {
        OpenExample("rc-lowpass-1khz.zsm");
        Window->EditFreq().setText(QStringLiteral("2k"));
        Trigger("AtnSimulateAC");
        QVERIFY(Window->MemoVariables()
                    .toPlainText()
                    .split(QLatin1Char('\n'))
                    .contains(QStringLiteral("F=2000")));
        // And a line typed into the page is a variable of the next analysis.
        Window->MemoVariables().setPlainText(QStringLiteral("F=1\nRX=3k"));
        QCOMPARE(Doc().VariablesText(), std::string("F=1\r\nRX=3k"));
    }

    // While the analysis holds the window, nothing can be edited; Stop ends
    // it with its message and everything comes back.
    void stopEndsALongAnalysis() {
        OpenExample("npn-common-emitter.zsm");
        bool busySeen = false;
        bool stopped = false;
        QTimer watcher;
        watcher.setInterval(0);
        connect(&watcher, &QTimer::timeout, this, [&] {
            gui::TProgressWindow& progress = Window->ProgressWindow();
            if (stopped || !progress.isVisible()) {
                return;
            }
            busySeen =
                !Window->Actions().Action("AtnFileNew")->isEnabled() &&
                Window->EditFreq().isReadOnly() && Window->MemoVariables().isReadOnly() &&
                PanelWidget(FirstOfClass(Canvas(), "TResistor")).ValueBoxes()[0]->isReadOnly();
            QCOMPARE(StatusText(1), QStringLiteral("解析中"));
            const int panels = Canvas().DragPanelCount();
            Press(Viewport(), {5, 5}, Qt::ShiftModifier | Qt::ControlModifier);
            Release(Viewport(), {5, 5});
            QCOMPARE(Canvas().DragPanelCount(), panels);
            QVERIFY(!Window->close()); // the analysis still needs the window
            QTest::mouseClick(progress.StopButton(), Qt::LeftButton);
            stopped = true;
            QVERIFY(!progress.StopButton()->isEnabled());
        });
        watcher.start();
        Trigger("AtnSimulateDCNonLinear");
        watcher.stop();
        QVERIFY(stopped);
        QVERIFY(busySeen);
        QCOMPARE(Dialogs->Messages,
                 QStringList{QStringLiteral("直流解析が中断されました。解析結果には大きな誤差を含"
                                            "んでいる可能性があることに注意してください。")});
        QVERIFY(Window->Actions().AllEnabled());
        QVERIFY(!Window->EditFreq().isReadOnly());
        QVERIFY(!Window->ProgressWindow().isVisible());
    }

    void theProgressWindowShowsItsSteps() {
        gui::TProgressWindow& progress = Window->ProgressWindow();
        QCOMPARE(progress.windowTitle(), QStringLiteral("Simulation on progress..."));
        QCOMPARE(progress.size(), QSize(296, 195));
        QVERIFY(progress.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!progress.windowFlags().testFlag(Qt::WindowCloseButtonHint));
        auto* linear = progress.findChild<QCheckBox*>(QStringLiteral("ChkLinear"));
        QCOMPARE(linear->text(), QStringLiteral("（３）線形解析"));
        QCOMPARE(linear->geometry(), QRect(16, 136, 261, 17));
        QVERIFY(linear->isTristate());
        Doc().Progress().ResetProgress();
        Doc().Progress().SetDCBiasState(TCheckBoxState::cbGrayed);
        Doc().Progress().UpdateProgress(12, true, 0.000123);
        auto* dcBias = progress.findChild<QCheckBox*>(QStringLiteral("ChkDCBias"));
        QCOMPARE(dcBias->checkState(), Qt::PartiallyChecked);
        QVERIFY(!dcBias->isEnabled());
        QCOMPARE(progress.findChild<QLabel*>(QStringLiteral("LblRepeatCount"))->text(),
                 QStringLiteral("12"));
        QCOMPARE(progress.findChild<QLabel*>(QStringLiteral("LblErrorVolt"))->text(),
                 QStringLiteral("+1.23E-4"));
        QCOMPARE(progress.findChild<QProgressBar*>(QStringLiteral("PBarError"))->value(), 34);
    }

    // A value that is no expression ends the analysis with its message; the
    // window is usable again.
    void aBadValueEndsTheAnalysisWithItsMessage() {
        OpenExample("divider.zsm");
        TypeValue(FirstOfClass(Canvas(), "TResistor"), QStringLiteral("1x2"));
        Trigger("AtnSimulateDC");
        QCOMPARE(Dialogs->Messages,
                 QStringList{QStringLiteral("'1X2' は浮動小数点数ではありません")});
        QVERIFY(StatusText(1).isEmpty());
        QVERIFY(Window->Actions().AllEnabled());
        Place("AtnDeviceR");
        QCOMPARE(View().PanelWidgetCount(), Canvas().DragPanelCount());
    }
};

static TGuiSuite<TAnalysisTest> AnalysisSuite("Analysis");

} // namespace zaro::test

#include "AnalysisTest.moc"
