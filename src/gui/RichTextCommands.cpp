#include "RichTextCommands.h"

#include "ActionSet.h"
#include "SelectionAttribute.h"

#include <QAction>
#include <QApplication>
#include <QFontDialog>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include <array>

namespace zaro::gui {

namespace {

struct TAttributeCommand {
    TTextAttribute Attribute;
    const char* Command;
};

constexpr std::array<TAttributeCommand, 3> AttributeCommands = {{
    {TTextAttribute::Bold, "REditBold1"},
    {TTextAttribute::Italic, "REditItalic1"},
    {TTextAttribute::Underline, "REditUnderline1"},
}};
constexpr const char* FontCommand = "REditFont1";

bool HasAttribute(const QTextCharFormat& format, TTextAttribute attribute) {
    switch (attribute) {
    case TTextAttribute::Bold:
        return format.fontWeight() > QFont::Medium;
    case TTextAttribute::Italic:
        return format.fontItalic();
    case TTextAttribute::Underline:
        return format.fontUnderline();
    }
    return false;
}

QTextCharFormat AttributeFormat(TTextAttribute attribute, bool set) {
    QTextCharFormat format;
    switch (attribute) {
    case TTextAttribute::Bold:
        format.setFontWeight(set ? QFont::Bold : QFont::Normal);
        break;
    case TTextAttribute::Italic:
        format.setFontItalic(set);
        break;
    case TTextAttribute::Underline:
        format.setFontUnderline(set);
        break;
    }
    return format;
}

// The attribute over each run of one format that the selection touches.
TSelectionAttribute SelectionAttribute(const QTextCursor& selection, TTextAttribute attribute) {
    TSelectionAttribute result;
    const int start = selection.selectionStart();
    const int end = selection.selectionEnd();
    const QTextDocument& document = *selection.document();
    for (QTextBlock block = document.findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.position() < end && fragment.position() + fragment.length() > start) {
                result.Add(HasAttribute(fragment.charFormat(), attribute));
            }
        }
    }
    return result;
}

} // namespace

TRichTextCommands::TRichTextCommands(TActionSet& actions, QWidget& window)
    : QObject(&window), Actions(actions), Window(window) {
    for (const TAttributeCommand& command : AttributeCommands) {
        if (QAction* action = Actions.Action(command.Command)) {
            action->setCheckable(true);
        }
    }
    connect(qApp, &QApplication::focusChanged, this, &TRichTextCommands::FocusChanged);
    Update();
}

TCommandMap TRichTextCommands::Commands() {
    TCommandMap commands;
    for (const TAttributeCommand& command : AttributeCommands) {
        commands[command.Command] = [this, attribute = command.Attribute] {
            ToggleAttribute(attribute);
        };
    }
    commands[FontCommand] = [this] { ChooseFont(); };
    return commands;
}

void TRichTextCommands::FocusChanged() {
    auto* target = qobject_cast<QTextEdit*>(QApplication::focusWidget());
    // A dialog over the window leaves the editor the target.
    if (target == nullptr && QApplication::activeModalWidget() != nullptr) {
        return;
    }
    if (target != Target) {
        disconnect(SelectionLink);
        disconnect(FormatLink);
        Target = target;
        if (Target != nullptr) {
            SelectionLink =
                connect(Target, &QTextEdit::selectionChanged, this, &TRichTextCommands::Update);
            FormatLink = connect(Target, &QTextEdit::currentCharFormatChanged, this,
                                 &TRichTextCommands::Update);
        }
    }
    Update();
}

void TRichTextCommands::Update() {
    const bool selected = Target != nullptr && Target->textCursor().hasSelection();
    for (const TAttributeCommand& command : AttributeCommands) {
        Actions.SetContextEnabled(command.Command, selected);
        if (QAction* action = Actions.Action(command.Command)) {
            action->setChecked(
                selected && SelectionAttribute(Target->textCursor(), command.Attribute).Checked());
        }
    }
    Actions.SetContextEnabled(FontCommand, Target != nullptr);
}

void TRichTextCommands::ToggleAttribute(TTextAttribute attribute) {
    if (Target != nullptr && Target->textCursor().hasSelection() && !Target->isReadOnly()) {
        const bool set = SelectionAttribute(Target->textCursor(), attribute).ValueAfterToggle();
        Target->mergeCurrentCharFormat(AttributeFormat(attribute, set));
    }
    Update();
}

void TRichTextCommands::ChooseFont() {
    QTextEdit* target = Target;
    if (target == nullptr || target->isReadOnly()) {
        return;
    }
    bool chosen = false;
    const QFont font = QFontDialog::getFont(&chosen, target->currentCharFormat().font(), &Window,
                                            QStringLiteral("フォント"));
    if (chosen && target == Target) {
        QTextCharFormat format;
        format.setFont(font);
        target->mergeCurrentCharFormat(format);
    }
    Update();
}

} // namespace zaro::gui
