#include "QtInput.h"

#include <QMouseEvent>

#include <map>

namespace zaro::gui {

TMouseButton MouseButtonOf(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return TMouseButton::mbLeft;
    case Qt::RightButton:
        return TMouseButton::mbRight;
    default:
        return TMouseButton::mbMiddle;
    }
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    TShiftState shift;
    const std::pair<bool, TShiftFlag> flags[] = {
        {modifiers.testFlag(Qt::ShiftModifier), TShiftFlag::ssShift},
        {modifiers.testFlag(Qt::AltModifier), TShiftFlag::ssAlt},
        {modifiers.testFlag(Qt::ControlModifier), TShiftFlag::ssCtrl},
        {buttons.testFlag(Qt::LeftButton), TShiftFlag::ssLeft},
        {buttons.testFlag(Qt::RightButton), TShiftFlag::ssRight},
        {buttons.testFlag(Qt::MiddleButton), TShiftFlag::ssMiddle},
    };
    for (const auto& [held, flag] : flags) {
        if (held) {
            shift |= flag;
        }
    }
    return shift;
}

TShiftState ShiftStateOf(const QMouseEvent& event) {
    TShiftState shift = ShiftStateOf(event.modifiers(), event.buttons());
    if (event.type() == QEvent::MouseButtonDblClick) {
        shift |= TShiftFlag::ssDouble;
    }
    return shift;
}

int VirtualKeyOf(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return qtKey; // the same codes as ASCII capitals and digits
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) {
        return 112 + (qtKey - Qt::Key_F1);
    }
    static const std::map<int, int> keys = {
        {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},      {Qt::Key_Return, 13},   {Qt::Key_Enter, 13},
        {Qt::Key_Shift, 16},    {Qt::Key_Control, 17}, {Qt::Key_Alt, 18},      {Qt::Key_Escape, 27},
        {Qt::Key_Space, 32},    {Qt::Key_PageUp, 33},  {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},
        {Qt::Key_Home, 36},     {Qt::Key_Left, 37},    {Qt::Key_Up, 38},       {Qt::Key_Right, 39},
        {Qt::Key_Down, 40},     {Qt::Key_Insert, 45},  {Qt::Key_Delete, 46},
    };
    const auto it = keys.find(qtKey);
    return it == keys.end() ? 0 : it->second;
}

} // namespace zaro::gui
