#include "SymbolPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

#include <array>
#include <cmath>
#include <functional>
#include <numbers>

namespace zaro::gui {

namespace {

const QColor Ink(32, 32, 32);
constexpr double Mid = 12.0; // the leads run along the middle line

// Drawing helpers in the 48 x 24 box of one symbol.
class TSymbolPen {
public:
    TSymbolPen(QPainter& painter, double width) : P(painter), Width(width) { Stroke(); }

    void Stroke(double factor = 1.0, QColor color = Ink) {
        QPen pen(color, Width * factor, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        P.setPen(pen);
        P.setBrush(Qt::NoBrush);
    }
    void Line(double x1, double y1, double x2, double y2) {
        P.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }
    // Leads from the box's left edge to `left` and from `right` to its right edge.
    void Leads(double left, double right) {
        Line(0, Mid, left, Mid);
        Line(right, Mid, SymbolWidth, Mid);
    }
    void Circle(double cx, double cy, double r, QBrush fill = Qt::NoBrush) {
        P.setBrush(fill);
        P.drawEllipse(QPointF(cx, cy), r, r);
        P.setBrush(Qt::NoBrush);
    }
    void Polyline(std::initializer_list<QPointF> points) {
        P.drawPolyline(points.begin(), static_cast<int>(points.size()));
    }
    void Polygon(std::initializer_list<QPointF> points, QBrush fill) {
        P.setBrush(fill);
        P.drawPolygon(points.begin(), static_cast<int>(points.size()));
        P.setBrush(Qt::NoBrush);
    }
    // A filled head at `to`, pointing away from `from`.
    void ArrowHead(QPointF from, QPointF to, double size, QColor color = Ink) {
        const double angle = std::atan2(to.y() - from.y(), to.x() - from.x());
        const double spread = 0.45;
        const QPointF a = to - QPointF(std::cos(angle - spread), std::sin(angle - spread)) * size;
        const QPointF b = to - QPointF(std::cos(angle + spread), std::sin(angle + spread)) * size;
        P.save();
        P.setPen(QPen(color, Width * 0.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        P.setBrush(color);
        const std::array<QPointF, 3> head{to, a, b};
        P.drawPolygon(head.data(), 3);
        P.restore();
    }
    void Arrow(QPointF from, QPointF to, double size, QColor color = Ink) {
        Stroke(1.0, color);
        P.drawLine(from, to - (to - from) * (size * 0.5 / Length(to - from)));
        ArrowHead(from, to, size, color);
        Stroke();
    }
    // A ground mark whose bars stand upright, its stem starting at (x, Mid).
    void SideGround(double x) {
        Line(x, Mid, x + 4, Mid);
        Line(x + 4, Mid - 5, x + 4, Mid + 5);
        Line(x + 7, Mid - 3.2, x + 7, Mid + 3.2);
        Line(x + 10, Mid - 1.4, x + 10, Mid + 1.4);
    }

    QPainter& P;
    double Width;

private:
    static double Length(QPointF v) { return std::hypot(v.x(), v.y()); }
};

// --- One function per picture ------------------------------------------------------

void Resistor(TSymbolPen& s) {
    s.Leads(10, 38);
    const double step = 28.0 / 6.0;
    QPolygonF zigzag;
    zigzag << QPointF(10, Mid);
    for (int k = 0; k < 6; ++k) {
        zigzag << QPointF(10 + step * (k + 0.5), k % 2 == 0 ? Mid - 5 : Mid + 5);
    }
    zigzag << QPointF(38, Mid);
    s.P.drawPolyline(zigzag);
}

void Capacitor(TSymbolPen& s) {
    s.Leads(21, 27);
    s.Stroke(1.6);
    s.Line(21, 3, 21, 21);
    s.Line(27, 3, 27, 21);
}

void Inductor(TSymbolPen& s) {
    s.Leads(10, 38);
    QPainterPath coil(QPointF(10, Mid));
    for (int k = 0; k < 4; ++k) {
        coil.arcTo(QRectF(10 + 7 * k, Mid - 4, 7, 8), 180, -180);
    }
    s.P.drawPath(coil);
}

// Port 0 is "-" (short plate), port 1 "+" (long plate).
void VoltageDC(TSymbolPen& s) {
    s.Leads(21, 27);
    s.Stroke(2.4);
    s.Line(21, 7, 21, 17);
    s.Stroke(1.2);
    s.Line(27, 2, 27, 22);
    s.Stroke(0.8);
    s.Line(32, 4.5, 37, 4.5);
    s.Line(34.5, 2, 34.5, 7);
    s.Line(11, 4.5, 16, 4.5);
    s.Stroke();
}

void VoltageAC(TSymbolPen& s) {
    s.Leads(14, 34);
    s.Circle(24, Mid, 10, Qt::white);
    QPainterPath wave(QPointF(17, Mid));
    wave.cubicTo(19.5, 4.5, 21.5, 4.5, 24, Mid);
    wave.cubicTo(26.5, 19.5, 28.5, 19.5, 31, Mid);
    s.P.drawPath(wave);
}

// The current enters at port 0 and leaves at port 1.
void CurrentSource(TSymbolPen& s) {
    s.Leads(14, 34);
    s.Circle(24, Mid, 10, Qt::white);
    s.Arrow(QPointF(17, Mid), QPointF(31.5, Mid), 6);
}

void Ground(TSymbolPen& s) {
    s.Line(8, Mid, 24, Mid);
    s.Line(24, Mid, 24, 15);
    s.Stroke(1.2);
    s.Line(15, 15, 33, 15);
    s.Line(18.5, 18.5, 29.5, 18.5);
    s.Line(22, 22, 26, 22);
    s.Stroke();
}

void OpenTerminal(TSymbolPen& s) {
    s.Line(8, Mid, 20.5, Mid);
    s.Circle(24, Mid, 3.5, Qt::white);
}

// A source against ground: the wire at the port is held at the level.
void VoltageLevel(TSymbolPen& s) {
    s.Line(0, Mid, 16, Mid);
    s.Circle(24, Mid, 8, Qt::white);
    s.Stroke(0.8);
    s.Line(18.5, Mid, 22.5, Mid);
    s.Line(20.5, Mid - 2, 20.5, Mid + 2);
    s.Line(25.5, Mid, 29.5, Mid);
    s.Stroke();
    s.SideGround(32);
}

// A meter: a circle with its letter drawn as lines.
void MeterBody(TSymbolPen& s) {
    s.Circle(24, Mid, 9, Qt::white);
}

void VoltLetter(TSymbolPen& s) {
    s.Polyline({{20, 7}, {24, 17}, {28, 7}});
}

void VoltMeter(TSymbolPen& s) {
    s.Leads(15, 33);
    MeterBody(s);
    VoltLetter(s);
}

void AmMeter(TSymbolPen& s) {
    s.Leads(15, 33);
    MeterBody(s);
    s.Polyline({{20, 17}, {24, 7}, {28, 17}});
    s.Line(21.6, 13.6, 26.4, 13.6);
}

void PotentialMeter(TSymbolPen& s) {
    s.Line(0, Mid, 15, Mid);
    MeterBody(s);
    VoltLetter(s);
    s.SideGround(33);
}

void JunctionDot(TSymbolPen& s) {
    s.P.setBrush(Ink);
    s.P.drawEllipse(QPointF(24, Mid), 2.6, 2.6);
    s.P.setBrush(Qt::NoBrush);
}

void XConnection(TSymbolPen& s) {
    s.Line(8, Mid, 40, Mid);
    s.Line(24, 0, 24, 24);
    JunctionDot(s);
}

void YConnection(TSymbolPen& s) {
    s.Line(8, Mid, 40, Mid);
    s.Line(24, Mid, 24, 24);
    JunctionDot(s);
}

// Level 0 is a dark bulb; the higher levels light it up and add a halo.
void Lamp(TSymbolPen& s, int level) {
    static const std::array<QColor, LampLevels> glass = {
        QColor(90, 90, 90),   QColor(154, 128, 80), QColor(208, 168, 64),
        QColor(240, 200, 56), QColor(255, 226, 74), QColor(255, 245, 154)};
    if (level >= 3) {
        QRadialGradient halo(QPointF(24, Mid), 12 + 2.0 * (level - 3));
        halo.setColorAt(0.0, QColor(255, 240, 120, 220));
        halo.setColorAt(1.0, QColor(255, 240, 120, 0));
        s.P.setPen(Qt::NoPen);
        s.P.setBrush(halo);
        s.P.drawEllipse(QPointF(24, Mid), 16, 12);
        s.Stroke();
    }
    if (level == LampLevels - 1) {
        s.Stroke(0.8, QColor(230, 160, 0));
        for (int k = 0; k < 8; ++k) {
            const double a = k * std::numbers::pi / 4 + std::numbers::pi / 8;
            const QPointF d(std::cos(a), std::sin(a));
            s.P.drawLine(QPointF(24, Mid) + d * 11.5, QPointF(24, Mid) + d * 13.5);
        }
        s.Stroke();
    }
    s.Leads(14, 34);
    s.Circle(24, Mid, 10, glass[static_cast<std::size_t>(level)]);
    const double d = 10 / std::sqrt(2.0);
    s.Line(24 - d, Mid - d, 24 + d, Mid + d);
    s.Line(24 - d, Mid + d, 24 + d, Mid - d);
}

// Anode at port 0 (left), cathode at port 1 (right).
void DiodeBody(TSymbolPen& s, double left, double right, QBrush fill) {
    s.Leads(left, right);
    s.Polygon({{left, 5}, {left, 19}, {right, Mid}}, fill);
    s.Stroke(1.2);
    s.Line(right, 5, right, 19);
    s.Stroke();
}

void Diode(TSymbolPen& s) {
    DiodeBody(s, 18, 30, Ink);
}

// Cathode at port 0 (left), anode at port 1 (right): the triangle points left.
void ZenerDiode(TSymbolPen& s) {
    s.Leads(18, 30);
    s.Polygon({{30, 5}, {30, 19}, {18, Mid}}, Ink);
    s.Stroke(1.2);
    s.Polyline({{15, 3}, {18, 5}, {18, 19}, {21, 21}});
    s.Stroke();
}

void Led(TSymbolPen& s, int level) {
    static const std::array<QColor, LedLevels> body = {QColor(90, 30, 30), QColor(170, 35, 35),
                                                       QColor(230, 45, 45), QColor(255, 70, 70)};
    if (level >= 2) {
        QRadialGradient halo(QPointF(22, Mid), 8 + 4.0 * (level - 2));
        halo.setColorAt(0.0, QColor(255, 80, 80, 200));
        halo.setColorAt(1.0, QColor(255, 80, 80, 0));
        s.P.setPen(Qt::NoPen);
        s.P.setBrush(halo);
        s.P.drawEllipse(QPointF(22, Mid), 14, 12);
        s.Stroke();
    }
    DiodeBody(s, 16, 28, body[static_cast<std::size_t>(level)]);
    const QColor ray = level == 0 ? Ink : QColor(220, 40, 40);
    s.Arrow(QPointF(26.5, 5), QPointF(32.5, 0.5), 4, ray);
    s.Arrow(QPointF(30.5, 8), QPointF(36.5, 3.5), 4, ray);
}

// The base plate lies low with the base lead below it; collector and emitter
// rise at 45 degrees from the plate to the leads on either side.
void TransistorFrame(TSymbolPen& s) {
    s.Circle(24, 12.5, 10.5, Qt::white);
    s.Leads(16, 32);
    s.Line(16, Mid, 20.5, 17);
    s.Line(32, Mid, 27.5, 17);
    s.Stroke(2.0);
    s.Line(17.5, 17, 30.5, 17);
    s.Stroke();
    s.Line(24, 17, 24, 24);
}

// Collector left, emitter right; the emitter arrow points away from the base.
void TransistorNPN(TSymbolPen& s) {
    TransistorFrame(s);
    s.ArrowHead(QPointF(27.5, 17), QPointF(31.2, 12.9), 4);
}

// Emitter left, collector right; the emitter arrow points into the base.
void TransistorPNP(TSymbolPen& s) {
    TransistorFrame(s);
    s.ArrowHead(QPointF(16, Mid), QPointF(20, 16.4), 4);
}

using TSymbolFunction = std::function<void(TSymbolPen&)>;

const std::array<TSymbolFunction, SymbolImageCount>& SymbolFunctions() {
    static const std::array<TSymbolFunction, SymbolImageCount> table = {
        AmMeter,
        Capacitor,
        Ground,
        Inductor,
        CurrentSource,
        Resistor,
        VoltageAC,
        VoltageDC,
        VoltMeter,
        PotentialMeter,
        XConnection,
        YConnection,
        [](TSymbolPen& s) { Lamp(s, 0); },
        [](TSymbolPen& s) { Lamp(s, 1); },
        [](TSymbolPen& s) { Lamp(s, 2); },
        [](TSymbolPen& s) { Lamp(s, 3); },
        [](TSymbolPen& s) { Lamp(s, 4); },
        [](TSymbolPen& s) { Lamp(s, 5); },
        Diode,
        TransistorNPN,
        TransistorPNP,
        OpenTerminal,
        VoltageLevel,
        ZenerDiode,
        [](TSymbolPen& s) { Led(s, 0); },
        [](TSymbolPen& s) { Led(s, 1); },
        [](TSymbolPen& s) { Led(s, 2); },
        [](TSymbolPen& s) { Led(s, 3); },
    };
    return table;
}

} // namespace

TImageList SymbolImageList() {
    return {SymbolWidth, SymbolHeight, SymbolImageCount};
}

void PaintSymbol(QPainter& painter, int index, double lineWidth) {
    if (index < 0 || index >= SymbolImageCount) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    TSymbolPen pen(painter, lineWidth);
    SymbolFunctions()[static_cast<std::size_t>(index)](pen);
    painter.restore();
}

QPixmap SymbolPixmap(int index, double devicePixelRatio) {
    QPixmap pixmap(static_cast<int>(std::ceil(SymbolWidth * devicePixelRatio)),
                   static_cast<int>(std::ceil(SymbolHeight * devicePixelRatio)));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    PaintSymbol(painter, index);
    return pixmap;
}

} // namespace zaro::gui
