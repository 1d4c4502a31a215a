#pragma once
// What the Qt tests share: a main window opened as the program opens it, the
// gestures of a user in window coordinates (through the window, so grabs and
// the widget under the mouse decide who gets them), and an answerer that
// replies to the message boxes and file dialogs as they come up.

#include "ActionSet.h"
#include "CanvasView.h"
#include "CircuitDocument.h"
#include "DragPanels.h"
#include "MainWindow.h"
#include "NoteTextEdit.h"
#include "PanelWidget.h"
#include "ValueBox.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <deque>
#include <memory>

namespace zaro::test {

inline QString ExamplePath(const char* name) {
    return QStringLiteral(ZARO_EXAMPLES_DIR "/") + QString::fromLatin1(name);
}

// Replies to every modal box and file dialog that comes up: boxes with OK
// only are confirmed, questions take the queued answers (No when none is
// left), file dialogs take the queued file names (an empty name cancels).
class TDialogAnswerer : public QObject {
public:
    TDialogAnswerer() {
        Timer.setInterval(10);
        QObject::connect(&Timer, &QTimer::timeout, this, [this] { Poll(); });
        Timer.start();
    }

    void Answer(QMessageBox::StandardButton button) { Answers.push_back(button); }
    void ChooseFile(const QString& path) { Files.push_back(path); }
    // Runs once when a box with this text comes up, before it is answered.
    std::function<void(const QString& text)> OnMessage;

    QStringList Messages;      // texts of the boxes, in order
    QStringList DialogTitles;  // titles of the file dialogs, in order
    QStringList DialogFilters; // the file types the last one offered

private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == Handled) {
            return;
        }
        Handled = modal;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            Messages << box->text();
            if (OnMessage) {
                OnMessage(box->text());
            }
            QMessageBox::StandardButton reply = QMessageBox::Ok;
            if (box->standardButtons() != QMessageBox::Ok) {
                reply = Answers.empty() ? QMessageBox::No : Answers.front();
                if (!Answers.empty()) {
                    Answers.pop_front();
                }
            }
            QTimer::singleShot(0, box, [box, reply] { box->button(reply)->click(); });
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            DialogTitles << dialog->windowTitle();
            DialogFilters = dialog->nameFilters();
            const QString file = Files.empty() ? QString() : Files.front();
            if (!Files.empty()) {
                Files.pop_front();
            }
            QTimer::singleShot(0, dialog, [dialog, file] {
                if (file.isEmpty()) {
                    dialog->reject();
                } else {
                    // Typed into the name box, as a user may type a whole path.
                    dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(file);
                    static_cast<QDialog*>(dialog)->accept(); // public there, QFileDialog's runs
                }
            });
        }
    }

    QTimer Timer;
    QPointer<QWidget> Handled;
    std::deque<QMessageBox::StandardButton> Answers;
    std::deque<QString> Files;
};

// A test suite whose every test starts with a fresh main window.
class TWindowSuite : public QObject {
protected:
    std::unique_ptr<gui::TFrmMainWnd> Window;
    std::unique_ptr<TDialogAnswerer> Dialogs;
    QTemporaryDir Folder;

    // The window may close again at start-up, so being shown is not checked here.
    void OpenWindow(const QStringList& arguments = {}) {
        Dialogs = std::make_unique<TDialogAnswerer>();
        Window = std::make_unique<gui::TFrmMainWnd>(arguments);
        Window->show();
        static_cast<void>(QTest::qWaitForWindowExposed(Window.get()));
        QApplication::processEvents(); // the start-up step after the first show
    }
    void CloseWindow() {
        Window.reset();
        Dialogs.reset();
    }

    TCircuitDocument& Doc() const { return Window->Document(); }
    TCodingPanel& Canvas() const { return Doc().Canvas(); }
    gui::TCanvasView& View() const { return Window->CanvasView(); }
    QWidget* Viewport() const { return View().viewport(); }
    gui::TPanelWidget& PanelWidget(int index) const {
        return *View().WidgetOf(Canvas().DragPanel(index));
    }
    QString StatusText(int panel) const { return Window->StatusPanel(panel).text(); }

    // Clicks the command's tool bar button, or runs it as its menu item does.
    void Trigger(const char* name) const {
        QAction* action = Window->Actions().Action(name);
        QVERIFY2(action != nullptr, name);
        if (auto* button = qobject_cast<QToolButton*>(Window->ToolBar().widgetForAction(action))) {
            QTest::mouseClick(button, Qt::LeftButton);
        } else {
            action->trigger();
        }
    }
    TZaroSimDevice& Place(const char* command) const {
        Trigger(command);
        return static_cast<TZaroSimDevice&>(Canvas().DragPanel(Canvas().DragPanelCount() - 1));
    }

    // --- The mouse, in the coordinates of a widget of the window.
    QPoint At(const QWidget* widget, QPoint p) const { return widget->mapTo(Window.get(), p); }
    void Press(const QWidget* widget, QPoint p, Qt::KeyboardModifiers keys = {},
               Qt::MouseButton button = Qt::LeftButton) const {
        QTest::mousePress(Window->windowHandle(), button, keys, At(widget, p));
    }
    void MoveTo(const QWidget* widget, QPoint p) const {
        QTest::mouseMove(Window->windowHandle(), At(widget, p));
    }
    void Release(const QWidget* widget, QPoint p, Qt::KeyboardModifiers keys = {},
                 Qt::MouseButton button = Qt::LeftButton) const {
        QTest::mouseRelease(Window->windowHandle(), button, keys, At(widget, p));
    }
    void Click(const QWidget* widget, QPoint p, Qt::KeyboardModifiers keys = {}) const {
        Press(widget, p, keys);
        Release(widget, p, keys);
    }
    // Presses at `from`, moves there in steps and lets go.
    void Drag(const QWidget* widget, QPoint from, QPoint to) const {
        Press(widget, from);
        for (int step = 1; step <= 4; ++step) {
            MoveTo(widget, from + (to - from) * step / 4);
        }
        Release(widget, to);
    }

    // A point of the panel on no port and no box: a press there grabs the panel.
    static QPoint BodyPoint(const gui::TPanelWidget& widget) {
        const TDragPanel& panel = widget.Panel();
        for (int y = 2; y < panel.Height() - 2; ++y) {
            for (int x = panel.Width() / 2; x > 1; --x) {
                if (panel.PortAt(x, y) < 0 && widget.childAt(x, y) == nullptr) {
                    return {x, y};
                }
            }
        }
        return {panel.Width() / 2, 2};
    }
    static QPoint PortPoint(const TDragPanel& panel, int port) {
        const TRect r = panel.PortRect(port);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    void ClickPort(int panel, int port) const {
        Click(&PanelWidget(panel), PortPoint(Canvas().DragPanel(panel), port));
    }
    void SelectPanel(int panel) const { Click(&PanelWidget(panel), BodyPoint(PanelWidget(panel))); }
    // Drags panel `panel` so that its top-left corner lands near (left, top) of the canvas.
    void MovePanelTo(int panel, int left, int top) const {
        gui::TPanelWidget& widget = PanelWidget(panel);
        const QPoint grab = BodyPoint(widget);
        const QPoint from = widget.mapTo(Viewport(), grab);
        const QPoint to = QPoint(left, top) -
                          QPoint(Canvas().HorzScrollPosition(), Canvas().VertScrollPosition()) +
                          grab;
        Drag(Viewport(), from, to);
    }

    // Types into a device's value box as a user does and presses Return.
    void TypeValue(int panel, const QString& text, int box = 0) const {
        gui::TValueBox* edit = PanelWidget(panel).ValueBoxes().at(static_cast<std::size_t>(box));
        Click(edit, {4, 4});
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    QString BoxText(int panel, int box = 0) const {
        return PanelWidget(panel).ValueBoxes().at(static_cast<std::size_t>(box))->text();
    }
};

} // namespace zaro::test
