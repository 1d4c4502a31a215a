#pragma once
// What every program with the main window does first, after making its
// QApplication: the application's names (its settings live under them) and
// the interface font, and the binding of ZaroMath.

namespace zaro::gui {

// Returns whether ZaroMath is bound; the window says so when it is not.
bool SetUpApplication();

} // namespace zaro::gui
