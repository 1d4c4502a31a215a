#include "ShellCommands.h"

#include "AboutDialog.h"
#include "ClipboardCommands.h"
#include "HelpCommands.h"
#include "MainWindow.h"
#include "OptionsCommands.h"
#include "RichTextCommands.h"
#include "TextClipboard.h"

namespace zaro::gui {

namespace {

// The command for `verb`: the focused text control's, else the schematic's.
std::function<void()> EditCommand(TCircuitDocument& document, TTextEditVerb verb,
                                  void (*onSchematic)(TCircuitDocument&)) {
    return [&document, verb, onSchematic] {
        if (QWidget* text = FocusedTextControl()) {
            RunTextEditVerb(*text, verb);
        } else {
            onSchematic(document);
        }
    };
}

void PasteOnSchematic(TCircuitDocument& document) {
    AtnEditPaste(document);
}

void AtnHelpAbout(QWidget& owner) {
    TFrmAbout about(&owner);
    about.exec();
}

} // namespace

TCommandMap ShellCommands(TFrmMainWnd& window) {
    TCircuitDocument& d = window.Document();
    TPlatform& platform = window.Platform();
    TCommandMap commands = {
        {"AtnEditCut", EditCommand(d, TTextEditVerb::Cut, &AtnEditCut)},
        {"AtnEditCopy", EditCommand(d, TTextEditVerb::Copy, &AtnEditCopy)},
        {"AtnEditPaste", EditCommand(d, TTextEditVerb::Paste, &PasteOnSchematic)},
        {"AtnEditDelete", EditCommand(d, TTextEditVerb::Delete, &AtnEditDelete)},
        {"AtnOptionsRegister", [&platform] { AtnOptionsRegister(platform); }},
        {"AtnOptionsUnregieter", [&platform] { AtnOptionsUnregieter(platform); }},
        {"AtnHelpIndex", [&platform] { AtnHelpIndex(platform); }},
        {"AtnHelpZaro", [&platform] { AtnHelpZaro(platform); }},
        {"AtnHelpAbout", [&window] { AtnHelpAbout(window); }},
    };
    commands.merge((new TRichTextCommands(window.Actions(), window))->Commands());
    return commands;
}

} // namespace zaro::gui
