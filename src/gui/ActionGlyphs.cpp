#include "ActionGlyphs.h"

#include "GlyphIconEngine.h"
#include "SymbolPictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <functional>
#include <map>

namespace zaro::gui {

namespace {

const QColor Outline(60, 60, 60);
const QColor Paper(255, 255, 255);
const QColor Go(40, 150, 60);
const QColor Info(40, 100, 200);

QPen ThinPen(QColor color, double width = 1.0) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A sheet with its top-right corner folded.
void Page(QPainter& p, QRectF r) {
    const double fold = 3.5;
    QPainterPath sheet;
    sheet.moveTo(r.left(), r.top());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.right(), r.bottom());
    sheet.lineTo(r.left(), r.bottom());
    sheet.closeSubpath();
    p.setPen(ThinPen(Outline));
    p.setBrush(Paper);
    p.drawPath(sheet);
    p.drawPolyline(QPolygonF{QPointF(r.right() - fold, r.top()),
                             QPointF(r.right() - fold, r.top() + fold),
                             QPointF(r.right(), r.top() + fold)});
}

void TextLines(QPainter& p, double left, double right, double top, int count) {
    p.setPen(ThinPen(QColor(150, 150, 150), 0.8));
    for (int k = 0; k < count; ++k) {
        p.drawLine(QPointF(left, top + 2.2 * k), QPointF(right, top + 2.2 * k));
    }
}

void Letter(QPainter& p, const QString& text, bool bold, bool italic, QColor color,
            QPointF baseline, double size = 12) {
    QFont font;
    font.setPixelSize(100); // outlines at a large size, scaled down exactly
    font.setBold(bold);
    font.setItalic(italic);
    QPainterPath path;
    path.addText(0, 0, font, text);
    const double s = size / 100.0;
    const QRectF b = path.boundingRect();
    QTransform t;
    t.translate(baseline.x() - b.width() * s / 2 - b.left() * s, baseline.y());
    t.scale(s, s);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(t.map(path));
}

void ExitGlyph(QPainter& p) {
    p.setPen(ThinPen(QColor(110, 70, 30)));
    p.setBrush(QColor(190, 140, 80));
    p.drawRect(QRectF(2.5, 1.5, 7, 13));
    p.setBrush(QColor(110, 70, 30));
    p.drawEllipse(QPointF(8, 8.5), 0.7, 0.7);
    p.setPen(ThinPen(Go, 1.8));
    p.drawLine(QPointF(7.5, 8), QPointF(13, 8));
    p.setPen(ThinPen(Go, 1.2));
    p.setBrush(Go);
    p.drawPolygon(QPolygonF{QPointF(15, 8), QPointF(11.5, 5), QPointF(11.5, 11)});
}

void NewGlyph(QPainter& p) {
    Page(p, QRectF(3, 1.5, 10, 13));
}

void SaveGlyph(QPainter& p) {
    p.setPen(ThinPen(QColor(30, 60, 120)));
    p.setBrush(QColor(60, 110, 190));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
    p.setBrush(Paper);
    p.drawRect(QRectF(4, 1.5, 8, 5));
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(QRectF(4.5, 9.5, 7, 5));
    p.setPen(ThinPen(QColor(30, 60, 120)));
    p.drawLine(QPointF(9.5, 2.5), QPointF(9.5, 5.5));
}

void OpenGlyph(QPainter& p) {
    p.setPen(ThinPen(QColor(150, 110, 20)));
    p.setBrush(QColor(235, 190, 70));
    p.drawPolygon(QPolygonF{QPointF(1.5, 3), QPointF(6, 3), QPointF(7.5, 4.5), QPointF(13, 4.5),
                            QPointF(13, 13.5), QPointF(1.5, 13.5)});
    p.setBrush(QColor(250, 215, 110));
    p.drawPolygon(
        QPolygonF{QPointF(3.5, 7), QPointF(15, 7), QPointF(13, 13.5), QPointF(1.5, 13.5)});
}

void DeleteGlyph(QPainter& p) {
    p.setPen(ThinPen(QColor(200, 40, 40), 2.6));
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

void PasteGlyphPicture(QPainter& p) {
    p.setPen(ThinPen(QColor(110, 70, 30)));
    p.setBrush(QColor(190, 140, 80));
    p.drawRoundedRect(QRectF(2, 2.5, 10, 12), 1, 1);
    p.setBrush(QColor(170, 170, 170));
    p.drawRoundedRect(QRectF(4.5, 1, 5, 3), 0.8, 0.8);
    Page(p, QRectF(6.5, 6, 8, 9));
    TextLines(p, 8, 12.5, 9.5, 3);
}

void CutGlyph(QPainter& p) {
    p.setPen(ThinPen(QColor(70, 70, 70), 1.3));
    p.drawLine(QPointF(5.5, 10), QPointF(11, 1.5));
    p.drawLine(QPointF(10.5, 10), QPointF(5, 1.5));
    p.setPen(ThinPen(QColor(200, 40, 40), 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(4.5, 12), 2.3, 2.3);
    p.drawEllipse(QPointF(11.5, 12), 2.3, 2.3);
}

void CopyGlyph(QPainter& p) {
    Page(p, QRectF(1.5, 1.5, 8.5, 10));
    Page(p, QRectF(6, 5, 8.5, 10));
    TextLines(p, 7.5, 12.5, 8.5, 3);
}

void RoundBadge(QPainter& p, QColor color) {
    p.setPen(ThinPen(color.darker(130)));
    p.setBrush(color);
    p.drawEllipse(QPointF(8, 8), 6.8, 6.8);
}

void AboutGlyph(QPainter& p) {
    RoundBadge(p, Info);
    p.setPen(Qt::NoPen);
    p.setBrush(Paper);
    p.drawEllipse(QPointF(8, 4.6), 1.2, 1.2);
    p.drawRoundedRect(QRectF(6.9, 6.8, 2.2, 6), 0.6, 0.6);
}

void HelpGlyph(QPainter& p) {
    RoundBadge(p, Info);
    QPainterPath hook;
    hook.moveTo(5.4, 6.2);
    hook.cubicTo(5.4, 2.8, 10.8, 2.8, 10.6, 6.0);
    hook.cubicTo(10.5, 7.8, 8.0, 7.8, 8.0, 9.8);
    p.setPen(ThinPen(Paper, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(Paper);
    p.drawEllipse(QPointF(8, 12.4), 1.1, 1.1);
}

void RegisterGlyph(QPainter& p) {
    Page(p, QRectF(2, 1.5, 10, 13));
    TextLines(p, 3.5, 9.5, 4.5, 2);
    p.setPen(ThinPen(Go, 2.0));
    p.drawPolyline(QPolygonF{QPointF(6.5, 10.5), QPointF(9, 13), QPointF(14.5, 6.5)});
}

void PlayTriangle(QPainter& p) {
    p.setPen(ThinPen(Go.darker(130)));
    p.setBrush(Go);
    p.drawPolygon(QPolygonF{QPointF(1.5, 2), QPointF(1.5, 14), QPointF(9.5, 8)});
}

// Run, with the DC mark: a solid line over a dashed one.
void DCAnalysisGlyph(QPainter& p) {
    PlayTriangle(p);
    p.setPen(ThinPen(Outline, 1.4));
    p.drawLine(QPointF(10.5, 6), QPointF(15, 6));
    p.drawLine(QPointF(10.5, 10), QPointF(11.7, 10));
    p.drawLine(QPointF(13.2, 10), QPointF(15, 10));
}

// Run, with a sine wave.
void ACAnalysisGlyph(QPainter& p) {
    PlayTriangle(p);
    QPainterPath wave(QPointF(9.5, 8));
    wave.cubicTo(10.7, 3.5, 11.8, 3.5, 12.5, 8);
    wave.cubicTo(13.2, 12.5, 14.3, 12.5, 15.5, 8);
    p.setPen(ThinPen(Outline, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);
}

void LabelGlyph(QPainter& p) {
    p.setPen(ThinPen(QColor(150, 120, 40)));
    p.setBrush(QColor(255, 240, 170));
    p.drawRect(QRectF(1.5, 3, 13, 10));
    Letter(p, QStringLiteral("A"), true, false, Outline, QPointF(5.5, 11.5), 9);
    TextLines(p, 9, 13, 6.5, 3);
}

void BoldGlyph(QPainter& p) {
    Letter(p, QStringLiteral("B"), true, false, Qt::black, QPointF(8, 13));
}

void ItalicGlyph(QPainter& p) {
    Letter(p, QStringLiteral("I"), false, true, Qt::black, QPointF(8, 13));
}

void UnderlineGlyph(QPainter& p) {
    Letter(p, QStringLiteral("U"), false, false, Qt::black, QPointF(8, 11.5), 11);
    p.setPen(ThinPen(Qt::black, 1.3));
    p.drawLine(QPointF(3.5, 14.3), QPointF(12.5, 14.3));
}

void FontGlyph(QPainter& p) {
    Letter(p, QStringLiteral("A"), false, false, Qt::black, QPointF(6, 12.5), 12);
    Letter(p, QStringLiteral("a"), false, false, Info, QPointF(12.5, 12.5), 9);
    p.setPen(ThinPen(QColor(200, 40, 40), 1.4));
    p.drawLine(QPointF(1.5, 14.5), QPointF(14.5, 14.5));
}

void SupportGlyph(QPainter& p) {
    RoundBadge(p, QColor(70, 150, 210));
    p.setPen(ThinPen(Paper, 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8, 8), 3, 6.8);
    p.drawLine(QPointF(8, 1.2), QPointF(8, 14.8));
    p.drawLine(QPointF(1.2, 8), QPointF(14.8, 8));
    p.drawLine(QPointF(2.3, 4.5), QPointF(13.7, 4.5));
    p.drawLine(QPointF(2.3, 11.5), QPointF(13.7, 11.5));
}

void StopButtonGlyph(QPainter& p) {
    p.setPen(ThinPen(QColor(150, 20, 20)));
    p.setBrush(QColor(210, 40, 40));
    const double a = 4.2, b = 6.8;
    p.drawPolygon(QPolygonF{QPointF(8 - a, 8 - b), QPointF(8 + a, 8 - b), QPointF(8 + b, 8 - a),
                            QPointF(8 + b, 8 + a), QPointF(8 + a, 8 + b), QPointF(8 - a, 8 + b),
                            QPointF(8 - b, 8 + a), QPointF(8 - b, 8 - a)});
    p.setPen(Qt::NoPen);
    p.setBrush(Paper);
    p.drawRect(QRectF(5, 5, 6, 6));
}

// A device command shows the middle of its symbol at half size, lines
// thickened so they stay visible.
// An arc from the right over the top to the left, its head pointing back down.
void UndoArrowGlyph(QPainter& p) {
    QPainterPath arc(QPointF(13, 12.5));
    arc.cubicTo(14.5, 6.5, 10.5, 3.5, 7, 4.5);
    arc.cubicTo(5, 5, 4, 6, 3.6, 7.2);
    p.setPen(ThinPen(Info, 1.9));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    p.setPen(ThinPen(Info.darker(130)));
    p.setBrush(Info);
    p.drawPolygon(QPolygonF{QPointF(1, 4), QPointF(2.5, 11), QPointF(8.5, 8.5)});
}

void RedoArrowGlyph(QPainter& p) {
    p.translate(GlyphSize, 0);
    p.scale(-1, 1);
    UndoArrowGlyph(p);
}

std::function<void(QPainter&)> SymbolGlyph(int image) {
    return [image](QPainter& p) {
        p.translate(8 - 24 * 0.5, 8 - 12 * 0.5);
        p.scale(0.5, 0.5);
        PaintSymbol(p, image, 2.6);
    };
}

const std::map<int, std::function<void(QPainter&)>>& Glyphs() {
    static const std::map<int, std::function<void(QPainter&)>> table = {
        {0, ExitGlyph},
        {1, NewGlyph},
        {3, SaveGlyph},
        {4, OpenGlyph},
        {5, DeleteGlyph},
        {PasteGlyph, PasteGlyphPicture},
        {9, CutGlyph},
        {10, CopyGlyph},
        {11, AboutGlyph},
        {12, SymbolGlyph(11)},
        {13, SymbolGlyph(1)},
        {14, SymbolGlyph(2)},
        {15, SymbolGlyph(3)},
        {16, SymbolGlyph(4)},
        {17, SymbolGlyph(5)},
        {18, SymbolGlyph(6)},
        {19, SymbolGlyph(7)},
        {20, SymbolGlyph(8)},
        {21, SymbolGlyph(9)},
        {22, SymbolGlyph(10)},
        {23, SymbolGlyph(0)},
        {24, SymbolGlyph(LampDarkImage + 4)},
        {25, SymbolGlyph(18)},
        {26, SymbolGlyph(19)},
        {27, SymbolGlyph(20)},
        {28, SymbolGlyph(21)},
        {29, SymbolGlyph(22)},
        {30, HelpGlyph},
        {31, RegisterGlyph},
        {32, DCAnalysisGlyph},
        {33, ACAnalysisGlyph},
        {34, LabelGlyph},
        {35, UnderlineGlyph},
        {36, BoldGlyph},
        {37, ItalicGlyph},
        {38, FontGlyph},
        {39, SymbolGlyph(LedDarkImage + 2)},
        {40, SymbolGlyph(23)},
        {StopGlyph, StopButtonGlyph},
        {42, SupportGlyph},
        {UndoGlyph, UndoArrowGlyph},
        {RedoGlyph, RedoArrowGlyph},
    };
    return table;
}

} // namespace

bool HasGlyph(int index) {
    return Glyphs().count(index) != 0;
}

void PaintGlyph(QPainter& painter, int index, const QRectF& box) {
    const auto it = Glyphs().find(index);
    if (it == Glyphs().end()) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(box.topLeft());
    painter.scale(box.width() / GlyphSize, box.height() / GlyphSize);
    it->second(painter);
    painter.restore();
}

QIcon GlyphIcon(int index) {
    return HasGlyph(index) ? QIcon(new TGlyphIconEngine(index)) : QIcon();
}

QIcon StopGlyphIcon() {
    return GlyphIcon(StopGlyph);
}

} // namespace zaro::gui
