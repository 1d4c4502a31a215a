#pragma once
// A colour as red, green and blue components, for pens, brushes, fonts and
// control backgrounds that the views paint.

#include <cstdint>

namespace zaro {

struct TColor {
    std::uint8_t R = 0;
    std::uint8_t G = 0;
    std::uint8_t B = 0;

    constexpr bool operator==(const TColor&) const = default;
};

inline constexpr TColor clBlack{0, 0, 0};
inline constexpr TColor clWhite{255, 255, 255};
inline constexpr TColor clLime{0, 255, 0};
inline constexpr TColor clBlue{0, 0, 255};
inline constexpr TColor clAqua{0, 255, 255};
// Default face of panels and background of edit boxes.
inline constexpr TColor clBtnFace{240, 240, 240};
inline constexpr TColor clWindow{255, 255, 255};

} // namespace zaro
