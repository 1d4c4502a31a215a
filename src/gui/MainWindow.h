#pragma once
// TFrmMainWnd: the whole program on the screen. It owns the document and
// the platform it reports through, and shows the tool bar and menus of every
// command, the left pane with the property page "状態" and the variables
// page "変数", the schematic canvas and the three-panel status bar.

#include "QtPlatform.h"
#include "Signal.h"

#include <QMainWindow>
#include <QStringList>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSplitter;
class QTabWidget;
class QToolBar;

namespace zaro {
class TCircuitDocument;
}

namespace zaro::gui {

class TActionSet;
class TCanvasView;
class TDiagnosisHighlight;
class TProgressWindow;

class TFrmMainWnd : public QMainWindow {
    Q_OBJECT
public:
    // `arguments` are the command line's, without the program: the first
    // names a model file opened at start-up.
    explicit TFrmMainWnd(QStringList arguments = {}, QWidget* parent = nullptr);
    ~TFrmMainWnd() override;

    TCircuitDocument& Document() const { return *Doc; }
    TQtPlatform& Platform() { return FPlatform; }
    TActionSet& Actions() const { return *FActions; }
    TCanvasView& CanvasView() const { return *FCanvasView; }
    TProgressWindow& ProgressWindow() const { return *FProgressWindow; }
    QLineEdit& EditFreq() const { return *FEditFreq; }
    QPlainTextEdit& MemoProperty() const { return *FMemoProperty; }
    QPlainTextEdit& MemoVariables() const { return *FMemoVariables; }
    QTabWidget& Pages() const { return *FPages; }
    QToolBar& ToolBar() const { return *FToolBar; }
    QLabel& StatusPanel(int i) const { return *StatusPanels.at(static_cast<std::size_t>(i)); }

    // Runs a command by its name, as its menu item or button does.
    void RunCommand(const std::string& name);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildToolBar();
    void BuildLeftPane(QSplitter& splitter);
    void BuildStatusBar();
    void BuildCommands();
    void SetUpCanvas();
    void Listen();
    void StartUp();
    void BusyChanged();
    void ShowVariables();
    void VariablesEdited();
    void ShowProperty();
    void CommitFocusedValueBox();
    bool StepFocusedText(bool redo);
    void ShowUndoState();
    void RestoreGeometry();
    void SaveGeometry() const;

    TQtPlatform FPlatform;
    QStringList Arguments;
    TProgressWindow* FProgressWindow = nullptr;
    std::unique_ptr<TCircuitDocument> Doc;
    TActionSet* FActions = nullptr;
    TCanvasView* FCanvasView = nullptr;
    std::unique_ptr<TDiagnosisHighlight> Highlight;
    QToolBar* FToolBar = nullptr;
    QLineEdit* FEditFreq = nullptr;
    QTabWidget* FPages = nullptr;
    QPlainTextEdit* FMemoProperty = nullptr;
    QPlainTextEdit* FMemoVariables = nullptr;
    QSplitter* Splitter = nullptr;
    std::array<QLabel*, 3> StatusPanels{};
    std::map<std::string, std::function<void()>> Commands;
    bool Started = false;
    bool ShowingVariables = false;
    TConnectionList Links; // last: detached before the rest goes
};

} // namespace zaro::gui
