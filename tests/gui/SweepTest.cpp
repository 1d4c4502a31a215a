// The sweep as a user runs it: the Simulate menu's entry, the dialog that
// refuses a bad range before anything runs, and the plot window with its
// series, read-out, dB switch and the three exports.

#include "GuiFixture.h"
#include "GuiSuites.h"
#include "SweepPlotWindow.h"
#include "SweepSettingsDialog.h"

#include <QChartView>
#include <QComboBox>
#include <QLineSeries>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>

namespace zaro::test {

class TSweepTest : public TWindowSuite {
    Q_OBJECT

    // Fills the sweep dialog as soon as it comes up, then presses its OK.
    void AnswerSweepDialog(std::function<void(gui::TSweepSettingsDialog&)> fill) {
        auto* timer = new QTimer(this);
        timer->setInterval(10);
        connect(timer, &QTimer::timeout, this, [timer, fill] {
            if (auto* dialog =
                    qobject_cast<gui::TSweepSettingsDialog*>(QApplication::activeModalWidget())) {
                timer->deleteLater();
                fill(*dialog);
                QTimer::singleShot(0, dialog, [dialog] { dialog->accept(); });
            }
        });
        timer->start();
    }
    gui::TSweepPlotWindow* PlotWindow() const {
        return Window->findChild<gui::TSweepPlotWindow*>();
    }
    void OpenExample(const char* name) {
        Dialogs->ChooseFile(ExamplePath(name));
        Trigger("AtnFileOpen");
    }

private Q_SLOTS:
    void init() { OpenWindow(); }
    void cleanup() { CloseWindow(); }

    void badRangesAreRefusedBeforeAnythingRuns_data() {
        QTest::addColumn<bool>("ac");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("stop below start") << true << "ACTo"
                                          << "1" << MsgStopBelowStart;
        QTest::newRow("zero step") << false << "DCStep"
                                   << "0" << MsgStepNotPositive;
        QTest::newRow("not a number") << false << "DCFrom"
                                      << "x" << QString::fromStdString(NotANumberMessage("x"));
        QTest::newRow("missing variable")
            << false << ""
            << "VOUT" << QString::fromStdString(MissingVariableMessage("VOUT"));
    }
    void badRangesAreRefusedBeforeAnythingRuns() {
        QFETCH(bool, ac);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        gui::TSweepSettingsDialog dialog({"VIN=1", "vin=2", "R=1k"});
        QCOMPARE(dialog.Variables()->count(), 2);
        (ac ? dialog.ACButton() : dialog.DCButton())->setChecked(true);
        if (field.isEmpty()) {
            dialog.Variables()->setEditText(text);
        } else {
            dialog.Field(field.toLatin1().constData())->setText(text);
        }
        std::string reason;
        QVERIFY(!dialog.Request(reason));
        QCOMPARE(QString::fromStdString(reason), message);
    }

    void theMenuEntryPlotsABodeDiagramAndExportsIt() {
        const QList<QAction*> simulate = Window->menuBar()->actions()[3]->menu()->actions();
        QCOMPARE(simulate.last(), Window->Actions().Action("AtnSimulateSweep"));
        QVERIFY(simulate[simulate.size() - 2]->isSeparator());

        OpenExample("rc-lowpass-1khz.zsm");
        AnswerSweepDialog([](gui::TSweepSettingsDialog& dialog) {
            dialog.Field("ACFrom")->setText(QStringLiteral("10"));
            dialog.Field("ACTo")->setText(QStringLiteral("100k"));
        });
        Trigger("AtnSimulateSweep");
        gui::TSweepPlotWindow* plot = PlotWindow();
        QVERIFY(plot != nullptr);
        QVERIFY(Window->Actions().AllEnabled());
        QCOMPARE(plot->Result().Values.size(), std::size_t{201});
        QCOMPARE(plot->Views().size(), std::size_t{2});
        const auto series = plot->Views()[0]->chart()->series();
        QCOMPARE(series.size(), 1);
        QCOMPARE(series[0]->name(), QStringLiteral("P4"));
        QVERIFY(plot->ReadoutAt(1000).contains(QStringLiteral("P4: -3.0103 dB, -45")));
        plot->SetDecibels(false);
        QVERIFY(plot->ReadoutAt(1000).contains(QStringLiteral("P4: 0.70711, -45")));

        QTemporaryDir folder;
        QVERIFY(plot->SaveCsv(folder.filePath("bode.csv")));
        QFile csv(folder.filePath("bode.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readLine(), QByteArray("F,P4 mag,P4 phase\n"));
        QVERIFY(plot->SavePng(folder.filePath("bode.png")));
        QVERIFY(QImage(folder.filePath("bode.png")).width() > 100);
        QVERIFY(plot->SaveSvg(folder.filePath("bode.svg")));
        QFile svg(folder.filePath("bode.svg"));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QVERIFY(svg.readAll().contains("<svg"));
        QVERIFY(!plot->SaveCsv(folder.filePath("missing/bode.csv")));
    }
};

static TGuiSuite<TSweepTest> SweepSuite("Sweep");

} // namespace zaro::test

#include "SweepTest.moc"
