#include "NoteTextEdit.h"

#include "LabelDevice.h"
#include "RichTextMapping.h"

#include <QFocusEvent>

namespace zaro::gui {

TNoteTextEdit::TNoteTextEdit(TLabelDevice& label, QWidget* parent)
    : QTextEdit(parent), FLabel(label) {
    setObjectName(QStringLiteral("NoteEditor"));
    setFocusPolicy(Qt::ClickFocus);
    setAcceptRichText(false); // pasted text takes the format at the cursor
    setTabChangesFocus(!label.NoteEditor().WantTabs);
    setLineWrapMode(label.NoteEditor().WordWrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    QFont font = this->font();
    font.setPixelSize(label.NoteEditor().FontHeight);
    document()->setDefaultFont(font);
    ShowNote();
}

void TNoteTextEdit::ShowNote() {
    ShownRtf = FLabel.NoteEditor().Document().Rtf();
    FillDocument(*document(), FLabel.NoteEditor().Content());
}

void TNoteTextEdit::FollowNote() {
    if (!document()->isModified() && ShownRtf != FLabel.NoteEditor().Document().Rtf()) {
        ShowNote();
    }
}

void TNoteTextEdit::Commit() {
    if (!document()->isModified()) {
        return;
    }
    // The selection stays, for a formatting command that follows.
    if (FLabel.CommitNoteContent(DocumentContent(*document()))) {
        ShownRtf = FLabel.NoteEditor().Document().Rtf();
        document()->setModified(false);
    } else {
        ShowNote();
    }
}

void TNoteTextEdit::SetLocked(bool locked) {
    setReadOnly(locked);
}

void TNoteTextEdit::focusOutEvent(QFocusEvent* event) {
    QTextEdit::focusOutEvent(event);
    // A menu or the font dialog takes the focus for a moment only.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason) {
        Commit();
    }
}

} // namespace zaro::gui
