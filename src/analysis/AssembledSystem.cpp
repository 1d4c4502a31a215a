#include "AssembledSystem.h"

#include "ZaroErrors.h"

namespace zaro {

template <typename T> void TAssembledSystem<T>::Begin(int n) {
    if (n < 0) {
        throw ERangeError();
    }
    PositionsChanged = PositionsChanged || n != N;
    N = n;
    Row = 0;
    Entry = 0;
    Rhs.assign(static_cast<std::size_t>(n), T{});
    Blocks.clear();
}

template <typename T>
void TAssembledSystem<T>::SetPosition(std::size_t entry, int row, int column) {
    if (entry == Rows.size()) {
        Rows.push_back(row);
        Columns.push_back(column);
        Values.emplace_back();
        PositionsChanged = true;
    } else if (Rows[entry] != row || Columns[entry] != column) {
        Rows[entry] = row;
        Columns[entry] = column;
        PositionsChanged = true;
    }
}

template <typename T>
void TAssembledSystem<T>::AddBlock(const TDragPanel& panel, const TCoef& coef, const TRhs& rhs) {
    const int ports = panel.PortCount();
    CheckIndex(ports, DevicePortSlots + 1);
    Blocks.push_back({static_cast<int>(Entry), Row, ports});
    for (int r = 0; r < ports; ++r) {
        CheckIndex(Row, N);
        T& right = Rhs[static_cast<std::size_t>(Row)];
        right = SumOf(right, rhs[r]);
        for (int j = 0; j < ports; ++j) {
            // Potential column 2c and current column 2c + 1 of the wire at port j.
            const long long column = 2LL * panel.PortConnectorNo(j);
            CheckIndex(column, N);
            CheckIndex(column + 1, N);
            for (int q = 0; q < 2; ++q) {
                SetPosition(Entry, Row, static_cast<int>(column) + q);
                Values[Entry] = coef[r * 2 * ports + 2 * j + q];
                ++Entry;
            }
        }
        ++Row;
    }
}

template <typename T> void TAssembledSystem<T>::End() {
    if (Entry != Rows.size()) {
        Rows.resize(Entry);
        Columns.resize(Entry);
        Values.resize(Entry);
        PositionsChanged = true;
    }
    if (PositionsChanged) {
        ++Version;
        PositionsChanged = false;
    }
}

template class TAssembledSystem<double>;
template class TAssembledSystem<TComplex>;

} // namespace zaro
