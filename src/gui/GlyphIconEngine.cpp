#include "GlyphIconEngine.h"

#include "ActionGlyphs.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

namespace zaro::gui {

void TGlyphIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                             QIcon::State state) {
    const qreal scale = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    painter->drawPixmap(rect, scaledPixmap(rect.size() * scale, mode, state, scale));
}

QPixmap TGlyphIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    return scaledPixmap(size, mode, state, 1.0);
}

// `size` counts device pixels, as QIcon asks for it. Disabled glyphs are
// greyed the way the style greys any icon.
QPixmap TGlyphIconEngine::scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State,
                                       qreal scale) {
    QPixmap pixmap(size);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        PaintGlyph(painter, Glyph, QRectF(0, 0, size.width() / scale, size.height() / scale));
    }
    if (mode == QIcon::Disabled && qApp != nullptr) {
        QStyleOption option;
        option.palette = QApplication::palette();
        return QApplication::style()->generatedIconPixmap(QIcon::Disabled, pixmap, &option);
    }
    return pixmap;
}

QSize TGlyphIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State) {
    return size;
}

QIconEngine* TGlyphIconEngine::clone() const {
    return new TGlyphIconEngine(Glyph);
}

} // namespace zaro::gui
