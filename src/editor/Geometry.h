#pragma once
// Integer geometry of panels, ports and wires in pixels. A rectangle's Right
// and Bottom are exclusive; halving truncates toward zero like the rest of
// the editor's integer arithmetic.

#include <cstdint>

namespace zaro {

// Integer division truncating toward zero (C++ `/` on ints already does).
constexpr std::int32_t Div(std::int32_t a, std::int32_t b) {
    return a / b;
}

struct TPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;

    constexpr TPoint() = default;
    constexpr TPoint(std::int32_t ax, std::int32_t ay) : x(ax), y(ay) {}

    constexpr TPoint operator+(TPoint o) const { return {x + o.x, y + o.y}; }
    constexpr TPoint operator-(TPoint o) const { return {x - o.x, y - o.y}; }
    constexpr bool operator==(const TPoint&) const = default;
};

struct TSize {
    std::int32_t Width = 0;
    std::int32_t Height = 0;

    constexpr bool operator==(const TSize&) const = default;
};

struct TRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;  // exclusive
    std::int32_t Bottom = 0; // exclusive

    constexpr TRect() = default;
    constexpr TRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b)
        : Left(l), Top(t), Right(r), Bottom(b) {}

    // A rectangle from its top-left corner and size.
    static constexpr TRect FromBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                                      std::int32_t height) {
        return {left, top, left + width, top + height};
    }

    constexpr std::int32_t Width() const { return Right - Left; }
    constexpr std::int32_t Height() const { return Bottom - Top; }
    // Centre with each coordinate halved toward zero: ((L + R) div 2, (T + B) div 2).
    constexpr TPoint Center() const { return {Div(Left + Right, 2), Div(Top + Bottom, 2)}; }

    // Left <= x < Right and Top <= y < Bottom.
    constexpr bool Contains(TPoint p) const {
        return Left <= p.x && p.x < Right && Top <= p.y && p.y < Bottom;
    }

    constexpr bool operator==(const TRect&) const = default;
};

} // namespace zaro
