#pragma once
// The wire-based system as the devices wrote it: every coefficient of every
// device block with its row and column, in assembly order, and the summed
// right-hand side. The solvers turn the entries into their own matrix form,
// so the order in which the entries of one matrix element are added stays
// the assembly order whichever solver runs.

#include "DeviceArrays.h"
#include "DragPanels.h"
#include "ZaroMathImport.h"

#include <cstdint>
#include <vector>

namespace zaro {

// a + b the way the dense elimination adds: doubles directly, complex values
// through ZaroMath.
inline double SumOf(double a, double b) {
    return a + b;
}
inline TComplex SumOf(const TComplex& a, const TComplex& b) {
    return ComplexAdd(a, b);
}

// Where one device's block sits: its first entry and first row.
struct TBlockSpan {
    int FirstEntry = 0;
    int FirstRow = 0;
    int Ports = 0;
};

template <typename T> class TAssembledSystem {
public:
    using TCoef = TDeviceArray<T, DeviceCoefCount>;
    using TRhs = TDeviceArray<T, DeviceRhsCount>;

    // Starts an assembly of order n: right-hand side zero, no blocks.
    void Begin(int n);
    // Adds the block of `panel` (P rows of 2P columns) in the next P rows.
    // A row or column outside the order raises ERangeError.
    void AddBlock(const TDragPanel& panel, const TCoef& coef, const TRhs& rhs);
    // Ends the assembly; a different set of positions than the last time
    // counts as a new structure.
    void End();

    int Order() const { return N; }
    int EntryCount() const { return static_cast<int>(Values.size()); }
    // Changes whenever the positions of the entries change.
    std::uint64_t StructureVersion() const { return Version; }

    std::vector<int> Rows;
    std::vector<int> Columns;
    std::vector<T> Values;
    std::vector<T> Rhs;
    // One span per block, in assembly order (devices in canvas order).
    std::vector<TBlockSpan> Blocks;

private:
    void SetPosition(std::size_t entry, int row, int column);

    int N = 0;
    int Row = 0;
    std::size_t Entry = 0;
    bool PositionsChanged = false;
    std::uint64_t Version = 0;
};

extern template class TAssembledSystem<double>;
extern template class TAssembledSystem<TComplex>;

} // namespace zaro
