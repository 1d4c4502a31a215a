#pragma once
// The Jacobian of the operating-point search on the sparse path. The forward
// differences are those of ForwardDifferenceJacobian, one evaluation per
// parameter with the same step, but the circuit is not solved again for each:
// a parameter moves only the coefficients of its own device's rows, so the
// perturbed system is a low-rank update of the one just factored, and its
// solution at the ports of the non-linear devices follows from a few solves
// with those factors (Sherman-Morrison-Woodbury). Each column is one
// evaluation as far as the devices, the progress and the counts can tell.
//
// The Jacobian is kept by columns without its zeros; the Newton step is
// solved by Z_LUDecomposition for small or dense ones, by a sparse
// factorisation otherwise.

#include "CircuitEquations.h"
#include "NumericalRecepies.h"
#include "SparseFactorisation.h"

#include <vector>

namespace zaro {

class TNonLinearAnalysis;

// Raised where the sparse path cannot vouch for following the reference one
// (the factors of the present system are not its own, a perturbed system
// close to singular, a Newton matrix it cannot trust); the search then starts
// again on the reference path.
class ESparseDoubt : public EZaroError {
public:
    ESparseDoubt() : EZaroError("Sparse solver: the search goes to the reference elimination.") {}
};

class TSparseLinearisation : public TNewtonLinearisation {
public:
    TSparseLinearisation(TCircuitEquations& equations, TNonLinearAnalysis& analysis);

    void Linearise(int n, TDoubleArray& x, const TDoubleArray& fvec) override;
    void Gradient(int n, const TDoubleArray& f, TDoubleArray& g) const override;
    void Solve(int n, TDoubleArray& p) override;

protected:
    struct TEntry {
        int Row;
        double Value;
    };
    // What one parameter's step changes in its device's rows.
    struct TChange {
        double Point = 0.0;                // x + h
        double Step = 0.0;                 // h
        std::vector<int> Rows;             // rows that change, ascending
        std::vector<TEntry> MatrixChanges; // Row is the position in Rows; column below
        std::vector<int> MatrixColumns;
        std::vector<double> RhsChanges; // per entry of Rows
    };

    // Takes the factors and the solution of the last evaluation, which must
    // have been at x.
    void TakeBase(int n, const TDoubleArray& x);
    TChange ChangeOf(int canvasIndex, int param, double x);

    TCircuitEquations& Equations;
    TNonLinearAnalysis& Analysis;
    const TSparseFactorisation<double>* Factors = nullptr;
    std::vector<double> Base; // solution of the system at x

private:
    // The solution of the last perturbed system: base + Z[rows] w.
    struct TColumnSolution {
        const std::vector<double>* Z = nullptr;
        std::vector<int> ZColumns; // which columns of Z belong to the rows of w
        std::vector<double> W;
    };

    void CollectPorts();
    void SolveForRows(const std::vector<int>& rows, std::vector<double>& z) const;
    void PerturbedSolution(const TChange& change, const std::vector<int>& deviceRows,
                           const std::vector<double>& z, TColumnSolution& solution) const;
    void EvaluateColumn(const TColumnSolution& solution, TDoubleArray& f);
    void Materialise(const TColumnSolution& solution);
    void SolveDense(int n, TDoubleArray& p);
    void SolveSparse(int n, TDoubleArray& p);

    // Solution entries the non-linear devices read, and where they sit in Ports.
    std::vector<int> PortEntries;
    std::vector<int> PortSlot;
    std::vector<double> PortValues;

    std::vector<std::vector<TEntry>> Columns;
    TDoubleArray Dense;
    TIntegerArray Indx;
    TSparseFactorisation<double> StepFactors;
};

} // namespace zaro
