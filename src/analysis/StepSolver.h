#pragma once
// The linear equations of one step of the fallback operating-point search,
// in the unknowns of the wire-based system (entry 2w the potential of wire w,
// 2w + 1 its current), and the seam through which they are solved. One search
// writes its entries in the same order at the same positions at every step,
// so a solver may analyse the pattern once and only refactorise afterwards.

#include <vector>

namespace zaro {

struct TStepEntry {
    int Row;
    int Column;
    double Value;
};

struct TStepSystem {
    int Size = 0;
    std::vector<TStepEntry> Entries; // entries at the same position add up
    std::vector<double> Rhs;

    // Zero right-hand side, no entries, `size` unknowns.
    void Clear(int size) {
        Size = size;
        Entries.clear();
        Rhs.assign(static_cast<std::size_t>(size), 0.0);
    }
};

class TStepSolver {
public:
    virtual ~TStepSolver() = default;
    // x receives the solution. A singular system raises a math error
    // (EMathError), as does a solution that is not finite.
    virtual void Solve(const TStepSystem& system, std::vector<double>& x) = 0;
};

} // namespace zaro
