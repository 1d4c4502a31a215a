// Globally convergent Newton method: Z_Newt with its line search, the
// forward-difference Jacobian and the merit function it minimises.

#include "AnalysisErrors.h"
#include "NumericalChecks.h"
#include "NumericalRecepies.h"

#include <algorithm>
#include <cmath>

namespace zaro {

using numerics::CheckedDivide;
using numerics::EnsureLength;
using numerics::RequireCount;
using numerics::RequireLength;

namespace {

constexpr int MaxIterations = 501;
constexpr double TolF = NewtonRootTolerance;
constexpr double TolFStart = 1e-8; // residual of a start point that needs no iteration
constexpr double TolMin = 1e-8;    // gradient test for a spurious minimum
constexpr double TolX = 1e-9;      // step too small to go on
constexpr double StepMaxFactor = 100.0;
constexpr double SufficientDecrease = 1e-4;
constexpr double LineSearchTolX = 1e-7;
constexpr double JacobianStep = 1e-5;

thread_local TNewtonScope* CurrentNewton = nullptr;

// Calls the caller's function and checks what came back before it is used.
void EvaluateVector(const TVectorFunction& vecfunc, int n, const TDoubleArray& x, TDoubleArray& f) {
    vecfunc(n, x, f);
    RequireLength(f, n);
    for (int i = 0; i < n; ++i) {
        CheckedResult(f[i]);
    }
}

double MaxAbs(const TDoubleArray& v, int n) {
    double result = 0.0;
    for (int i = 0; i < n; ++i) {
        result = std::max(result, std::fabs(v[i]));
    }
    return result;
}

// max |v[i]| / max(|ref[i]|, 1): the size of a step relative to the point.
double ScaledMax(const TDoubleArray& v, const TDoubleArray& ref, int n) {
    double result = 0.0;
    for (int i = 0; i < n; ++i) {
        double temp = std::fabs(v[i]) / std::max(std::fabs(ref[i]), 1.0);
        result = std::max(result, CheckedResult(temp));
    }
    return result;
}

// Largest change of x against xold, relative to max(|x|, 1).
double RelativeChange(const TDoubleArray& x, const TDoubleArray& xold, int n) {
    double result = 0.0;
    for (int i = 0; i < n; ++i) {
        double temp = std::fabs(x[i] - xold[i]) / std::max(std::fabs(x[i]), 1.0);
        result = std::max(result, CheckedResult(temp));
    }
    return result;
}

double SquaredNorm(const TDoubleArray& v, int n) {
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        sum = CheckedResult(sum + v[i] * v[i]);
    }
    return sum;
}

// Puts a variable back when the evaluation with a shifted value is over,
// also when that evaluation raises.
class TRestoreValue {
public:
    TRestoreValue(double& slot, double value) : Slot(slot), Value(value) {}
    ~TRestoreValue() { Slot = Value; }
    TRestoreValue(const TRestoreValue&) = delete;
    TRestoreValue& operator=(const TRestoreValue&) = delete;

private:
    double& Slot;
    double Value;
};

// Step length of the next backtrack: the minimum of a quadratic model on the
// first backtrack, of a cubic through the last two trial points later on.
double BacktrackLambda(double alam, double alam2, double f, double f2, double fold, double slope) {
    if (alam == 1.0) {
        return CheckedDivide(-slope, 2.0 * (f - fold - slope));
    }
    double rhs1 = f - fold - alam * slope;
    double rhs2 = f2 - fold - alam2 * slope;
    double a = CheckedDivide(CheckedDivide(rhs1, alam * alam) - CheckedDivide(rhs2, alam2 * alam2),
                             alam - alam2);
    double b = CheckedDivide(-alam2 * CheckedDivide(rhs1, alam * alam) +
                                 alam * CheckedDivide(rhs2, alam2 * alam2),
                             alam - alam2);
    double tmplam;
    if (a == 0.0) {
        tmplam = CheckedDivide(-slope, 2.0 * b);
    } else {
        double disc = CheckedResult(b * b - 3.0 * a * slope);
        if (disc < 0.0) {
            tmplam = 0.5 * alam;
        } else if (b <= 0.0) {
            tmplam = CheckedDivide(-b + std::sqrt(disc), 3.0 * a);
        } else {
            tmplam = CheckedDivide(-slope, b + std::sqrt(disc));
        }
    }
    return std::min(tmplam, 0.5 * alam);
}

// Gradient test after a line search that could not decrease the merit
// function: 1 when x is a local minimum of it rather than a root.
int SpuriousMinimum(const TDoubleArray& g, const TDoubleArray& x, double f, int n) {
    double den = std::max(f, 0.5 * n);
    double test = 0.0;
    for (int i = 0; i < n; ++i) {
        double temp = std::fabs(g[i]) * std::max(std::fabs(x[i]), 1.0) / den;
        test = std::max(test, CheckedResult(temp));
    }
    return test < TolMin ? 1 : 0;
}

} // namespace

TNewtonScope::TNewtonScope(int n, const TVectorFunction& vecfunc)
    : N(n), VecFunc(vecfunc), FVec(static_cast<std::size_t>(std::max(n, 0))),
      Previous(CurrentNewton) {
    RequireCount(n);
    CurrentNewton = this;
}

TNewtonScope::~TNewtonScope() {
    CurrentNewton = Previous;
}

double HalfSquaredNorm(const TDoubleArray& x) {
    TNewtonScope* scope = CurrentNewton;
    if (scope == nullptr) {
        throw EZaroError("HalfSquaredNorm: No vector function is set.");
    }
    RequireLength(x, scope->N);
    scope->FVec.resize(static_cast<std::size_t>(scope->N));
    EvaluateVector(scope->VecFunc, scope->N, x, scope->FVec);
    return CheckedResult(0.5 * SquaredNorm(scope->FVec, scope->N));
}

double ForwardDifferencePoint(double x, double& h) {
    h = JacobianStep * std::fabs(x);
    if (h == 0.0) {
        h = JacobianStep;
    }
    const double shifted = CheckedResult(x + h);
    h = shifted - x; // the step actually representable
    return shifted;
}

void ForwardDifferenceJacobian(int n, TDoubleArray& x, const TDoubleArray& fvec, TDoubleArray& df,
                               const TVectorFunction& vecfunc) {
    RequireLength(x, n);
    RequireLength(fvec, n);
    df.resize(static_cast<std::size_t>(n) * static_cast<std::size_t>(n));
    TDoubleArray f(static_cast<std::size_t>(n));
    for (int j = 0; j < n; ++j) {
        double temp = x[j];
        double h;
        {
            TRestoreValue restore(x[j], temp);
            x[j] = ForwardDifferencePoint(temp, h);
            f.resize(static_cast<std::size_t>(n));
            EvaluateVector(vecfunc, n, x, f);
        }
        for (int i = 0; i < n; ++i) {
            df[static_cast<std::size_t>(i) * n + j] = CheckedDivide(f[i] - fvec[i], h);
        }
    }
}

void Z_Lnsrch(int n, const TDoubleArray& xold, double fold, const TDoubleArray& g, TDoubleArray& p,
              TDoubleArray& x, double& f, double stpmax, int& check,
              const TObjectiveFunction& func) {
    RequireLength(xold, n);
    RequireLength(g, n);
    RequireLength(p, n);
    EnsureLength(x, n);
    check = 0;
    double s = std::sqrt(SquaredNorm(p, n));
    if (s > stpmax) {
        double scale = stpmax / s;
        for (int i = 0; i < n; ++i) {
            p[i] *= scale;
        }
    }
    double slope = 0.0;
    for (int i = 0; i < n; ++i) {
        slope = CheckedResult(slope + g[i] * p[i]);
    }
    if (slope >= 0.0) {
        throw ENewtonFailure(MsgLnsrchRoundoff);
    }
    double alamin = CheckedDivide(LineSearchTolX, ScaledMax(p, xold, n));
    double alam = 1.0;
    double alam2 = 0.0;
    double f2 = 0.0;
    for (;;) {
        for (int i = 0; i < n; ++i) {
            x[i] = CheckedResult(xold[i] + alam * p[i]);
        }
        f = CheckedResult(func(x));
        if (alam < alamin) {
            std::copy_n(xold.begin(), n, x.begin());
            check = 1;
            return;
        }
        if (f <= fold + SufficientDecrease * alam * slope) {
            return;
        }
        double tmplam = BacktrackLambda(alam, alam2, f, f2, fold, slope);
        alam2 = alam;
        f2 = f;
        alam = std::max(tmplam, 0.1 * alam);
    }
}

void TDenseLinearisation::Linearise(int n, TDoubleArray& x, const TDoubleArray& fvec) {
    ForwardDifferenceJacobian(n, x, fvec, FJac, VecFunc);
}

void TDenseLinearisation::Gradient(int n, const TDoubleArray& f, TDoubleArray& g) const {
    const std::size_t size = static_cast<std::size_t>(n);
    for (int i = 0; i < n; ++i) {
        double sum = 0.0;
        for (int j = 0; j < n; ++j) {
            sum += FJac[static_cast<std::size_t>(j) * size + i] * f[j];
        }
        g[i] = CheckedResult(sum);
    }
}

void TDenseLinearisation::Solve(int n, TDoubleArray& p) {
    double d;
    Z_LUDecomposition(FJac, n, d, Indx);
    LUBackSubstitution(FJac, n, Indx, p);
}

void Z_Newt(TDoubleArray& x, int n, int& check, const TVectorFunction& vecfunc) {
    TDenseLinearisation linearisation(vecfunc);
    Z_Newt(x, n, check, vecfunc, linearisation);
}

void Z_Newt(TDoubleArray& x, int n, int& check, const TVectorFunction& vecfunc,
            TNewtonLinearisation& linearisation) {
    check = 0;
    RequireLength(x, n);
    const std::size_t size = static_cast<std::size_t>(n);
    TDoubleArray g(size);
    TDoubleArray p(size);
    TDoubleArray xold(size);
    TNewtonScope scope(n, vecfunc);
    const TDoubleArray& fvec = scope.FunctionVector();
    const TObjectiveFunction merit = HalfSquaredNorm;

    double f = HalfSquaredNorm(x);
    if (MaxAbs(fvec, n) < TolFStart) {
        return;
    }
    double stpmax = CheckedResult(StepMaxFactor *
                                  std::max(std::sqrt(SquaredNorm(x, n)), static_cast<double>(n)));
    for (int its = 0; its < MaxIterations; ++its) {
        linearisation.Linearise(n, x, fvec);
        linearisation.Gradient(n, fvec, g);
        std::copy_n(x.begin(), n, xold.begin());
        double fold = f;
        for (int i = 0; i < n; ++i) {
            p[i] = -fvec[i];
        }
        linearisation.Solve(n, p);
        Z_Lnsrch(n, xold, fold, g, p, x, f, stpmax, check, merit);
        if (MaxAbs(fvec, n) < TolF) {
            check = 0;
            return;
        }
        if (check != 0) {
            check = SpuriousMinimum(g, x, f, n);
            return;
        }
        if (RelativeChange(x, xold, n) < TolX) {
            return;
        }
    }
    throw ENewtonFailure(MsgNewtMaxIts);
}

} // namespace zaro
