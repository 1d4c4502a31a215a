#pragma once
// Pens, brush, font and image-list sizes of the canvas as plain data: the
// core decides which tool a figure uses, the view turns them into real ones.

#include "Color.h"

#include <string>

namespace zaro {

// pmNot inverts what lies under the pen, so drawing a figure twice erases it.
enum class TPenMode { pmCopy, pmNot };
enum class TPenStyle { psSolid, psDot };

struct TPen {
    TColor Color = clBlack;
    TPenMode Mode = TPenMode::pmCopy;
    int Width = 1;
    TPenStyle Style = TPenStyle::psSolid;
    constexpr bool operator==(const TPen&) const = default;
};

enum class TBrushStyle { bsSolid, bsClear };

struct TBrush {
    TColor Color = clBlack;
    TBrushStyle Style = TBrushStyle::bsSolid;
    constexpr bool operator==(const TBrush&) const = default;
};

struct TFont {
    TColor Color = clBlack;
    std::string Name = "Arial";
    int Height = 12; // pixels
    bool operator==(const TFont&) const = default;
};

// What the core needs to know of an image list: the size of its pictures.
// The view keeps the pictures themselves, addressed by index.
struct TImageList {
    int Width = 0;
    int Height = 0;
    int Count = 0;
};

} // namespace zaro
