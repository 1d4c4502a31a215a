#pragma once
// An icon engine that paints a glyph on request, so icons are drawn afresh
// for every size and screen scale instead of scaling a bitmap.

#include <QIconEngine>

namespace zaro::gui {

class TGlyphIconEngine : public QIconEngine {
public:
    explicit TGlyphIconEngine(int glyph) : Glyph(glyph) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override { return QStringLiteral("TGlyphIconEngine"); }

private:
    int Glyph;
};

} // namespace zaro::gui
