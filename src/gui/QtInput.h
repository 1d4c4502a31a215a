#pragma once
// Qt's mouse and key input as the core's editor reads it: buttons, the shift
// state (modifier keys and held buttons) and the virtual key codes.

#include "MouseInput.h"

#include <Qt>

class QMouseEvent;

namespace zaro::gui {

// Other buttons than left and right count as the middle one.
TMouseButton MouseButtonOf(Qt::MouseButton button);
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = {});
TShiftState ShiftStateOf(const QMouseEvent& event);
// The virtual key code of a key (Delete is 46); 0 for keys without one.
int VirtualKeyOf(int qtKey);

} // namespace zaro::gui
