#pragma once
// Bold, italic, underline and font on the selection of the focused rich-text
// editor (a label's note). Bold, italic and underline are enabled while that
// editor has a selection and checked when the whole selection has the
// attribute; the font command whenever such an editor has the focus.

#include "ShellCommands.h"

#include <QMetaObject>
#include <QObject>

class QTextCharFormat;
class QTextEdit;

namespace zaro::gui {

class TActionSet;

enum class TTextAttribute { Bold, Italic, Underline };

class TRichTextCommands : public QObject {
    Q_OBJECT
public:
    TRichTextCommands(TActionSet& actions, QWidget& window);

    // REditBold1, REditItalic1, REditUnderline1 and REditFont1.
    TCommandMap Commands();

    // Sets the attribute on the selection when no part of it has it, and
    // clears it otherwise, so a mixed selection becomes plain.
    void ToggleAttribute(TTextAttribute attribute);
    // Asks for a font preset with the selection's, and gives it to the selection.
    void ChooseFont();
    // Enables and checks the commands for the focused editor and its selection.
    void Update();

private:
    void FocusChanged();

    TActionSet& Actions;
    QWidget& Window;
    QTextEdit* Target = nullptr;
    QMetaObject::Connection SelectionLink;
    QMetaObject::Connection FormatLink;
};

} // namespace zaro::gui
