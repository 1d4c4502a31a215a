#pragma once
// Wire branchings: a wire joins exactly two ports, so three or four wires meet
// in a junction device that gives them one potential and currents summing
// to zero.

#include "ZaroSimDevices.h"

namespace zaro {

// Three wires: rows V0 - V1 = 0, V0 - V2 = 0, s0 I0 + s1 I1 + s2 I2 = 0.
class TYConnection : public T3PortDevice {
public:
    explicit TYConnection(TTinyParser& evaluator);
    std::string ClassName() const override { return "TYConnection"; }

    void BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) override;
    void BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) override;

protected:
    const TOldSizeConversion* OldSizeConversion() const override;
};

// Four wires: rows V0 - V1, V0 - V2, V0 - V3 = 0 and the current sum.
class TXConnection : public T4PortDevice {
public:
    explicit TXConnection(TTinyParser& evaluator);
    std::string ClassName() const override { return "TXConnection"; }

    void BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) override;
    void BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) override;

protected:
    const TOldSizeConversion* OldSizeConversion() const override;
};

} // namespace zaro
