#pragma once
// Undo and redo of the schematic's edits, the first items of the Edit menu.
// The shell runs these when no text control has the focus (a focused text
// control undoes its own typing).

#include "CircuitDocument.h"

#include <string>

namespace zaro {

inline constexpr const char* UndoCaption = "元に戻す(&Z)";
inline constexpr const char* RedoCaption = "やり直し(&Y)";
inline constexpr const char* UndoHint = "元に戻す";
inline constexpr const char* RedoHint = "やり直し";

// "元に戻す: 抵抗器の配置": the hint with the step the command would apply,
// or the hint alone when there is none.
std::string UndoStatusTip(const TCircuitDocument& document);
std::string RedoStatusTip(const TCircuitDocument& document);

// Takes back the last edit, or makes the last one taken back again. The
// document is unmodified exactly when it is back as it was saved; a step
// that changed the circuit clears the results as the edit did, a drawing
// step leaves them. False, changing nothing, when there is no step, while an
// analysis runs, or (with a beep) in the middle of a gesture.
bool AtnEditUndo(TCircuitDocument& document);
bool AtnEditRedo(TCircuitDocument& document);

} // namespace zaro
