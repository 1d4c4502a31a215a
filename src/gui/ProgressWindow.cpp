#include "ProgressWindow.h"

#include "ActionGlyphs.h"
#include "InterfaceFont.h"
#include "ProgressDlg.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

namespace zaro::gui {

namespace {

constexpr int ClientWidth = 296;
constexpr int ClientHeight = 195;
constexpr int FontPixels = 12;

Qt::CheckState QtState(TCheckBoxState state) {
    switch (state) {
    case TCheckBoxState::cbChecked:
        return Qt::Checked;
    case TCheckBoxState::cbGrayed:
        return Qt::PartiallyChecked;
    case TCheckBoxState::cbUnchecked:
        break;
    }
    return Qt::Unchecked;
}

} // namespace

TProgressWindow::TProgressWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("FrmProgress"));
    setWindowTitle(QStringLiteral("Simulation on progress..."));
    setModal(false);
    setFixedSize(ClientWidth, ClientHeight);
    setFont(InterfaceFont(FontPixels));

    AddLabel("Label1", 4, 4, "回路シミュレーション実行中です．");
    Controls[TProgressControl::ChkCheckCircuit] =
        AddStep("ChkCheckCircuit", 16, 20, 265, "（１）回路のチェック");
    Controls[TProgressControl::ChkDCBias] =
        AddStep("ChkDCBias", 16, 44, 261, "（２）直流バイアスポイントの計算");
    AddLabel("Label4", 40, 68, "状態：");
    Controls[TProgressControl::LblStatus] = AddLabel("LblStatus", 124, 68, "通常解析中");
    AddLabel("Label2", 40, 84, "線形解析回数：");
    Controls[TProgressControl::LblRepeatCount] = AddLabel("LblRepeatCount", 124, 84, "0");
    AddLabel("Label3", 40, 100, "残留誤差：");
    Controls[TProgressControl::LblErrorVolt] = AddLabel("LblErrorVolt", 124, 100, "0.0E-0");

    PBarError = new QProgressBar(this);
    PBarError->setObjectName(QStringLiteral("PBarError"));
    PBarError->setAccessibleName(QStringLiteral("残留誤差"));
    PBarError->setRange(0, 100);
    PBarError->setTextVisible(false);
    PBarError->setGeometry(120, 112, 157, 16);
    Controls[TProgressControl::PBarError] = PBarError;

    Controls[TProgressControl::ChkLinear] = AddStep("ChkLinear", 16, 136, 261, "（３）線形解析");

    BtnStop = new QPushButton(QStringLiteral("Stop"), this);
    BtnStop->setObjectName(QStringLiteral("BtnStop"));
    BtnStop->setIcon(StopGlyphIcon());
    BtnStop->setGeometry(108, 164, 85, 25);
    BtnStop->setAutoDefault(false);
    connect(BtnStop, &QPushButton::clicked, this, &TProgressWindow::StopClicked);
    Controls[TProgressControl::BtnStop] = BtnStop;
    Controls[TProgressControl::Dialog] = this;
}

QLabel* TProgressWindow::AddLabel(const char* name, int left, int top, const char* caption) {
    auto* label = new QLabel(QString::fromUtf8(caption), this);
    label->setObjectName(QString::fromLatin1(name));
    label->move(left, top);
    label->setMinimumWidth(ClientWidth - left - 8);
    return label;
}

QCheckBox* TProgressWindow::AddStep(const char* name, int left, int top, int width,
                                    const char* caption) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), this);
    box->setObjectName(QString::fromLatin1(name));
    box->setTristate(true);
    box->setGeometry(left, top, width, 17);
    return box;
}

QWidget* TProgressWindow::Control(TProgressControl control) const {
    const auto it = Controls.find(control);
    return it == Controls.end() ? nullptr : it->second;
}

// Centred on the screen each time an analysis shows it.
void TProgressWindow::Show() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
}

void TProgressWindow::Hide() {
    hide();
}

void TProgressWindow::SetText(TProgressControl control, const std::string& text) {
    if (auto* label = qobject_cast<QLabel*>(Control(control))) {
        label->setText(QString::fromStdString(text));
    }
}

void TProgressWindow::SetEnabled(TProgressControl control, bool enabled) {
    if (QWidget* widget = Control(control)) {
        widget->setEnabled(enabled);
    }
}

void TProgressWindow::SetCheckState(TProgressControl control, TCheckBoxState state) {
    if (auto* box = qobject_cast<QCheckBox*>(Control(control))) {
        box->setCheckState(QtState(state));
    }
}

void TProgressWindow::SetBarPosition(int position) {
    PBarError->setValue(position);
}

void TProgressWindow::RepaintNow(TProgressControl control) {
    if (QWidget* widget = Control(control)) {
        widget->repaint();
    }
}

void TProgressWindow::reject() {
    if (BtnStop->isEnabled()) {
        BtnStop->click();
    }
}

void TProgressWindow::StopClicked() {
    if (Progress != nullptr) {
        Progress->Stop();
    }
}

} // namespace zaro::gui
