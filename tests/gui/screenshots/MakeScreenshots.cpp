// zarosim-screenshots [FOLDER]: the pictures of docs/: the main window with
// every example circuit solved, the progress window in the middle of a run
// and each menu opened. It drives the real window as the tests do; run it
// under Xvfb (or on the offscreen platform) from build/bin.

#include "ActionSet.h"
#include "ApplicationSetup.h"
#include "CanvasView.h"
#include "CircuitDocument.h"
#include "DocumentCommands.h"
#include "MainWindow.h"
#include "ModelFile.h"
#include "PanelWidget.h"
#include "ProgressWindow.h"
#include "ZaroMathImport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTest>

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

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    gui::SetUpApplication();
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    const QDir examples(QStringLiteral(ZARO_EXAMPLES_DIR));
    {
        gui::TFrmMainWnd window;
        window.resize(1180, 680);
        window.show();
        static_cast<void>(QTest::qWaitForWindowExposed(&window));
        QApplication::processEvents();
        SolvedExamples(window, examples, out);
        ProgressWindow(window, out);
        Menus(window, out);
        window.Document().SetModified(false);
    }
    UnloadZaroMath();
    return 0;
}
