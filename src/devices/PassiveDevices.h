#pragma once
// The linear passive elements: impedances between their two ports whose value
// text is evaluated at the start of an analysis and again, at the present
// frequency, whenever an AC block is built.

#include "ZaroSimDevices.h"

namespace zaro {

// Resistance in ohms; image 5, default text "1k".
class TResistor : public T2PortDevice {
public:
    explicit TResistor(TTinyParser& evaluator);
    std::string ClassName() const override { return "TResistor"; }

    void UpdateDeviceValue() override;
    void BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) override;
    void BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) override;

protected:
    const TOldSizeConversion* OldSizeConversion() const override;
};

// A capacitor or an inductor: a fixed resistance in DC; in AC the small series
// resistance plus the reactance its formula gives at the present frequency.
class TReactiveDevice : public T2PortDevice {
public:
    static constexpr double SeriesResistance = 0.0001;

    // A math error of the reactance formula leaves Value as it was (see the .cpp).
    void UpdateDeviceValue() override;
    void BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) override;
    void BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) override;

protected:
    using TFormula = std::string (*)(const std::string& text);

    TReactiveDevice(TTinyParser& evaluator, int imageIndex, double dcResistance,
                    TFormula reactanceFormula);
    const TOldSizeConversion* OldSizeConversion() const override;

private:
    // Value = (series resistance, the formula at the present F); errors pass out.
    void EvaluateImpedance();

    double FDCResistance;
    TFormula FReactanceFormula;
};

// Capacitance in farads; image 1, default text "10u". In DC practically open.
class TCapacitor : public TReactiveDevice {
public:
    static constexpr double DCResistance = 1E20;

    explicit TCapacitor(TTinyParser& evaluator);
    std::string ClassName() const override { return "TCapacitor"; }

    // The reactance formula for a value text: "-1/(2*PI*F*(" + text + "))".
    static std::string ReactanceFormula(const std::string& text);
};

// Inductance in henries; image 3, default text "10u". In DC practically a short.
class TInductor : public TReactiveDevice {
public:
    static constexpr double DCResistance = 0.0001;

    explicit TInductor(TTinyParser& evaluator);
    std::string ClassName() const override { return "TInductor"; }

    // The reactance formula for a value text: "2*PI*F*(" + text + ")".
    static std::string ReactanceFormula(const std::string& text);
};

} // namespace zaro
