#pragma once
// Routines behind the operating-point search: a globally convergent Newton
// method with backtracking line search, forward-difference Jacobian and LU
// decomposition, and Powell's direction-set minimisation with bracketing and
// Brent's method.
//
// Vectors are indexed from 0; matrices are flat n*n arrays in row-major order
// (element (i, j) at i*n + j). Z_Newt and Z_Lnsrch give up with ENewtonFailure,
// the other routines with EZaroError, each with a fixed message;
// floating-point faults raise the EMathError kinds; array lengths too short
// for n raise ERangeError. Errors raised by the caller's functions (for
// example EUserBreak) pass through unchanged.

#include <functional>
#include <vector>

namespace zaro {

using TDoubleArray = std::vector<double>;
using TIntegerArray = std::vector<int>;

// Fills f[0..n-1] with the function values at x; f arrives sized n.
using TVectorFunction = std::function<void(int n, const TDoubleArray& x, TDoubleArray& f)>;
// Scalar function of a point: the Powell objective and the Newton merit function.
using TObjectiveFunction = std::function<double(const TDoubleArray& p)>;
// Function of one variable, minimised along a line.
using TLineFunction = std::function<double(double t)>;

inline constexpr const char* MsgNewtMaxIts = "Z_Newt: MAXITS exceeded in Z_Newt.";
inline constexpr const char* MsgLnsrchRoundoff = "Z_Lnsrch: Roundoff problem in Z_Lnsrch.";
inline constexpr const char* MsgLUSingular = "Z_LUDecomposition: Singular matrix is given.";
// Z_Newt accepts a point as a root once every function value is below this.
inline constexpr double NewtonRootTolerance = 1e-6;
inline constexpr const char* MsgPowellMaxIts = "powell: exceeding maximum iterations.";
inline constexpr const char* MsgBrentMaxIts = "brent: Too many iterations";

// How Z_Newt forms the Jacobian of its vector function and uses it: the
// gradient of the merit function and the Newton step. The iteration itself
// (tests, line search, limits) does not depend on it.
class TNewtonLinearisation {
public:
    virtual ~TNewtonLinearisation() = default;
    // The Jacobian at x, fvec being the function values there; x is back to
    // its value on return, also when an evaluation raises.
    virtual void Linearise(int n, TDoubleArray& x, const TDoubleArray& fvec) = 0;
    // g[i] = sum over j of J[j, i] f[j].
    virtual void Gradient(int n, const TDoubleArray& f, TDoubleArray& g) const = 0;
    // p becomes the solution of J p' = p; MsgLUSingular for a row of zeros.
    virtual void Solve(int n, TDoubleArray& p) = 0;
};

// The Jacobian by ForwardDifferenceJacobian into a dense n*n array, solved
// with Z_LUDecomposition and LUBackSubstitution.
class TDenseLinearisation : public TNewtonLinearisation {
public:
    explicit TDenseLinearisation(const TVectorFunction& vecfunc) : VecFunc(vecfunc) {}

    void Linearise(int n, TDoubleArray& x, const TDoubleArray& fvec) override;
    void Gradient(int n, const TDoubleArray& f, TDoubleArray& g) const override;
    void Solve(int n, TDoubleArray& p) override;

private:
    const TVectorFunction& VecFunc;
    TDoubleArray FJac;
    TIntegerArray Indx;
};

// Solves vecfunc(x) = 0 from the starting point x, which is updated in place.
// check = 1 when the iteration ended at a local minimum of the residual norm.
void Z_Newt(TDoubleArray& x, int n, int& check, const TVectorFunction& vecfunc);
// The same iteration with the Jacobian formed and solved by `linearisation`.
void Z_Newt(TDoubleArray& x, int n, int& check, const TVectorFunction& vecfunc,
            TNewtonLinearisation& linearisation);

// Backtracking line search along p from xold; x and f receive the accepted
// point and its merit value. check = 1 when the step became too small.
void Z_Lnsrch(int n, const TDoubleArray& xold, double fold, const TDoubleArray& g, TDoubleArray& p,
              TDoubleArray& x, double& f, double stpmax, int& check,
              const TObjectiveFunction& func);

// The point x + h at which a forward difference evaluates the function for a
// variable at x, h being 1e-5 |x| (1e-5 at 0) as far as x + h can show it.
double ForwardDifferencePoint(double x, double& h);

// df (resized to n*n) receives the Jacobian at x, fvec being the function
// values at x. x is restored before returning, also when vecfunc raises.
void ForwardDifferenceJacobian(int n, TDoubleArray& x, const TDoubleArray& fvec, TDoubleArray& df,
                               const TVectorFunction& vecfunc);

// Evaluates the vector function of the running Newton solve (see
// TNewtonScope) into its function vector and returns half its squared norm.
double HalfSquaredNorm(const TDoubleArray& x);

// In-place LU decomposition with implicit partial pivoting; indx (resized to
// n) receives the row permutation, d is +1 or -1 by the parity of exchanges.
void Z_LUDecomposition(TDoubleArray& a, int n, double& d, TIntegerArray& indx);

// Solves a x = b with the factors of Z_LUDecomposition; b becomes x.
void LUBackSubstitution(const TDoubleArray& a, int n, const TIntegerArray& indx, TDoubleArray& b);

// Minimises func from p (updated in place); xi holds the direction set, one
// direction per column. iter is the number of iterations, fret the minimum.
void powell(TDoubleArray& p, TDoubleArray& xi, int n, double ftol, int& iter, double& fret,
            const TObjectiveFunction& func);

// Moves p to the minimum of func along xi and replaces xi by the displacement.
void LineMinimise(TDoubleArray& p, TDoubleArray& xi, int n, double& fret,
                  const TObjectiveFunction& func);

// Brackets a minimum of f1 starting from ax and bx: on return fb <= fa and
// fb <= fc with bx between ax and cx.
void BracketMinimum(double& ax, double& bx, double& cx, double& fa, double& fb, double& fc,
                    const TLineFunction& f1);

// Brent's method inside the bracket (ax, bx, cx); returns the minimum value.
double brent(double ax, double bx, double cx, const TLineFunction& f1, double tol, double& xmin);

// func(pcom + t * xicom) for the line of the running LineMinimise.
double LineFunction(double t);

// The state HalfSquaredNorm works on: installed by Z_Newt for one solve. A
// scope puts back whatever was installed before it, so a nested solve (or an
// error leaving one) never leaves stale state behind.
class TNewtonScope {
public:
    TNewtonScope(int n, const TVectorFunction& vecfunc);
    ~TNewtonScope();
    TNewtonScope(const TNewtonScope&) = delete;
    TNewtonScope& operator=(const TNewtonScope&) = delete;

    // The function vector written by the latest HalfSquaredNorm.
    const TDoubleArray& FunctionVector() const { return FVec; }

private:
    friend double HalfSquaredNorm(const TDoubleArray& x);
    int N;
    TVectorFunction VecFunc;
    TDoubleArray FVec;
    TNewtonScope* Previous;
};

// The line LineFunction evaluates on: installed by LineMinimise.
class TLineScope {
public:
    TLineScope(int n, const TDoubleArray& p, const TDoubleArray& xi,
               const TObjectiveFunction& func);
    ~TLineScope();
    TLineScope(const TLineScope&) = delete;
    TLineScope& operator=(const TLineScope&) = delete;

private:
    friend double LineFunction(double t);
    int N;
    TDoubleArray PCom;
    TDoubleArray XiCom;
    TDoubleArray XT;
    TObjectiveFunction Func;
    TLineScope* Previous;
};

} // namespace zaro
