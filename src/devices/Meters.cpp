#include "Meters.h"

#include "CheckedMath.h"
#include "DeviceRows.h"
#include "ZaroSub.h"

#include <array>

namespace zaro {

namespace {

double Quotient(double a, double b) {
    return CheckedDouble(CheckedDivide(static_cast<TWide>(a), static_cast<TWide>(b)));
}

// Fractions of the rated power at which the lamp goes one level brighter.
constexpr std::array<double, 6> LampThresholds{0.2, 0.4, 0.6, 0.8, 1.2, 100.0};

constexpr TRect LampVoltageBounds = TRect::FromBounds(12, 26, 32, 16);
constexpr TRect LampPowerBounds = TRect::FromBounds(48, 26, 32, 16);

// Row p: s_p I_p = 0 for every port: the meter draws no current.
template <typename TValue> void WriteNoCurrentRows(TRowWriter<TValue> rows, int portCount) {
    for (int p = 0; p < portCount; ++p) {
        rows.IInto(p, p, 1.0);
    }
}

} // namespace

std::string MeterReadingText(const TComplex& reading) {
    return PrefixedFloatToStrF(reading.re, 3, 4, 2) + " + j" +
           PrefixedFloatToStrF(reading.im, 3, 4, 2);
}

// --- TVoltMeter ------------------------------------------------------------------

TVoltMeter::TVoltMeter(TTinyParser& evaluator) : T2PortDevice(evaluator) {
    SetImageIndex(8);
    SetPortCaptions({"", ""});
    CreateResultEdit();
}

void TVoltMeter::BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) {
    WriteNoCurrentRows(TDCRows(*this, Coef, Rhs), 2);
}

void TVoltMeter::BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) {
    WriteNoCurrentRows(TACRows(*this, Coef, Rhs), 2);
}

void TVoltMeter::ShowDeviceResult(const TPortComplexArray& Potentials,
                                  const TPortComplexArray& Currents) {
    T2PortDevice::ShowDeviceResult(Potentials, Currents);
    ValueEdit()->SetText(MeterReadingText(ComplexSubtract(Potentials[0], Potentials[1])));
}

const TOldSizeConversion* TVoltMeter::OldSizeConversion() const {
    return &OldSize2Port128;
}

// --- TAmMeter --------------------------------------------------------------------

TAmMeter::TAmMeter(TTinyParser& evaluator) : T2PortDevice(evaluator) {
    SetImageIndex(0);
    SetPortCaptions({"+", "-"});
    CreateResultEdit();
}

void TAmMeter::BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) {
    TDCRows(*this, Coef, Rhs).SeriesShort(AmMeterResistance);
}

void TAmMeter::BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) {
    TACRows(*this, Coef, Rhs).SeriesShort(AmMeterResistance);
}

void TAmMeter::ShowDeviceResult(const TPortComplexArray& Potentials,
                                const TPortComplexArray& Currents) {
    T2PortDevice::ShowDeviceResult(Potentials, Currents);
    const double s0 = PortCurrentSign(0);
    const TComplex current = Currents[0];
    ValueEdit()->SetText(MeterReadingText(MakeComplex(s0 * current.re, s0 * current.im)));
}

const TOldSizeConversion* TAmMeter::OldSizeConversion() const {
    return &OldSize2Port128;
}

// --- TPotentialMeter ---------------------------------------------------------------

TPotentialMeter::TPotentialMeter(TTinyParser& evaluator) : T1PortDevice(evaluator) {
    SetImageIndex(9);
    SetPortCaption(0, "a");
    CreateResultEdit();
}

void TPotentialMeter::BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) {
    WriteNoCurrentRows(TDCRows(*this, Coef, Rhs), 1);
}

void TPotentialMeter::BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) {
    WriteNoCurrentRows(TACRows(*this, Coef, Rhs), 1);
}

void TPotentialMeter::ShowDeviceResult(const TPortComplexArray& Potentials,
                                       const TPortComplexArray& Currents) {
    T1PortDevice::ShowDeviceResult(Potentials, Currents);
    ValueEdit()->SetText(MeterReadingText(Potentials[0]));
}

const TOldSizeConversion* TPotentialMeter::OldSizeConversion() const {
    return &OldSize1Port128;
}

// --- TLamp -----------------------------------------------------------------------

TLamp::TLamp(TTinyParser& evaluator) : T2PortDevice(evaluator) {
    SetImageIndex(DarkImageIndex);
    SetPortCaptions({"a", "b"});
    CreateValueEdit("1.5", LampVoltageBounds);
    FPowerEdit = MakeEditBox(LampPowerBounds, "500m");
}

std::vector<TEditBox*> TLamp::EditBoxes() const {
    return StoredEdits();
}

std::vector<TEditBox*> TLamp::StoredEdits() const {
    return {ValueEdit(), FPowerEdit.get()};
}

TLamp::TRating TLamp::EvaluateRating() const {
    const double voltage = EvaluateExpression(ValueText());
    const double power = EvaluateExpression(FPowerEdit->Text());
    return {voltage, power, Quotient(voltage * voltage, power)};
}

void TLamp::UpdateDeviceValue() {
    SetValue(MakeComplex(EvaluateRating().Resistance, 0.0));
}

void TLamp::BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) {
    BuildDCResistanceEquation(Coef, Rhs, Value().re);
}

void TLamp::BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) {
    UpdateDeviceValue();
    BuildACImpedanceEquation(Coef, Rhs, Value());
}

int TLamp::BrightnessLevel(double ratio) {
    return ThresholdIndex(LampThresholds, ratio);
}

void TLamp::ShowDeviceResult(const TPortComplexArray& Potentials,
                             const TPortComplexArray& Currents) {
    T2PortDevice::ShowDeviceResult(Potentials, Currents);
    const TRating rating = EvaluateRating();
    const double u = ComplexAbs(ComplexSubtract(Potentials[0], Potentials[1]));
    const double ratio = Quotient(Quotient(u * u, rating.Resistance), rating.Power);
    SetImageIndex(DarkImageIndex + BrightnessLevel(ratio));
}

void TLamp::ClearDeviceResult() {
    SetImageIndex(DarkImageIndex);
}

const TOldSizeConversion* TLamp::OldSizeConversion() const {
    return &OldSize2Port128;
}

} // namespace zaro
