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
    BuildDCResistanceEquation(Coef, Rhs, Value.re);
}

void TResistor::BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) {
    UpdateDeviceValue();
    BuildACImpedanceEquation(Coef, Rhs, Value);
}

const TOldSizeConversion* TResistor::OldSizeConversion() const {
    return &OldSize2Port128;
}

// --- TCapacitor ----------------------------------------------------------------

TCapacitor::TCapacitor(TTinyParser& evaluator) : T2PortDevice(evaluator) {
    SetImageIndex(1);
    SetPortCaptions({"a", "b"});
    CreateValueEdit("10u");
}

std::string TCapacitor::ReactanceFormula(const std::string& text) {
    // The text goes in parentheses so that a text such as 1u+1u is one capacitance.
    return "-1/(2*PI*F*(" + text + "))";
}

void TCapacitor::UpdateDeviceValue() {
    Value = MakeComplex(SeriesResistance, EvaluateExpression(ReactanceFormula(ValueText())));
}

void TCapacitor::BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) {
    BuildDCResistanceEquation(Coef, Rhs, DCResistance);
}

void TCapacitor::BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) {
    UpdateDeviceValue();
    BuildACImpedanceEquation(Coef, Rhs, Value);
}

const TOldSizeConversion* TCapacitor::OldSizeConversion() const {
    return &OldSize2Port128;
}

// --- TInductor -----------------------------------------------------------------

TInductor::TInductor(TTinyParser& evaluator) : T2PortDevice(evaluator) {
    SetImageIndex(3);
    SetPortCaptions({"a", "b"});
    CreateValueEdit("10u");
}

std::string TInductor::ReactanceFormula(const std::string& text) {
    return "2*PI*F*(" + text + ")";
}

void TInductor::UpdateDeviceValue() {
    Value = MakeComplex(SeriesResistance, EvaluateExpression(ReactanceFormula(ValueText())));
}

void TInductor::BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) {
    BuildDCResistanceEquation(Coef, Rhs, DCResistance);
}

void TInductor::BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) {
    UpdateDeviceValue();
    BuildACImpedanceEquation(Coef, Rhs, Value);
}

const TOldSizeConversion* TInductor::OldSizeConversion() const {
    return &OldSize2Port128;
}

} // namespace zaro
