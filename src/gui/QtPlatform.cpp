#include "QtPlatform.h"

#include "ActionSet.h"
#include "CanvasView.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>

namespace zaro::gui {

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// Message texts break lines with CR LF; a Qt label wants LF alone.
QString MessageText(const std::string& text) {
    return Text(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QMessageBox::Icon IconOf(TMsgDlgType type) {
    switch (type) {
    case TMsgDlgType::mtInformation:
        return QMessageBox::Information;
    case TMsgDlgType::mtConfirmation:
        return QMessageBox::Question;
    case TMsgDlgType::mtWarning:
        return QMessageBox::Warning;
    case TMsgDlgType::mtError:
        return QMessageBox::Critical;
    case TMsgDlgType::mtCustom:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(TMsgDlgButtons buttons) {
    switch (buttons) {
    case TMsgDlgButtons::mbYesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case TMsgDlgButtons::mbYesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case TMsgDlgButtons::mbOKCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case TMsgDlgButtons::mbOK:
        break;
    }
    return QMessageBox::Ok;
}

TModalResult ResultOf(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return TModalResult::mrYes;
    case QMessageBox::No:
        return TModalResult::mrNo;
    case QMessageBox::Ok:
        return TModalResult::mrOk;
    default:
        return TModalResult::mrCancel;
    }
}

Qt::CursorShape ShapeOf(TCursorShape cursor) {
    switch (cursor) {
    case TCursorShape::crSizeAll:
        return Qt::SizeAllCursor;
    case TCursorShape::crDrag:
        return Qt::DragMoveCursor;
    case TCursorShape::crNoDrop:
        return Qt::ForbiddenCursor;
    case TCursorShape::crHourGlass:
        return Qt::WaitCursor;
    case TCursorShape::crDefault:
        break;
    }
    return Qt::ArrowCursor;
}

} // namespace

QString QtFileFilter(const std::string& filter) {
    const QStringList parts = Text(filter).split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'))) {
            if (pattern == QStringLiteral("*.*")) {
                patterns << QStringLiteral("*");
                continue;
            }
            patterns << pattern.toUpper();
            if (pattern.toLower() != pattern.toUpper()) {
                patterns << pattern.toLower();
            }
        }
        filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

TQtPlatform::TQtPlatform() {
    Ticks.start();
}

TQtPlatform::~TQtPlatform() {
    SetScreenCursor(TCursorShape::crDefault);
}

void TQtPlatform::Attach(const TPlatformTargets& targets) {
    Window = targets.Window;
    Canvas = targets.Canvas;
    for (std::size_t i = 0; i < StatusPanels.size(); ++i) {
        StatusPanels[i] = targets.StatusPanels[i];
    }
    Actions = targets.Actions;
}

TModalResult TQtPlatform::MessageBox(const std::string& text, TMsgDlgType type,
                                     TMsgDlgButtons buttons) {
    QMessageBox box(IconOf(type), QApplication::applicationDisplayName(), MessageText(text),
                    ButtonsOf(buttons), Window);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    return ResultOf(box.exec());
}

void TQtPlatform::Beep() {
    QApplication::beep();
}

// The screen cursor overrides every window's own until it is set back.
void TQtPlatform::SetScreenCursor(TCursorShape cursor) {
    if (cursor == Cursor) {
        return;
    }
    if (Cursor != TCursorShape::crDefault) {
        QApplication::restoreOverrideCursor();
    }
    if (cursor != TCursorShape::crDefault) {
        QApplication::setOverrideCursor(QCursor(ShapeOf(cursor)));
    }
    Cursor = cursor;
}

void TQtPlatform::RepaintPanel(const TDragPanel& panel) {
    if (Canvas != nullptr) {
        Canvas->RepaintPanel(panel);
    }
}

void TQtPlatform::RepaintCanvas() {
    if (Canvas != nullptr) {
        Canvas->RepaintCanvas();
    }
}

void TQtPlatform::BeginPanelDrag(TDragPanel& panel, int threshold) {
    if (Canvas != nullptr) {
        Canvas->BeginPanelDrag(panel, threshold);
    }
}

void TQtPlatform::FocusCanvas() {
    if (Canvas != nullptr) {
        Canvas->setFocus(Qt::MouseFocusReason);
    }
}

void TQtPlatform::ProcessMessages() {
    QCoreApplication::processEvents();
}

std::int32_t TQtPlatform::TickCount() {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(Ticks.elapsed()));
}

void TQtPlatform::SetTitle(const std::string& title) {
    if (Window != nullptr) {
        Window->setWindowTitle(Text(title));
    }
}

void TQtPlatform::SetStatusText(int panelIndex, const std::string& text) {
    if (panelIndex >= 0 && panelIndex < static_cast<int>(StatusPanels.size()) &&
        StatusPanels[static_cast<std::size_t>(panelIndex)] != nullptr) {
        StatusPanels[static_cast<std::size_t>(panelIndex)]->setText(Text(text));
    }
}

void TQtPlatform::SetCommandsEnabled(bool enabled) {
    if (Actions != nullptr) {
        Actions->SetAllEnabled(enabled);
    }
}

void TQtPlatform::RepaintWindow() {
    if (Window != nullptr) {
        Window->repaint();
    }
}

std::optional<std::string> TQtPlatform::ChooseFile(const TFileDialogOptions& options, bool save) {
    QFileDialog dialog(Window, Text(options.Title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(QtFileFilter(options.Filter));
    dialog.setDefaultSuffix(Text(options.DefaultExt));
    if (!options.FileName.empty()) {
        const QFileInfo current(Text(options.FileName));
        dialog.setDirectory(current.absolutePath());
        if (save) {
            dialog.selectFile(current.fileName());
        }
    }
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite); // saving asks itself
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst().toStdString();
}

std::optional<std::string> TQtPlatform::ChooseOpenFile(const TFileDialogOptions& options) {
    return ChooseFile(options, false);
}

std::optional<std::string> TQtPlatform::ChooseSaveFile(const TFileDialogOptions& options) {
    return ChooseFile(options, true);
}

void TQtPlatform::SetClipboardData(const std::string& format,
                                   const std::vector<std::uint8_t>& bytes) {
    auto* data = new QMimeData;
    data->setData(Text(format), QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                           static_cast<qsizetype>(bytes.size())));
    QApplication::clipboard()->setMimeData(data);
}

std::optional<std::vector<std::uint8_t>> TQtPlatform::ClipboardData(const std::string& format) {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasFormat(Text(format))) {
        return std::nullopt;
    }
    const QByteArray bytes = data->data(Text(format));
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

void TQtPlatform::SetClipboardText(const std::string& text) {
    QApplication::clipboard()->setText(Text(text));
}

void TQtPlatform::OpenWithDesktop(const std::string& url) {
    // Like the shell's "open": a file or page the desktop cannot open fails silently.
    QDesktopServices::openUrl(QUrl(Text(url)));
}

} // namespace zaro::gui
