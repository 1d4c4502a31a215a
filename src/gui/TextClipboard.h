#pragma once
// The Edit commands on the text control that has the keyboard focus (a memo,
// the frequency field, a value box, a label's note): they go through the
// ordinary text clipboard. Without a focused text control the commands go to
// the schematic instead.

class QWidget;

namespace zaro::gui {

enum class TTextEditVerb { Copy, Cut, Paste, Delete };

// The focused widget when it is a text control, else nullptr.
QWidget* FocusedTextControl();

// Runs the verb on `control`'s selection; a read-only control only copies.
// Copy and cut without a selection leave the clipboard as it was.
void RunTextEditVerb(QWidget& control, TTextEditVerb verb);

// The control's own undo (or redo) of its typing; false when it has none to
// apply or takes no typing.
bool StepTextUndo(QWidget& control, bool redo);

} // namespace zaro::gui
