#include "ValueBox.h"

#include "CodingPanel.h"
#include "CoreDrawing.h"
#include "Cp932.h"
#include "DragPanels.h"
#include "EditBox.h"
#include "ErrorReport.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QStatusTipEvent>

namespace zaro::gui {

QString FirstUnsavableCharacter(const QString& text) {
    for (int i = 0; i < text.size();) {
        const int length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        try {
            Utf8ToCp932(character.toStdString());
        } catch (const ECp932Error&) {
            return character;
        }
        i += length;
    }
    return {};
}

QString UnsavableCharacterMessage(const QString& character) {
    const QString code =
        QString::number(character.toUcs4().value(0), 16).toUpper().rightJustified(4, '0');
    return QStringLiteral("「%1」(U+%2) はファイルに保存できない文字です。").arg(character, code);
}

TValueBox::TValueBox(TDragPanel& panel, TEditBox& box, QWidget* parent)
    : QLineEdit(parent), FPanel(panel), FBox(box) {
    setFrame(true);
    setTextMargins(0, 0, 0, 0);
    setContentsMargins(0, 0, 0, 0);
    FollowBox();
    Links += box.OnChange.Connect([this](TEditBox&) { FollowBox(); });
    connect(this, &QLineEdit::textEdited, this, &TValueBox::CheckCharacters);
    connect(this, &QLineEdit::editingFinished, this, &TValueBox::Commit);
}

// A box that goes while it has the focus loses it on the way: that is no
// finished edit, and the panel may be going too.
TValueBox::~TValueBox() {
    disconnect(this, &QLineEdit::editingFinished, this, &TValueBox::Commit);
}

void TValueBox::SetLocked(bool locked) {
    if (locked != Locked) {
        Locked = locked;
        FollowBox();
    }
}

// Only what differs is set again: a box follows its model often.
void TValueBox::FollowBox() {
    const QRect bounds = ToQRect(FBox.BoundsRect());
    if (geometry() != bounds) {
        setGeometry(bounds);
    }
    setReadOnly(FBox.ReadOnly() || Locked);
    setFocusPolicy(FBox.ReadOnly() ? Qt::ClickFocus : Qt::StrongFocus);
    const QString shown = QString::fromStdString(FBox.Text());
    if (shown != text()) {
        setText(shown);
        setCursorPosition(0);
    }
    if (const QFont fitting = FittingFont(); fitting != font()) {
        setFont(fitting);
    }
    const QColor background = ToQColor(FBox.Color());
    if (palette().color(QPalette::Base) != background) {
        QPalette p = palette();
        p.setColor(QPalette::Base, background);
        setPalette(p);
    }
    CheckCharacters();
    if (FBox.ReadOnly()) {
        setToolTip(text()); // a reading, whole
    }
}

// A reading keeps its font height unless it would not fit: then the font
// shrinks (down to a limit) so the whole reading shows.
QFont TValueBox::FittingFont() const {
    constexpr int SmallestReading = 8;
    QFont f = font();
    int pixels = std::max(FBox.FontHeight(), 1);
    f.setPixelSize(pixels);
    const int room = FBox.Width() - 6; // the frame and the text margins
    const QString shown = QString::fromStdString(FBox.Text());
    while (FBox.ReadOnly() && pixels > SmallestReading &&
           QFontMetrics(f).horizontalAdvance(shown) > room) {
        f.setPixelSize(--pixels);
    }
    return f;
}

void TValueBox::Commit() {
    if (isReadOnly()) {
        return;
    }
    const std::string typed = text().toStdString();
    if (FPanel.Parent() != nullptr) {
        ReportErrors(FPanel.Parent()->Platform(), [&] { FPanel.CommitEditText(FBox, typed); });
    }
    FollowBox();
}

// The box turns red and says why, also in the status bar; the text is kept as typed.
void TValueBox::CheckCharacters() {
    const QString bad = FirstUnsavableCharacter(text());
    const QString problem = bad.isEmpty() ? QString() : UnsavableCharacterMessage(bad);
    if (problem == FProblem) {
        return;
    }
    FProblem = problem;
    QStatusTipEvent tip(FProblem);
    QCoreApplication::sendEvent(this, &tip);
    setToolTip(FProblem);
    setAccessibleDescription(FProblem);
    setStyleSheet(FProblem.isEmpty() ? QString()
                                     : QStringLiteral("QLineEdit { background: #ffd0d0; "
                                                      "border: 1px solid #d00000; }"));
}

void TValueBox::UpdateAccessibleName(const QString& name) {
    setAccessibleName(name);
}

} // namespace zaro::gui
