#pragma once
// The bipolar transistors. In DC each is two resistances, base-emitter and
// collector-emitter, whose values are its two non-linear parameters; after
// each DC solve it reports a base-junction residual and a collector-model
// residual. In AC it is the small-signal model: the junction's slope
// resistance at the last operating point and a collector current of Beta
// times the base current.

#include "ZaroSimDevices.h"

namespace zaro {

// What the NPN and the PNP share: the model constants, the two parameters and
// residuals, the 48 x 48 panel and the earlier layout's conversion.
class TBipolarTransistor : public T3PortDevice {
public:
    static constexpr double LeakageResistance = 1E6;
    static constexpr double CurrentGain = 300;

    double Vop;      // junction operating point (V): NPN V_B - V_E, PNP V_E - V_B
    double EquivRBE; // base junction equivalent resistance, parameter 0 (ohms)
    double Is = 1E-9;
    double K;
    double Rp = LeakageResistance;
    double Beta = CurrentGain;
    double EquivRCE; // collector-emitter equivalent resistance, parameter 1 (ohms)

    bool IsNonLinear() const override { return true; }
    int NonLinearParamCount() const override { return 2; }
    // Index 1 is EquivRCE, any other index EquivRBE.
    double* NonLinearParam(int index) override;
    // Residuals[index]; an index other than 0 or 1 is a range error.
    double* NonLinearResidual(int index) override;
    // Both parameters back to their start values; Vop is kept.
    void UpdateDeviceValue() override;

    // Model base current at junction voltage v.
    double BaseJunctionCurrent(double v) const;
    // Model collector current for collector voltage u and base current b.
    double CollectorCurrent(double u, double b) const;
    // Small-signal base junction resistance at Vop.
    double BaseSlopeResistance() const;

    // Stores the junction voltage as Vop and both residuals; returns their
    // Euclidean norm.
    double CalcNonLinearResidual(const TPortRealArray& Potentials,
                                 const TPortRealArray& Currents) override;
    double NonLinearResidualsAt(const TPortRealArray& Potentials, const TPortRealArray& Currents,
                                const double* params, double* residuals) const override;

protected:
    TBipolarTransistor(TTinyParser& evaluator, int imageIndex,
                       const std::vector<std::string>& captions, double equivRBE, double equivRCE,
                       double startRBE, double startRCE);

    // What the residuals are computed from: the solved junction voltage and
    // base current, the solved voltage across the collector model and the
    // solved current it is compared with.
    struct TSolvedQuantities {
        double JunctionVoltage;
        double BaseCurrent;
        double CollectorVoltage;
        double SolvedCurrent;
    };
    virtual TSolvedQuantities SolvedQuantities(const TPortRealArray& Potentials,
                                               const TPortRealArray& Currents) const = 0;
    const TOldSizeConversion* OldSizeConversion() const override;

private:
    double FStartRBE;
    double FStartRCE;
};

// Collector port 0 ("C"), emitter port 1 ("E"), base port 2 ("B"). Image 19.
class TTrNPN : public TBipolarTransistor {
public:
    explicit TTrNPN(TTinyParser& evaluator);
    std::string ClassName() const override { return "TTrNPN"; }

    void BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) override;
    void BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) override;

protected:
    TSolvedQuantities SolvedQuantities(const TPortRealArray& Potentials,
                                       const TPortRealArray& Currents) const override;
};

// Emitter port 0 ("E"), collector port 1 ("C"), base port 2 ("B"). Image 20.
class TTrPNP : public TBipolarTransistor {
public:
    explicit TTrPNP(TTinyParser& evaluator);
    std::string ClassName() const override { return "TTrPNP"; }

    void BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) override;
    void BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) override;

protected:
    // The collector-model residual compares the emitter current with the model.
    TSolvedQuantities SolvedQuantities(const TPortRealArray& Potentials,
                                       const TPortRealArray& Currents) const override;
};

} // namespace zaro
