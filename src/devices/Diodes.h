#pragma once
// The two-terminal non-linear devices. Towards the linear solver each one is a
// resistance EquivR between its ports, the one parameter the non-linear
// analysis adjusts; after each DC solve it reports how far the solved current
// is from its characteristic at the solved voltage. In AC it is the slope
// resistance of the characteristic at the last operating point Vop.

#include "ZaroSimDevices.h"

namespace zaro {

// What the diode, the LED and the Zener diode share.
class TJunctionDiode : public T2PortDevice {
public:
    static constexpr double LeakageResistance = 1E6;

    double EquivR;                 // equivalent resistance, the non-linear parameter (ohms)
    double Rp = LeakageResistance; // leakage resistance in parallel (ohms)
    double Vop;                    // operating point, port 0 minus port 1 (V)

    bool IsNonLinear() const override { return true; }
    int NonLinearParamCount() const override { return 1; }
    // EquivR and Residuals[0], whatever the index.
    double* NonLinearParam(int index) override;
    double* NonLinearResidual(int index) override;

    void BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) override;
    void BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) override;
    // Residual = current into port 0 minus the model current at V0 - V1;
    // also stores V0 - V1 as the new Vop.
    double CalcNonLinearResidual(const TPortRealArray& Potentials,
                                 const TPortRealArray& Currents) override;
    double NonLinearResidualsAt(const TPortRealArray& Potentials, const TPortRealArray& Currents,
                                const double* params, double* residuals) const override;

    // The characteristic: current into port 0 at v = V0 - V1.
    virtual double ModelCurrent(double v) const = 0;
    // Reciprocal of the characteristic's slope at Vop.
    virtual double SlopeResistanceAtVop() const = 0;

protected:
    TJunctionDiode(TTinyParser& evaluator, double equivR, double vop);
};

// One exponential junction, anode at port 0 ("+"), cathode at port 1 ("-"),
// on a 48 x 48 panel with the picture centred both ways.
class TPNDiode : public TJunctionDiode {
public:
    double Is; // saturation current (A)
    double K;  // exponent factor (1/V)

    double ModelCurrent(double v) const override;
    double SlopeResistanceAtVop() const override;

protected:
    TPNDiode(TTinyParser& evaluator, int imageIndex, double equivR, double Is, double K,
             double vop);
};

// 1 mA at 0.6 V. Image 18.
class TDiode : public TPNDiode {
public:
    static constexpr double StartEquivR = 6;

    explicit TDiode(TTinyParser& evaluator);
    std::string ClassName() const override { return "TDiode"; }

    void UpdateDeviceValue() override;

protected:
    const TOldSizeConversion* OldSizeConversion() const override;
};

// 10 mA at 2.0 V; shows its brightness with images 24 (dark) to 27.
class TLED : public TPNDiode {
public:
    static constexpr double StartEquivR = 20;
    static constexpr int DarkImageIndex = 24;

    explicit TLED(TTinyParser& evaluator);
    std::string ClassName() const override { return "TLED"; }

    void UpdateDeviceValue() override;
    void ShowDeviceResult(const TPortComplexArray& Potentials,
                          const TPortComplexArray& Currents) override;
    void ClearDeviceResult() override;

    // Brightness level 0..3 for the modulus of the current (A).
    static int BrightnessLevel(double current);
};

// Cathode at port 0 ("-"), anode at port 1 ("+"), so V0 - V1 is positive in
// the breakdown direction. ValueEdit holds the Zener voltage Vz (default "5");
// the breakdown branch carries 10 mA at Vz. Image 23.
class TZenarDiode : public TJunctionDiode {
public:
    static constexpr double StartEquivR = 1000;
    // Current of the breakdown branch at Vz (A).
    static constexpr double ZenerCurrent = 0.01;

    double IsZ; // saturation current of the breakdown branch (A)
    double KZ;  // exponent factor of the breakdown branch (1/V)
    double IsF; // saturation current of the forward branch (A)
    double KF;  // exponent factor of the forward branch (1/V)

    explicit TZenarDiode(TTinyParser& evaluator);
    std::string ClassName() const override { return "TZenarDiode"; }

    // Evaluates Vz and derives IsZ = 0.01 / (exp(KZ Vz) - 1).
    void UpdateDeviceValue() override;
    double ModelCurrent(double v) const override;
    double SlopeResistanceAtVop() const override;
};

} // namespace zaro
