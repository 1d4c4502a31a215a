#include "TextClipboard.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextEdit>

namespace zaro::gui {

namespace {

void DeleteSelection(QLineEdit& edit) {
    if (edit.hasSelectedText()) {
        edit.del();
    }
}

template <typename TEdit> void DeleteSelection(TEdit& edit) {
    edit.textCursor().removeSelectedText();
}

// The three kinds of text control share these members without a common base.
template <typename TEdit> void RunOn(TEdit& edit, TTextEditVerb verb) {
    if (verb == TTextEditVerb::Copy || (edit.isReadOnly() && verb == TTextEditVerb::Cut)) {
        edit.copy();
    } else if (edit.isReadOnly()) {
        return;
    } else if (verb == TTextEditVerb::Cut) {
        edit.cut();
    } else if (verb == TTextEditVerb::Paste) {
        edit.paste();
    } else {
        DeleteSelection(edit);
    }
}

bool StepOn(QLineEdit& edit, bool redo) {
    if (edit.isReadOnly() || !(redo ? edit.isRedoAvailable() : edit.isUndoAvailable())) {
        return false;
    }
    redo ? edit.redo() : edit.undo();
    return true;
}

template <typename TEdit> bool StepOn(TEdit& edit, bool redo) {
    const QTextDocument& typed = *edit.document();
    if (edit.isReadOnly() || !(redo ? typed.isRedoAvailable() : typed.isUndoAvailable())) {
        return false;
    }
    redo ? edit.redo() : edit.undo();
    return true;
}

} // namespace

QWidget* FocusedTextControl() {
    QWidget* focus = QApplication::focusWidget();
    if (qobject_cast<QLineEdit*>(focus) != nullptr ||
        qobject_cast<QPlainTextEdit*>(focus) != nullptr ||
        qobject_cast<QTextEdit*>(focus) != nullptr) {
        return focus;
    }
    return nullptr;
}

void RunTextEditVerb(QWidget& control, TTextEditVerb verb) {
    if (auto* line = qobject_cast<QLineEdit*>(&control)) {
        RunOn(*line, verb);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(&control)) {
        RunOn(*plain, verb);
    } else if (auto* rich = qobject_cast<QTextEdit*>(&control)) {
        RunOn(*rich, verb);
    }
}

bool StepTextUndo(QWidget& control, bool redo) {
    if (auto* line = qobject_cast<QLineEdit*>(&control)) {
        return StepOn(*line, redo);
    }
    if (auto* plain = qobject_cast<QPlainTextEdit*>(&control)) {
        return StepOn(*plain, redo);
    }
    if (auto* rich = qobject_cast<QTextEdit*>(&control)) {
        return StepOn(*rich, redo);
    }
    return false;
}

} // namespace zaro::gui
