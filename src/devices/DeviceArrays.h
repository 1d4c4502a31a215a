#pragma once
// The fixed-length arrays through which the analysis engine and a device
// exchange one equation block and the port results. Every access is
// index-checked, so a device that writes past its block raises a range error
// instead of touching memory.

#include "ZaroErrors.h"
#include "ZaroMathImport.h"

#include <array>
#include <cstddef>

namespace zaro {

template <typename T, int N> class TDeviceArray {
public:
    static constexpr int Count = N;

    T& operator[](int index) {
        CheckIndex(index, N);
        return Items[static_cast<std::size_t>(index)];
    }
    const T& operator[](int index) const {
        CheckIndex(index, N);
        return Items[static_cast<std::size_t>(index)];
    }

    static constexpr int size() { return N; }
    void Clear() { Items.fill(T{}); }

private:
    std::array<T, N> Items{};
};

// Enough for four ports: P rows of 2P columns, row-major.
constexpr int DeviceCoefCount = 32;
constexpr int DeviceRhsCount = 4;
// Port slots of the result arrays; entries beyond PortCount carry no meaning.
constexpr int DevicePortSlots = 4;

using TDCCoefArray = TDeviceArray<double, DeviceCoefCount>;
using TDCRhsArray = TDeviceArray<double, DeviceRhsCount>;
using TACCoefArray = TDeviceArray<TComplex, DeviceCoefCount>;
using TACRhsArray = TDeviceArray<TComplex, DeviceRhsCount>;
using TPortComplexArray = TDeviceArray<TComplex, DevicePortSlots>;
using TPortRealArray = TDeviceArray<double, DevicePortSlots>;

} // namespace zaro
