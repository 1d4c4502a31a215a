#pragma once
// Mouse input as the views hand it to the editor models: which button, which
// modifier keys and buttons are held, and the position in the receiver's
// client coordinates.

#include <cstdint>

namespace zaro {

enum class TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

// Keys and buttons held during a mouse or key event.
enum class TShiftFlag : std::uint8_t {
    ssShift = 1 << 0,
    ssAlt = 1 << 1,
    ssCtrl = 1 << 2,
    ssLeft = 1 << 3,
    ssRight = 1 << 4,
    ssMiddle = 1 << 5,
    ssDouble = 1 << 6,
};

// A set of TShiftFlag values.
class TShiftState {
public:
    constexpr TShiftState() = default;
    constexpr TShiftState(TShiftFlag flag) : Bits(static_cast<std::uint8_t>(flag)) {}

    constexpr bool Contains(TShiftFlag flag) const {
        return (Bits & static_cast<std::uint8_t>(flag)) != 0;
    }
    constexpr bool Empty() const { return Bits == 0; }
    constexpr TShiftState operator|(TShiftState other) const {
        return FromBits(static_cast<std::uint8_t>(Bits | other.Bits));
    }
    constexpr TShiftState& operator|=(TShiftState other) { return *this = *this | other; }
    constexpr bool operator==(const TShiftState&) const = default;

private:
    static constexpr TShiftState FromBits(std::uint8_t bits) {
        TShiftState s;
        s.Bits = bits;
        return s;
    }
    std::uint8_t Bits = 0;
};

constexpr TShiftState operator|(TShiftFlag a, TShiftFlag b) {
    return TShiftState(a) | TShiftState(b);
}

} // namespace zaro
