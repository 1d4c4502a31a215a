#pragma once
// The 28 symbol images of the device panels (48 x 24 each), painted as
// vectors so they stay sharp at any screen scale. Index = ImageIndex of the
// panel: 0 ammeter ... 12-17 lamp from dark to glowing ... 24-27 LED.

#include "DrawingTools.h"

class QPainter;
class QPixmap;

namespace zaro::gui {

inline constexpr int SymbolWidth = 48;
inline constexpr int SymbolHeight = 24;
inline constexpr int SymbolImageCount = 28;

// Image indices of the level pictures.
inline constexpr int LampDarkImage = 12;
inline constexpr int LampLevels = 6;
inline constexpr int LedDarkImage = 24;
inline constexpr int LedLevels = 4;

// The list the canvas positions images with.
TImageList SymbolImageList();

// Paints image `index` into the 48 x 24 box at the painter's origin with
// lines `lineWidth` units wide. An index outside the list paints nothing.
void PaintSymbol(QPainter& painter, int index, double lineWidth = 1.5);

// The image as a pixmap for a screen of the given scale (1.0 = 100 %).
QPixmap SymbolPixmap(int index, double devicePixelRatio);

} // namespace zaro::gui
