#include "TextClipboard.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
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

} // namespace zaro::gui
