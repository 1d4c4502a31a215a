#pragma once
// Copy, cut, paste and delete on the schematic: one device at a time travels
// through the clipboard as its record; wires are never copied. The shell runs
// these when no text control has the focus (a focused text control handles
// the commands itself).

#include "CircuitDocument.h"

namespace zaro {

inline constexpr const char* DeviceClipboardFormat = "CF_ZAROSIMDEVICE";

// The selected panel's record replaces the clipboard; without a selected
// panel nothing happens.
void AtnEditCopy(TCircuitDocument& document);
// Copy, then delete the selected panel with its wires.
void AtnEditCut(TCircuitDocument& document);
// Adds the clipboard's device, numbered after the others, without wires and
// centred on the visible canvas. A payload that is not a device record
// raises its error and adds nothing. Returns the device, or nullptr when the
// clipboard holds none.
TZaroSimDevice* AtnEditPaste(TCircuitDocument& document);
// Deletes the selected panel (with its wires) or else the selected wire.
void AtnEditDelete(TCircuitDocument& document);

} // namespace zaro
