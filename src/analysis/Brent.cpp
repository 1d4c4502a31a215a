// One-dimensional minimisation: bracketing a minimum, then Brent's method.

#include "NumericalChecks.h"
#include "NumericalRecepies.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zaro {

using numerics::CheckedDivide;
using numerics::Sign;

namespace {

constexpr double Gold = 1.618034;
constexpr double ParabolicLimit = 100.0;
constexpr double BracketTiny = 1e-20;
constexpr int BrentMaxIterations = 100;
constexpr double CGold = 0.381966;
constexpr double ZEps = 1e-10;

double Value(const TLineFunction& f1, double x) {
    return CheckedResult(f1(x));
}

// True when x lies strictly between a and b, in either order.
bool StrictlyBetween(double x, double a, double b) {
    return (a - x) * (x - b) > 0.0;
}

// Minimum of the parabola through (a, fa), (b, fb), (c, fc).
double ParabolicStep(double a, double b, double c, double fa, double fb, double fc) {
    double r = CheckedResult((b - a) * (fb - fc));
    double q = CheckedResult((b - c) * (fb - fa));
    double s = Sign(std::max(std::fabs(q - r), BracketTiny), q - r);
    return CheckedResult(b - CheckedDivide((b - c) * q - (b - a) * r, 2.0 * s));
}

double GoldenStep(double b, double c) {
    return CheckedResult(c + Gold * (c - b));
}

// Moves the values one place along: a takes b, b takes c, c takes d.
void Shift(double& a, double& b, double& c, double d) {
    a = b;
    b = c;
    c = d;
}

// The golden-section step of Brent's method into the larger part of [a, b].
void GoldenSection(double a, double b, double x, double xm, double& e, double& d) {
    e = x >= xm ? a - x : b - x;
    d = CGold * e;
}

// The points Brent's method keeps: the bracket [a, b], the least value so far
// at x, the second least at w, the previous w at v, the last step d and the
// step before it e.
struct TBrentPoints {
    double a, b;
    double x, w, v;
    double fx, fw, fv;
    double d = 0.0;
    double e = 0.0;

    // The next step: the parabola through x, w and v when it falls well inside
    // the bracket and shrinks fast enough, otherwise a golden section.
    void ChooseStep(double xm, double tol1, double tol2) {
        if (std::fabs(e) > tol1) {
            TryParabola(xm, tol1, tol2);
        } else {
            GoldenSection(a, b, x, xm, e, d);
        }
    }

    void TryParabola(double xm, double tol1, double tol2) {
        double r = CheckedResult((x - w) * (fx - fv));
        double q = CheckedResult((x - v) * (fx - fw));
        double p = CheckedResult((x - v) * q - (x - w) * r);
        q = CheckedResult(2.0 * (q - r));
        if (q > 0.0) {
            p = -p;
        }
        q = std::fabs(q);
        double etemp = e;
        e = d;
        if (std::fabs(p) >= std::fabs(0.5 * q * etemp) || p <= q * (a - x) || p >= q * (b - x)) {
            GoldenSection(a, b, x, xm, e, d);
        } else {
            d = CheckedDivide(p, q);
            double u = x + d;
            if (u - a < tol2 || b - u < tol2) {
                d = Sign(tol1, xm - x);
            }
        }
    }

    // Narrows the bracket with the new point u and keeps x, w and v in order.
    void Accept(double u, double fu) {
        if (fu <= fx) {
            if (u >= x) {
                a = x;
            } else {
                b = x;
            }
            Shift(v, w, x, u);
            Shift(fv, fw, fx, fu);
            return;
        }
        if (u < x) {
            a = u;
        } else {
            b = u;
        }
        if (fu <= fw || w == x) {
            v = w;
            w = u;
            fv = fw;
            fw = fu;
        } else if (fu <= fv || v == x || v == w) {
            v = u;
            fv = fu;
        }
    }
};

} // namespace

void BracketMinimum(double& ax, double& bx, double& cx, double& fa, double& fb, double& fc,
                    const TLineFunction& f1) {
    fa = Value(f1, ax);
    fb = Value(f1, bx);
    if (fb > fa) {
        std::swap(ax, bx);
        std::swap(fa, fb);
    }
    cx = GoldenStep(ax, bx);
    fc = Value(f1, cx);
    while (fb > fc) {
        double u = ParabolicStep(ax, bx, cx, fa, fb, fc);
        double ulim = CheckedResult(bx + ParabolicLimit * (cx - bx));
        double fu;
        if (StrictlyBetween(u, bx, cx)) {
            fu = Value(f1, u);
            if (fu < fc) {
                ax = bx;
                bx = u;
                fa = fb;
                fb = fu;
                return;
            }
            if (fu > fb) {
                cx = u;
                fc = fu;
                return;
            }
            u = GoldenStep(bx, cx);
            fu = Value(f1, u);
        } else if (StrictlyBetween(u, cx, ulim)) {
            fu = Value(f1, u);
            if (fu < fc) {
                Shift(bx, cx, u, GoldenStep(cx, u));
                Shift(fb, fc, fu, Value(f1, u));
            }
        } else if ((u - ulim) * (ulim - cx) >= 0.0) {
            u = ulim;
            fu = Value(f1, u);
        } else {
            u = GoldenStep(bx, cx);
            fu = Value(f1, u);
        }
        Shift(ax, bx, cx, u);
        Shift(fa, fb, fc, fu);
    }
}

double brent(double ax, double bx, double cx, const TLineFunction& f1, double tol, double& xmin) {
    const double fb = Value(f1, bx);
    TBrentPoints s{std::min(ax, cx), std::max(ax, cx), bx, bx, bx, fb, fb, fb};
    for (int iter = 1; iter <= BrentMaxIterations; ++iter) {
        double xm = 0.5 * (s.a + s.b);
        double tol1 = CheckedResult(tol * std::fabs(s.x) + ZEps);
        double tol2 = 2.0 * tol1;
        if (std::fabs(s.x - xm) <= tol2 - 0.5 * (s.b - s.a)) {
            xmin = s.x;
            return s.fx;
        }
        s.ChooseStep(xm, tol1, tol2);
        double u = CheckedResult(std::fabs(s.d) >= tol1 ? s.x + s.d : s.x + Sign(tol1, s.d));
        s.Accept(u, Value(f1, u));
    }
    throw EZaroError(MsgBrentMaxIts);
}

} // namespace zaro
