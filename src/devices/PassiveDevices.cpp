#include "PassiveDevices.h"

namespace zaro {

// --- TResistor -----------------------------------------------------------------

TResistor::TResistor(TTinyParser& evaluator) : T2PortDevice(evaluator) {
    SetImageIndex(5);
    SetPortCaptions({"a", "b"});
    CreateValueEdit("1k");
}

void TResistor::UpdateDeviceValue() {
    EvaluateRealValue();
}

void TResistor::BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) {
    BuildDCResistanceEquation(Coef, Rhs, Value().re);
}

void TResistor::BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) {
    UpdateDeviceValue();
    BuildACImpedanceEquation(Coef, Rhs, Value());
}

const TOldSizeConversion* TResistor::OldSizeConversion() const {
    return &OldSize2Port128;
}

// --- TReactiveDevice -----------------------------------------------------------

TReactiveDevice::TReactiveDevice(TTinyParser& evaluator, int imageIndex, double dcResistance,
                                 TFormula reactanceFormula)
    : T2PortDevice(evaluator), FDCResistance(dcResistance), FReactanceFormula(reactanceFormula) {
    SetImageIndex(imageIndex);
    SetPortCaptions({"a", "b"});
    CreateValueEdit("10u");
}

// Every analysis prepares with this, DC ones included, where the reactance is
// never used and F may be 0 or not set yet: a math error of the formula keeps
// the previous Value instead of failing them. The AC block works the value out
// again and does fail on it. The text itself must still give a number.
void TReactiveDevice::UpdateDeviceValue() {
    EvaluateExpression(ValueText());
    try {
        EvaluateImpedance();
    } catch (const EMathError&) {
    }
}

void TReactiveDevice::EvaluateImpedance() {
    SetValue(MakeComplex(SeriesResistance, EvaluateExpression(FReactanceFormula(ValueText()))));
}

void TReactiveDevice::BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) {
    BuildDCResistanceEquation(Coef, Rhs, FDCResistance);
}

void TReactiveDevice::BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) {
    EvaluateImpedance();
    BuildACImpedanceEquation(Coef, Rhs, Value());
}

const TOldSizeConversion* TReactiveDevice::OldSizeConversion() const {
    return &OldSize2Port128;
}

// --- TCapacitor ----------------------------------------------------------------

TCapacitor::TCapacitor(TTinyParser& evaluator)
    : TReactiveDevice(evaluator, 1, DCResistance, &ReactanceFormula) {}

std::string TCapacitor::ReactanceFormula(const std::string& text) {
    // The text goes in parentheses so that a text such as 1u+1u is one capacitance.
    return "-1/(2*PI*F*(" + text + "))";
}

// --- TInductor -----------------------------------------------------------------

TInductor::TInductor(TTinyParser& evaluator)
    : TReactiveDevice(evaluator, 3, DCResistance, &ReactanceFormula) {}

std::string TInductor::ReactanceFormula(const std::string& text) {
    return "2*PI*F*(" + text + ")";
}

} // namespace zaro
