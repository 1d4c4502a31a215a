// zarosim-screenshots [FOLDER]: the pictures of docs/: the main window with
// every example circuit solved, the progress window in the middle of a run
// and each menu opened. zarosim-screenshots --manual FOLDER: the pictures of
// the manual (the window, a wire being drawn, the progress window, a
// formatted label, the About box). It drives the real window as the tests
// do; run it under Xvfb (or on the offscreen platform) from build/bin.

#include "AboutDialog.h"
#include "ActionSet.h"
#include "ApplicationSetup.h"
#include "CanvasView.h"
#include "CircuitDocument.h"
#include "DevicePlacement.h"
#include "DocumentCommands.h"
#include "LabelDevice.h"
#include "MainWindow.h"
#include "ModelFile.h"
#include "NoteTextEdit.h"
#include "PanelWidget.h"
#include "ProgressWindow.h"
#include "Sources.h"
#include "SweepPlotWindow.h"
#include "SweepSettingsDialog.h"
#include "ZaroMathImport.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QTest>
#include <QTimer>

#include <iostream>

namespace {

using namespace zaro;

struct TShot {
    const char* Example;
    const char* Command;
    const char* Selected; // class of the device whose properties are shown
};

constexpr TShot Shots[] = {
    {"diode-lamp.zsm", "AtnSimulateDCNonLinear", "TLamp"},
    {"divider.zsm", "AtnSimulateDC", "TVoltMeter"},
    {"led-resistor.zsm", "AtnSimulateDCNonLinear", "TLED"},
    {"npn-common-emitter.zsm", "AtnSimulateACNonLinear", "TPotentialMeter"},
    {"rc-lowpass-1khz.zsm", "AtnSimulateAC", "TPotentialMeter"},
    {"zener-regulator.zsm", "AtnSimulateDCNonLinear", "TPotentialMeter"},
};

void Save(const QPixmap& picture, const QDir& folder, const QString& name) {
    const QString path = folder.filePath(name);
    if (!picture.save(path)) {
        std::cerr << "cannot write " << path.toStdString() << '\n';
    }
    std::cout << path.toStdString() << '\n';
}

// The window pressed on a device, as a user selects it.
void SelectFirst(gui::TFrmMainWnd& window, const char* className) {
    TCodingPanel& canvas = window.Document().Canvas();
    for (int i = 0; i < canvas.DragPanelCount(); ++i) {
        if (canvas.DragPanel(i).ClassName() == className) {
            gui::TPanelWidget* widget = window.CanvasView().WidgetOf(canvas.DragPanel(i));
            QTest::mouseClick(widget, Qt::RightButton, {}, QPoint(4, 4));
            canvas.DragPanel(i).Click();
            return;
        }
    }
}

void SolvedExamples(gui::TFrmMainWnd& window, const QDir& examples, const QDir& out) {
    for (const TShot& shot : Shots) {
        LoadModel(window.Document(),
                  examples.filePath(QString::fromLatin1(shot.Example)).toStdString());
        SelectFirst(window, shot.Selected);
        window.RunCommand(shot.Command);
        QApplication::processEvents();
        QString name = QString::fromLatin1(shot.Example);
        name.replace(QStringLiteral(".zsm"), QStringLiteral(".png"));
        Save(window.grab(), out, QStringLiteral("window-") + name);
    }
}

// A circuit that cannot be solved: the divider with a ring of two resistors
// beside it, analysed in DC; the message confirmed, the ring marked and the
// findings on the property page.
void DiagnosedCircuit(gui::TFrmMainWnd& window, const QDir& examples, const QDir& out) {
    TCircuitDocument& document = window.Document();
    LoadModel(document, examples.filePath(QStringLiteral("divider.zsm")).toStdString());
    TCodingPanel& canvas = document.Canvas();
    const int first = canvas.DragPanelCount();
    for (const int left : {400, 560}) {
        window.RunCommand("AtnDeviceR");
        TDragPanel& resistor = canvas.DragPanel(canvas.DragPanelCount() - 1);
        resistor.SetBounds(left, 424, resistor.Width(), resistor.Height());
    }
    canvas.ConnectPorts(first, 1, first + 1, 0);
    canvas.ConnectPorts(first + 1, 1, first, 0);
    QTimer confirm;
    confirm.setInterval(20);
    QObject::connect(&confirm, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            box->button(QMessageBox::Ok)->click();
        }
    });
    confirm.start();
    window.RunCommand("AtnSimulateDC");
    confirm.stop();
    QApplication::processEvents();
    Save(window.grab(), out, QStringLiteral("window-diagnosed.png"));
}

void ProgressWindow(gui::TFrmMainWnd& window, const QDir& out) {
    TFrmProgress& progress = window.Document().Progress();
    progress.ResetProgress();
    progress.SetCheckCircuitState(TCheckBoxState::cbChecked);
    progress.SetDCBiasState(TCheckBoxState::cbGrayed);
    progress.UpdateProgress(37, true, 0.00042);
    progress.Show();
    QApplication::processEvents();
    Save(window.ProgressWindow().grab(), out, QStringLiteral("progress.png"));
    progress.Hide();
}

// Each menu as it drops down, its first submenu open beside Device.
void Menus(gui::TFrmMainWnd& window, const QDir& out) {
    int n = 0;
    for (QAction* top : window.menuBar()->actions()) {
        QMenu* menu = top->menu();
        menu->popup(window.mapToGlobal(QPoint(0, 0)));
        QApplication::processEvents();
        QPixmap picture = menu->grab();
        if (QMenu* sub = menu->actions().constFirst()->menu()) {
            sub->popup(menu->mapToGlobal(QPoint(menu->width(), 0)));
            QApplication::processEvents();
            const QPixmap side = sub->grab();
            QPixmap both(picture.width() + side.width(), std::max(picture.height(), side.height()));
            both.fill(Qt::white);
            QPainter painter(&both);
            painter.drawPixmap(0, 0, picture);
            painter.drawPixmap(picture.width(), 0, side);
            painter.end();
            picture = both;
            sub->hide();
        }
        menu->hide();
        Save(picture, out, QStringLiteral("menu-%1.png").arg(++n));
    }
}

// A sweep of the circuit in the window, plotted and saved as `name`.
void SavePlot(gui::TFrmMainWnd& window, TSweepResult result, const QDir& out, const QString& name) {
    gui::TSweepPlotWindow plot(std::move(result), &window);
    plot.show();
    static_cast<void>(QTest::qWaitForWindowExposed(&plot));
    QApplication::processEvents();
    plot.Readout()->setText(plot.ReadoutAt(plot.Result().Values[plot.Result().Values.size() / 2]));
    QApplication::processEvents();
    Save(plot.grab(), out, name);
}

// The sweep dialog, a Bode plot of the amplifier and the lamp current
// against the source voltage of the diode-lamp example.
void Sweeps(gui::TFrmMainWnd& window, const QDir& examples, const QDir& out) {
    TCircuitDocument& document = window.Document();
    gui::TSweepSettingsDialog dialog(document.VariableLines(), &window);
    dialog.show();
    QApplication::processEvents();
    Save(dialog.grab(), out, QStringLiteral("sweep-dialog.png"));
    dialog.hide();

    const auto runner = [&document] {
        return TSweepRunner(document.Canvas(), document.Platform(), document.Progress(),
                            *document.TP1().Variables(), document.SolverKind());
    };
    LoadModel(document, examples.filePath(QStringLiteral("npn-common-emitter.zsm")).toStdString());
    SavePlot(window, runner().RunAC(FrequencyRange(1, 10e6, 30)), out,
             QStringLiteral("sweep-bode.png"));

    LoadModel(document, examples.filePath(QStringLiteral("diode-lamp.zsm")).toStdString());
    TCodingPanel& canvas = document.Canvas();
    for (int i = 0; i < canvas.DragPanelCount(); ++i) {
        if (auto* source = dynamic_cast<TVDC*>(&canvas.DragPanel(i))) {
            source->ValueEdit()->SetText("VIN");
        }
    }
    document.SetVariablesText("VIN=3");
    SavePlot(window, runner().RunDC("VIN", LinearRange(0, 3, 0.02)), out,
             QStringLiteral("sweep-dc.png"));
}

// --- The manual's pictures ---------------------------------------------------------

QPoint PortCentre(const TDragPanel& panel, int port) {
    const TRect r = panel.PortRect(port);
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

// Two resistors, the first one's port clicked and the mouse halfway to the
// second: the wire follows the mouse.
void Wiring(gui::TFrmMainWnd& window, const QDir& out) {
    AtnFileNew(window.Document());
    TCircuitDocument& document = window.Document();
    TZaroSimDevice& first = PlaceDevice(document, "TResistor");
    first.SetBounds(first.Left() - 120, first.Top(), first.Width(), first.Height());
    TZaroSimDevice& second = PlaceDevice(document, "TResistor");
    second.SetBounds(second.Left() + 120, second.Top() + 80, second.Width(), second.Height());
    QApplication::processEvents();
    gui::TPanelWidget* from = window.CanvasView().WidgetOf(first);
    gui::TPanelWidget* to = window.CanvasView().WidgetOf(second);
    const QPoint start = from->mapTo(&window, PortCentre(first, 1));
    const QPoint end = to->mapTo(&window, PortCentre(second, 0));
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, start);
    for (int step = 1; step <= 4; ++step) {
        QTest::mouseMove(window.windowHandle(), start + (end - start) * step * 3 / 16);
    }
    QApplication::processEvents();
    const QRect area = QRect(start, end).normalized().adjusted(-110, -70, 110, 70);
    Save(window.grab(area), out, QStringLiteral("wiring.png"));
    QTest::keyClick(&window.CanvasView(), Qt::Key_Escape);
    window.Document().SetModified(false);
}

// A label with a bold heading, an underlined phrase and a red italic remark.
void FormattedLabel(gui::TFrmMainWnd& window, const QDir& out) {
    AtnFileNew(window.Document());
    auto& label = dynamic_cast<TLabelDevice&>(PlaceDevice(window.Document(), "TLabelDevice"));
    label.SetBounds(label.Left(), label.Top(), 240, 120);
    TRichTextFormat plain = TNoteEditor::DefaultFormat();
    TRichTextFormat heading = plain;
    heading.Bold = true;
    heading.SizeHalfPoints = 24;
    TRichTextFormat remark = plain;
    remark.Italic = true;
    remark.Color = TColor{192, 0, 0};
    TRichTextFormat underlined = plain;
    underlined.Underline = true;
    TRichText text;
    text.Paragraphs.resize(3);
    text.Paragraphs[0].Append("分圧回路の説明", heading);
    text.Paragraphs[1].Append("R1 と R2 の比", underlined);
    text.Paragraphs[1].Append("で出力電圧が決まります。", plain);
    text.Paragraphs[2].Append("負荷をつなぐと", plain);
    text.Paragraphs[2].Append("出力は下がります", remark);
    text.Paragraphs[2].Append("。", plain);
    for (TRichTextParagraph& paragraph : text.Paragraphs) {
        paragraph.MarkFormat = paragraph.Runs.back().Format;
    }
    label.NoteEditor().SetContent(text);
    gui::TPanelWidget* widget = window.CanvasView().WidgetOf(label);
    widget->Note()->FollowNote();
    QApplication::processEvents();
    Save(widget->grab(), out, QStringLiteral("label.png"));
    window.Document().SetModified(false);
}

void AboutBox(const QDir& out) {
    gui::TFrmAbout about;
    // This tool carries no version data; the box shows the program's beside it.
    about.VersionInf1().SetFileName(
        QDir(QApplication::applicationDirPath()).filePath(QStringLiteral("zarosim")).toStdString());
    about.UpdateDisplays();
    about.show();
    static_cast<void>(QTest::qWaitForWindowExposed(&about));
    Save(about.grab(), out, QStringLiteral("about.png"));
}

void ManualPictures(gui::TFrmMainWnd& window, const QDir& examples, const QDir& out) {
    LoadModel(window.Document(), examples.filePath(QStringLiteral("divider.zsm")).toStdString());
    SelectFirst(window, "TVoltMeter");
    window.RunCommand("AtnSimulateDC");
    QApplication::processEvents();
    Save(window.grab(), out, QStringLiteral("main-window.png"));
    ProgressWindow(window, out);
    Wiring(window, out);
    FormattedLabel(window, out);
    AboutBox(out);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    gui::SetUpApplication();
    QStringList args = QApplication::arguments();
    const bool manual = args.removeAll(QStringLiteral("--manual")) > 0;
    const QDir out(args.size() > 1 ? args[1] : QDir::currentPath());
    const QDir examples(QStringLiteral(ZARO_EXAMPLES_DIR));
    {
        gui::TFrmMainWnd window;
        window.resize(1180, 680);
        window.show();
        static_cast<void>(QTest::qWaitForWindowExposed(&window));
        QApplication::processEvents();
        if (manual) {
            ManualPictures(window, examples, out);
        } else {
            SolvedExamples(window, examples, out);
            DiagnosedCircuit(window, examples, out);
            ProgressWindow(window, out);
            Menus(window, out);
            Sweeps(window, examples, out);
        }
        window.Document().SetModified(false);
    }
    UnloadZaroMath();
    return 0;
}
