#include "MainWindow.h"

#include "ActionSet.h"
#include "CanvasView.h"
#include "CircuitDocument.h"
#include "DevicePlacement.h"
#include "DiagnosisHighlight.h"
#include "DocumentCommands.h"
#include "ErrorReport.h"
#include "InterfaceFont.h"
#include "ModelFile.h"
#include "NoteTextEdit.h"
#include "ProgressWindow.h"
#include "ShellCommands.h"
#include "SweepCommand.h"
#include "SymbolPictures.h"
#include "TextClipboard.h"
#include "UndoCommands.h"
#include "ValueBox.h"
#include "ZaroMathImport.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>

namespace zaro::gui {

namespace {

inline constexpr const char* BindingFailedMessage =
    "ZaroMath.DLLが読み込めません。\r\n"
    "このファイルが正しくインストールされているかを確認して再起動してください。";

constexpr int LeftPaneWidth = 165;
constexpr std::array<int, 3> StatusPanelWidths = {50, 100, 200};

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// Texts of the core break lines with CR LF; the memos with LF.
QString MemoText(const std::string& text) {
    return Text(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The canvas as the main window sets it up: the symbol pictures, grids,
// scroll ranges, a bold wire pen and port captions.
void SetUpCanvasModel(TCodingPanel& canvas) {
    static const TImageList symbols = SymbolImageList();
    canvas.SetImageList(&symbols);
    canvas.SetDragPanelGridPitch(8);
    canvas.SetConnectorGridPitch(4);
    canvas.SetAutoSize(false);
    canvas.SetHorzScrollRange(2000);
    canvas.SetVertScrollRange(1500);
    canvas.ConnectorPen.Style = TPenStyle::psSolid;
    canvas.ConnectorPen.Width = 3;
    canvas.SetShowDragPanelPortCaptions(true);
}

} // namespace

TFrmMainWnd::TFrmMainWnd(QStringList arguments, QWidget* parent)
    : QMainWindow(parent), Arguments(std::move(arguments)) {
    setObjectName(QStringLiteral("FrmMainWnd"));
    setFont(InterfaceFont());
    FProgressWindow = new TProgressWindow(this);
    Doc = std::make_unique<TCircuitDocument>(FPlatform, *FProgressWindow);
    FProgressWindow->SetProgress(&Doc->Progress());
    SetUpCanvasModel(Doc->Canvas());

    FActions = new TActionSet(this);
    FActions->OnCommand = [this](const std::string& name) { RunCommand(name); };
    FActions->FillMenuBar(*menuBar());
    BuildToolBar();

    Splitter = new QSplitter(Qt::Horizontal, this);
    BuildLeftPane(*Splitter);
    FCanvasView = new TCanvasView(Doc->Canvas(), Splitter);
    Splitter->addWidget(FCanvasView);
    Highlight = std::make_unique<TDiagnosisHighlight>(*FCanvasView, Doc->Diagnosed());
    Splitter->setStretchFactor(1, 1);
    Splitter->setSizes({LeftPaneWidth, 1000});
    setCentralWidget(Splitter);
    BuildStatusBar();

    FPlatform.Attach({this, FCanvasView, StatusPanels, FActions});
    BuildCommands();
    Listen();
    ShowVariables();
    ShowProperty();
    RestoreGeometry();
}

// The views go before the document they show, and the platform forgets them.
TFrmMainWnd::~TFrmMainWnd() {
    Links.DisconnectAll();
    FPlatform.Attach({});
    FProgressWindow->SetProgress(nullptr);
    Highlight.reset();
    delete takeCentralWidget();
    Doc.reset();
}

// --- Layout ------------------------------------------------------------------------

void TFrmMainWnd::BuildToolBar() {
    FToolBar = addToolBar(QStringLiteral("ToolBar"));
    FToolBar->setObjectName(QStringLiteral("ToolBar"));
    FToolBar->setMovable(false);
    FToolBar->setIconSize(QSize(16, 16));

    auto* field = new QWidget(FToolBar);
    auto* layout = new QHBoxLayout(field);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(3);
    FEditFreq = new QLineEdit(QStringLiteral("1000"), field);
    FEditFreq->setObjectName(QStringLiteral("EditFreq"));
    FEditFreq->setAccessibleName(QStringLiteral("周波数 (Hz)"));
    FEditFreq->setFixedWidth(84);
    auto* unit = new QLabel(QStringLiteral("Hz"), field);
    unit->setBuddy(FEditFreq);
    layout->addWidget(FEditFreq);
    layout->addWidget(unit);
    connect(FEditFreq, &QLineEdit::textChanged, this,
            [this](const QString& text) { Doc->SetFrequencyText(text.toStdString()); });
    FActions->FillToolBar(*FToolBar, field);
}

void TFrmMainWnd::BuildLeftPane(QSplitter& splitter) {
    FPages = new QTabWidget(&splitter);
    FPages->setObjectName(QStringLiteral("PageControl"));
    FMemoProperty = new QPlainTextEdit(FPages);
    FMemoProperty->setObjectName(QStringLiteral("MemoProperty"));
    FMemoProperty->setAccessibleName(QStringLiteral("状態"));
    FMemoProperty->setReadOnly(true);
    FMemoProperty->setLineWrapMode(QPlainTextEdit::NoWrap);
    FMemoVariables = new QPlainTextEdit(FPages);
    FMemoVariables->setObjectName(QStringLiteral("MemoVariables"));
    FMemoVariables->setAccessibleName(QStringLiteral("変数"));
    FMemoVariables->setLineWrapMode(QPlainTextEdit::NoWrap);
    FPages->addTab(FMemoProperty, QStringLiteral("状態"));
    FPages->addTab(FMemoVariables, QStringLiteral("変数"));
    FPages->setCurrentIndex(0);
    splitter.addWidget(FPages);
    connect(FMemoVariables, &QPlainTextEdit::textChanged, this, &TFrmMainWnd::VariablesEdited);
}

void TFrmMainWnd::BuildStatusBar() {
    static const std::array<const char*, 3> names = {"変更状態", "解析結果", "メッセージ"};
    for (std::size_t i = 0; i < StatusPanels.size(); ++i) {
        auto* panel = new QLabel(statusBar());
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setAccessibleName(QString::fromUtf8(names[i]));
        panel->setFixedWidth(StatusPanelWidths[i]);
        panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        panel->setAlignment(i < 2 ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
        statusBar()->addWidget(panel);
        StatusPanels[i] = panel;
    }
}

// --- Commands ----------------------------------------------------------------------

void TFrmMainWnd::BuildCommands() {
    TCircuitDocument& d = *Doc;
    Commands = {
        {"AtnFileNew", [&d] { AtnFileNew(d); }},
        {"AtnFileOpen", [&d] { AtnFileOpen(d); }},
        {"AtnFileSave", [&d] { AtnFileSave(d); }},
        {"AtnFileSaveAs", [&d] { AtnFileSaveAs(d); }},
        {"AtnFileExit", [this] { close(); }},
        {"AtnEditUndo", [&d] { AtnEditUndo(d); }},
        {"AtnEditRedo", [&d] { AtnEditRedo(d); }},
        {"AtnSimulateDC", [&d] { d.AtnSimulateDC(); }},
        {"AtnSimulateAC", [&d] { d.AtnSimulateAC(); }},
        {"AtnSimulateDCNonLinear", [&d] { d.AtnSimulateDCNonLinear(); }},
        {"AtnSimulateACNonLinear", [&d] { d.AtnSimulateACNonLinear(); }},
        {"AtnSimulateDCAdditional", [&d] { d.AtnSimulateDCAdditional(); }},
        {"AtnSimulateACAdditional", [&d] { d.AtnSimulateACAdditional(); }},
        {"AtnSimulateSweep", [this, &d] { AtnSimulateSweep(*this, d); }},
        {"DebugLogCopy1", [&d] { d.DebugLogCopy1Click(); }},
        {"MoreAnalyze1", [&d] { d.MoreAnalyze1Click(); }},
    };
    for (const TDevicePlacement& placement : DevicePlacements()) {
        const std::string command(placement.Command);
        Commands[command] = [&d, command] { AtnDevice(d, command); };
    }
    Commands.merge(ShellCommands(*this));
}

// A value box being typed in is committed first, so the command sees its text;
// undo and redo first take back the typing itself.
void TFrmMainWnd::RunCommand(const std::string& name) {
    const auto it = Commands.find(name);
    if (it == Commands.end()) {
        return;
    }
    const bool undo = name == "AtnEditUndo";
    if ((undo || name == "AtnEditRedo") && StepFocusedText(!undo)) {
        return;
    }
    CommitFocusedValueBox();
    ReportErrors(FPlatform, it->second);
}

void TFrmMainWnd::CommitFocusedValueBox() {
    if (auto* box = qobject_cast<TValueBox*>(QApplication::focusWidget())) {
        box->Commit();
    } else if (auto* note = qobject_cast<TNoteTextEdit*>(QApplication::focusWidget())) {
        note->Commit();
    }
}

// The focused text control's own undo or redo; false when it has none to apply.
bool TFrmMainWnd::StepFocusedText(bool redo) {
    QWidget* text = FocusedTextControl();
    return text != nullptr && StepTextUndo(*text, redo);
}

// --- Following the document --------------------------------------------------------

void TFrmMainWnd::Listen() {
    TCircuitDocument& d = *Doc;
    Links += d.VariablesTextChanged.Connect([this] { ShowVariables(); });
    Links += d.PropertyTextChanged.Connect([this] { ShowProperty(); });
    Links += d.BusyChanged.Connect([this] { BusyChanged(); });
    Links += d.History().Changed.Connect([this] { ShowUndoState(); });
    ShowUndoState();
}

// Enabled while there is a step, its tip naming it.
void TFrmMainWnd::ShowUndoState() {
    FActions->SetContextEnabled("AtnEditUndo", Doc->CanUndo());
    FActions->SetContextEnabled("AtnEditRedo", Doc->CanRedo());
    for (auto [name, tip] : {std::pair{"AtnEditUndo", UndoStatusTip(*Doc)},
                             std::pair{"AtnEditRedo", RedoStatusTip(*Doc)}}) {
        QAction* action = FActions->Action(name);
        action->setStatusTip(QString::fromStdString(tip));
        action->setToolTip(action->statusTip());
    }
}

// While an analysis runs nothing that it reads can be typed into.
void TFrmMainWnd::BusyChanged() {
    const bool busy = Doc->Busy();
    FEditFreq->setReadOnly(busy);
    FMemoVariables->setReadOnly(busy);
    FCanvasView->SetValueBoxesLocked(busy);
    ShowUndoState();
}

void TFrmMainWnd::ShowVariables() {
    const QString text = MemoText(Doc->VariablesText());
    if (text == FMemoVariables->toPlainText()) {
        return;
    }
    ShowingVariables = true;
    const int cursor = FMemoVariables->textCursor().position();
    FMemoVariables->setPlainText(text);
    QTextCursor restored = FMemoVariables->textCursor();
    restored.setPosition(std::min(cursor, static_cast<int>(text.size())));
    FMemoVariables->setTextCursor(restored);
    ShowingVariables = false;
}

void TFrmMainWnd::VariablesEdited() {
    if (!ShowingVariables) {
        ReportErrors(FPlatform, [this] {
            Doc->SetVariablesText(FMemoVariables->toPlainText().toStdString());
        });
    }
}

void TFrmMainWnd::ShowProperty() {
    FMemoProperty->setPlainText(MemoText(Doc->PropertyText()));
}

// --- Start and end -----------------------------------------------------------------

void TFrmMainWnd::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!Started) {
        Started = true;
        QTimer::singleShot(0, this, &TFrmMainWnd::StartUp);
    }
}

// Without the complex library nothing can be analysed: the program says so
// and closes. Otherwise the title and status appear and the command line's
// file opens.
void TFrmMainWnd::StartUp() {
    if (!ZaroMathLoaded()) {
        FPlatform.MessageBox(BindingFailedMessage, TMsgDlgType::mtError, TMsgDlgButtons::mbOK);
        close();
        return;
    }
    Doc->UpdateStatus();
    if (!Arguments.isEmpty()) {
        const std::string file = Arguments.constFirst().toStdString();
        ReportErrors(FPlatform, [&] { LoadModel(*Doc, file); });
    }
}

// An analysis on the stack still needs the window; closing waits for its end.
void TFrmMainWnd::closeEvent(QCloseEvent* event) {
    if (Doc->Busy()) {
        FPlatform.Beep();
        event->ignore();
        return;
    }
    CommitFocusedValueBox();
    bool mayClose = true;
    if (ZaroMathLoaded()) {
        ReportErrors(FPlatform, [&] { mayClose = FormCloseQuery(*Doc); });
    }
    if (!mayClose) {
        event->ignore();
        return;
    }
    SaveGeometry();
    FProgressWindow->hide();
    event->accept();
}

void TFrmMainWnd::RestoreGeometry() {
    const QSettings settings;
    if (!restoreGeometry(settings.value(QStringLiteral("MainWindow/Geometry")).toByteArray())) {
        resize(1180, 680); // the whole tool bar fits
    }
    Splitter->restoreState(settings.value(QStringLiteral("MainWindow/Splitter")).toByteArray());
}

void TFrmMainWnd::SaveGeometry() const {
    QSettings settings;
    settings.setValue(QStringLiteral("MainWindow/Geometry"), saveGeometry());
    settings.setValue(QStringLiteral("MainWindow/Splitter"), Splitter->saveState());
}

} // namespace zaro::gui
