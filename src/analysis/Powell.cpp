// Powell's direction-set minimisation and its line minimisation.

#include "NumericalChecks.h"
#include "NumericalRecepies.h"

#include <algorithm>
#include <cmath>

namespace zaro {

using numerics::RequireCount;
using numerics::RequireLength;

namespace {

constexpr int PowellMaxIterations = 200;
constexpr double PowellTiny = 1e-25;
constexpr double LineTolerance = 2e-4;

thread_local TLineScope* CurrentLine = nullptr;

double Objective(const TObjectiveFunction& func, const TDoubleArray& p) {
    return CheckedResult(func(p));
}

double Square(double v) {
    return v * v;
}

std::size_t At(int row, int column, int n) {
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(n) + column;
}

void CopyColumn(const TDoubleArray& xi, int column, int n, TDoubleArray& out) {
    for (int j = 0; j < n; ++j) {
        out[j] = xi[At(j, column, n)];
    }
}

// The extrapolated point beyond the iteration's end point p, the average
// direction of the iteration, and the new start point pt.
void Extrapolate(const TDoubleArray& p, TDoubleArray& pt, TDoubleArray& ptt, TDoubleArray& xit,
                 int n) {
    for (int j = 0; j < n; ++j) {
        ptt[j] = CheckedResult(2.0 * p[j] - pt[j]);
        xit[j] = CheckedResult(p[j] - pt[j]);
        pt[j] = p[j];
    }
}

// Powell's test whether the average direction should replace the direction
// of the largest decrease.
bool TakeAverageDirection(double fp, double fret, double fptt, double del) {
    if (!(fptt < fp)) {
        return false;
    }
    double t = CheckedResult(2.0 * (fp - 2.0 * fret + fptt) * Square(fp - fret - del) -
                             del * Square(fp - fptt));
    return t < 0.0;
}

void ReplaceDirection(TDoubleArray& xi, int ibig, const TDoubleArray& xit, int n) {
    for (int j = 0; j < n; ++j) {
        xi[At(j, ibig, n)] = xi[At(j, n - 1, n)];
        xi[At(j, n - 1, n)] = xit[j];
    }
}

} // namespace

TLineScope::TLineScope(int n, const TDoubleArray& p, const TDoubleArray& xi,
                       const TObjectiveFunction& func)
    : N(n), Func(func), Previous(CurrentLine) {
    RequireLength(p, n);
    RequireLength(xi, n);
    PCom.assign(p.begin(), p.begin() + n);
    XiCom.assign(xi.begin(), xi.begin() + n);
    XT.resize(static_cast<std::size_t>(n));
    CurrentLine = this;
}

TLineScope::~TLineScope() {
    CurrentLine = Previous;
}

double LineFunction(double t) {
    TLineScope* line = CurrentLine;
    if (line == nullptr) {
        throw EZaroError("LineFunction: No line is set.");
    }
    for (int j = 0; j < line->N; ++j) {
        line->XT[j] = CheckedResult(line->PCom[j] + t * line->XiCom[j]);
    }
    return Objective(line->Func, line->XT);
}

void LineMinimise(TDoubleArray& p, TDoubleArray& xi, int n, double& fret,
                  const TObjectiveFunction& func) {
    static const TLineFunction lineFunction = LineFunction;
    double xmin = 0.0;
    {
        TLineScope line(n, p, xi, func);
        double ax = 0.0;
        double xx = 1.0;
        double bx, fa, fx, fb;
        BracketMinimum(ax, xx, bx, fa, fx, fb, lineFunction);
        fret = brent(ax, xx, bx, lineFunction, LineTolerance, xmin);
    }
    for (int j = 0; j < n; ++j) {
        xi[j] = CheckedResult(xi[j] * xmin);
        p[j] = CheckedResult(p[j] + xi[j]);
    }
}

void powell(TDoubleArray& p, TDoubleArray& xi, int n, double ftol, int& iter, double& fret,
            const TObjectiveFunction& func) {
    RequireCount(n);
    RequireLength(p, n);
    RequireLength(xi, static_cast<long long>(n) * n);
    const std::size_t size = static_cast<std::size_t>(n);
    TDoubleArray pt(p.begin(), p.begin() + n);
    TDoubleArray ptt(size);
    TDoubleArray xit(size);
    fret = Objective(func, p);
    for (iter = 1;; ++iter) {
        double fp = fret;
        int ibig = 0;
        double del = 0.0; // largest decrease along one direction
        for (int i = 0; i < n; ++i) {
            CopyColumn(xi, i, n, xit);
            double fptt = fret;
            LineMinimise(p, xit, n, fret, func);
            if (fptt - fret > del) {
                del = fptt - fret;
                ibig = i;
            }
        }
        if (2.0 * (fp - fret) <= ftol * (std::fabs(fp) + std::fabs(fret)) + PowellTiny) {
            return;
        }
        if (iter == PowellMaxIterations) {
            throw EZaroError(MsgPowellMaxIts);
        }
        Extrapolate(p, pt, ptt, xit, n);
        double fptt = Objective(func, ptt);
        if (TakeAverageDirection(fp, fret, fptt, del)) {
            LineMinimise(p, xit, n, fret, func);
            ReplaceDirection(xi, ibig, xit, n);
        }
    }
}

} // namespace zaro
