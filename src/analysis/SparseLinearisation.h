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
//
// On a machine with a second core the columns of all devices but the last
// are computed on two threads at once, each column from the devices' laws at
// its own parameters without touching the devices; the columns, the counts
// and the progress come out as one thread gives them, bit for bit.

#include "CircuitEquations.h"
#include "NumericalRecepies.h"
#include "SparseFactorisation.h"

#include <exception>
#include <memory>
#include <vector>

namespace zaro {

class TNonLinearAnalysis;

// From this many parameters on the columns are computed on two threads; at
// fewer, handing the work over costs more than the second core gives back.
// Never on a machine with one core.
inline constexpr int ParallelColumnsParamThreshold = 24;

// Another threshold while the scope lives (tests that compare both ways on
// small circuits; 0 computes every column on the calling thread).
class TParallelColumnsScope {
public:
    explicit TParallelColumnsScope(int threshold);
    ~TParallelColumnsScope();
    TParallelColumnsScope(const TParallelColumnsScope&) = delete;
    TParallelColumnsScope& operator=(const TParallelColumnsScope&) = delete;

private:
    int Saved;
};

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
    // The columns of one non-linear device: what each of its parameters'
    // steps changes, the rows that move, and where its ports read the
    // solution (slots of PortValues).
    struct TDeviceColumns {
        TZaroSimDevice* Device = nullptr;
        int FirstParam = 0;
        std::vector<TChange> Changes;
        std::vector<int> Rows; // ascending, without repeats
        std::vector<int> PotentialSlots;
        std::vector<int> CurrentSlots;
    };
    // What one thread needs of its own to compute columns.
    struct TColumnWork {
        std::shared_ptr<TSparseFactorisation<double>::TWorkspace> Solver; // none: the factors' own
        std::vector<double> Z;
        std::vector<double> PortValues;
        TDoubleArray F;
        std::vector<double> Params; // one device's at a time
    };

    void CollectPorts();
    void PlanColumns(const TDoubleArray& x);
    void SolveForRows(const std::vector<int>& rows, std::vector<double>& z,
                      TSparseFactorisation<double>::TWorkspace* solver = nullptr) const;
    void PerturbedSolution(const TChange& change, const std::vector<int>& deviceRows,
                           const std::vector<double>& z, TColumnSolution& solution) const;
    void SolutionAtPorts(const TColumnSolution& solution, std::vector<double>& values) const;
    void EvaluateColumn(const TColumnSolution& solution, TDoubleArray& f);
    void StoreColumn(int k, const TDoubleArray& f, const TDoubleArray& fvec, double step);
    void Materialise(const TColumnSolution& solution);
    void LineariseSerially(std::size_t firstDevice, int n, const TDoubleArray& x,
                           const TDoubleArray& fvec);
    std::size_t LineariseInParallel(const TDoubleArray& x, const TDoubleArray& fvec);
    void ComputeDeviceColumns(std::size_t d, const TDoubleArray& x, const TDoubleArray& fvec,
                              TColumnWork& work);
    double ResidualsAt(const std::vector<double>& portValues, const TDoubleArray& x, int k,
                       double point, TDoubleArray& f, std::vector<double>& params) const;
    void SolveDense(int n, TDoubleArray& p);
    void SolveSparse(int n, TDoubleArray& p);

    // Solution entries the non-linear devices read, and where they sit in Ports.
    std::vector<int> PortEntries;
    std::vector<int> PortSlot;
    std::vector<double> PortValues;

    std::vector<TDeviceColumns> Plan;
    std::vector<double> ColumnSums;           // moduli of each column's residuals, summed
    std::vector<std::exception_ptr> Failures; // per device of the parallel pass

    std::vector<std::vector<TEntry>> Columns;
    TDoubleArray Dense;
    TIntegerArray Indx;
    TSparseFactorisation<double> StepFactors;
};

} // namespace zaro
