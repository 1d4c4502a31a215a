#pragma once
// The glyphs of the commands on the tool bar and in the menus (16 x 16 at
// 100 %), painted as vectors. Numbers are those of the command table; the
// device commands show their symbol, the others a picture of their own.

#include <QIcon>

class QPainter;
class QRectF;

namespace zaro::gui {

inline constexpr int GlyphSize = 16;
// Paste has its own picture: the table gives it the copy glyph, and two
// buttons that look alike cannot be told apart.
inline constexpr int PasteGlyph = 7;
// The progress window's Stop button; no command uses it.
inline constexpr int StopGlyph = 41;
// Undo and redo: an arrow bending back, and its mirror image.
inline constexpr int UndoGlyph = 43;
inline constexpr int RedoGlyph = 44;

bool HasGlyph(int index);
// Paints glyph `index` scaled into `box`; nothing for an unknown index.
void PaintGlyph(QPainter& painter, int index, const QRectF& box);
// An icon that paints the glyph at whatever size and scale it is asked for;
// a null icon for an unknown index.
QIcon GlyphIcon(int index);
QIcon StopGlyphIcon();

} // namespace zaro::gui
