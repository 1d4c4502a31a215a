// Crout LU decomposition with implicit partial pivoting and the matching
// forward and back substitution, on flat row-major n*n arrays.

#include "NumericalChecks.h"
#include "NumericalRecepies.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zaro {

using numerics::CheckedDivide;
using numerics::RequireLength;

namespace {

constexpr double TinyPivot = 1e-30;

// 1 / (largest magnitude) of every row; a row of zeros makes the matrix singular.
TDoubleArray RowScales(const TDoubleArray& a, int n) {
    TDoubleArray scale(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        double big = 0.0;
        for (int j = 0; j < n; ++j) {
            double temp = std::fabs(CheckedResult(a[static_cast<std::size_t>(i) * n + j]));
            if (temp > big) {
                big = temp;
            }
        }
        if (big == 0.0) {
            throw EZaroError(MsgLUSingular);
        }
        scale[i] = CheckedDivide(1.0, big);
    }
    return scale;
}

// a[i,j] minus the sum of a[i,k] * a[k,j] over k < kEnd.
double Reduced(const TDoubleArray& a, int n, int i, int j, int kEnd) {
    const std::size_t row = static_cast<std::size_t>(i) * n;
    double sum = a[row + j];
    for (int k = 0; k < kEnd; ++k) {
        sum -= a[row + k] * a[static_cast<std::size_t>(k) * n + j];
    }
    return CheckedResult(sum);
}

void SwapRows(TDoubleArray& a, int n, int r1, int r2) {
    std::swap_ranges(a.begin() + static_cast<std::ptrdiff_t>(r1) * n,
                     a.begin() + static_cast<std::ptrdiff_t>(r1 + 1) * n,
                     a.begin() + static_cast<std::ptrdiff_t>(r2) * n);
}

} // namespace

void Z_LUDecomposition(TDoubleArray& a, int n, double& d, TIntegerArray& indx) {
    RequireLength(a, static_cast<long long>(n) * n);
    indx.assign(static_cast<std::size_t>(n), 0);
    TDoubleArray scale = RowScales(a, n);
    d = 1.0;
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < j; ++i) {
            a[static_cast<std::size_t>(i) * n + j] = Reduced(a, n, i, j, i);
        }
        double big = 0.0;
        int imax = j;
        for (int i = j; i < n; ++i) {
            double sum = Reduced(a, n, i, j, j);
            a[static_cast<std::size_t>(i) * n + j] = sum;
            double dum = CheckedResult(scale[i] * std::fabs(sum));
            if (dum >= big) { // among equal candidates the last row wins
                big = dum;
                imax = i;
            }
        }
        if (imax != j) {
            SwapRows(a, n, imax, j);
            d = -d;
            scale[imax] = scale[j];
        }
        indx[j] = imax;
        const std::size_t jj = static_cast<std::size_t>(j) * n + j;
        if (a[jj] == 0.0) {
            a[jj] = TinyPivot;
        }
        if (j < n - 1) {
            double dum = CheckedDivide(1.0, a[jj]);
            for (int i = j + 1; i < n; ++i) {
                double& aij = a[static_cast<std::size_t>(i) * n + j];
                aij = CheckedResult(aij * dum);
            }
        }
    }
}

void LUBackSubstitution(const TDoubleArray& a, int n, const TIntegerArray& indx, TDoubleArray& b) {
    RequireLength(a, static_cast<long long>(n) * n);
    RequireLength(indx, n);
    RequireLength(b, n);
    int ii = -1; // first row with a non-zero right-hand side, none yet
    for (int i = 0; i < n; ++i) {
        int ip = indx[i];
        CheckIndex(ip, n);
        double sum = b[ip];
        b[ip] = b[i];
        if (ii >= 0) {
            for (int j = ii; j < i; ++j) {
                sum -= a[static_cast<std::size_t>(i) * n + j] * b[j];
            }
        } else if (sum != 0.0) {
            ii = i;
        }
        b[i] = CheckedResult(sum);
    }
    for (int i = n - 1; i >= 0; --i) {
        const std::size_t row = static_cast<std::size_t>(i) * n;
        double sum = b[i];
        for (int j = i + 1; j < n; ++j) {
            sum -= a[row + j] * b[j];
        }
        b[i] = CheckedDivide(CheckedResult(sum), a[row + i]);
    }
}

} // namespace zaro
