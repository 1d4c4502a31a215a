#pragma once
// The core's colours, pens, fonts and integer geometry as Qt's. A core
// rectangle's Right and Bottom are exclusive, as a QRect's width counts them.

#include "DrawingTools.h"
#include "Geometry.h"

#include <QColor>
#include <QFont>
#include <QPen>
#include <QPoint>
#include <QRect>

namespace zaro::gui {

inline QColor ToQColor(TColor c) {
    return QColor(c.R, c.G, c.B);
}

inline QPoint ToQPoint(TPoint p) {
    return QPoint(p.x, p.y);
}

inline QRect ToQRect(const TRect& r) {
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

// Dotted pens draw one pixel on, one off, as the rubber band did.
inline QPen ToQPen(const TPen& pen) {
    QPen qpen(ToQColor(pen.Color), pen.Width);
    if (pen.Style == TPenStyle::psDot) {
        qpen.setStyle(Qt::CustomDashLine);
        qpen.setDashPattern({1.0, 1.0});
    }
    return qpen;
}

inline QFont ToQFont(const TFont& font) {
    QFont qfont(QString::fromStdString(font.Name));
    qfont.setPixelSize(font.Height);
    return qfont;
}

} // namespace zaro::gui
