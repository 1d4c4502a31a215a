#pragma once
// Writes the rows of one device block the way they read on paper
// ("a V_p + b I_p = c"), once for DC (double) and AC (TComplex) alike.

#include "ZaroSimDevices.h"

namespace zaro {

template <typename TValue> TValue RealCoef(double a);
template <> inline double RealCoef<double>(double a) {
    return a;
}
template <> inline TComplex RealCoef<TComplex>(double a) {
    return MakeComplex(a, 0.0);
}

template <typename TValue> class TRowWriter {
public:
    using TCoef = TDeviceArray<TValue, DeviceCoefCount>;
    using TRhs = TDeviceArray<TValue, DeviceRhsCount>;

    TRowWriter(const TZaroSimDevice& device, TCoef& coef, TRhs& rhs)
        : Device(device), Coef(coef), Rhs(rhs), Columns(2 * device.PortCount()) {}

    // Coefficient of the potential at `port` in `row`.
    void V(int row, int port, double a) { Coef[row * Columns + 2 * port] = RealCoef<TValue>(a); }
    // Coefficient of the wire current at `port` in `row`, as stored (no sign).
    void I(int row, int port, double a) { SetI(row, port, RealCoef<TValue>(a)); }
    void SetI(int row, int port, const TValue& a) { Coef[row * Columns + 2 * port + 1] = a; }
    // Coefficient of the current flowing into the device at `port`: a s_p I_p.
    void IInto(int row, int port, double a) { I(row, port, a * Device.PortCurrentSign(port)); }
    void Right(int row, const TValue& c) { Rhs[row] = c; }
    void RightReal(int row, double c) { Rhs[row] = RealCoef<TValue>(c); }

    // What flows in through all ports adds up to zero: sum of s_p I_p = 0.
    void CurrentSum(int row) {
        for (int p = 0; p < Device.PortCount(); ++p) {
            IInto(row, p, 1.0);
        }
    }
    // Every port has the potential of port 0: V_0 - V_p = 0 for p = 1, 2, ...
    // in the rows from firstRow on.
    void EqualPotentials(int firstRow) {
        for (int p = 1; p < Device.PortCount(); ++p) {
            V(firstRow + p - 1, 0, 1.0);
            V(firstRow + p - 1, p, -1.0);
        }
    }
    // A two-port short through a small series resistance r on the wire current
    // at port 0 as stored: V_0 - r I_0 - V_1 = 0 in row 0, the current sum in row 1.
    void SeriesShort(double r) {
        V(0, 0, 1.0);
        I(0, 0, -r);
        V(0, 1, -1.0);
        CurrentSum(1);
    }

private:
    const TZaroSimDevice& Device;
    TCoef& Coef;
    TRhs& Rhs;
    int Columns;
};

using TDCRows = TRowWriter<double>;
using TACRows = TRowWriter<TComplex>;

} // namespace zaro
