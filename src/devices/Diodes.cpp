#include "Diodes.h"

#include "JunctionModel.h"
#include "ZaroSub.h"

#include <array>

namespace zaro {

namespace {

constexpr TRect AnodePortRect{0, 16, 8, 32};
constexpr TRect CathodePortRect{40, 16, 48, 32};

// Current moduli (A) at which the LED goes one level brighter.
constexpr std::array<double, 4> LEDThresholds{0.0003, 0.003, 0.03, 100.0};

// The earlier layout drew the diode 64 wide.
const TOldSizeConversion DiodeOldSize{{64}, {8, 8}, 48, 0, {{1, CathodePortRect}}};

} // namespace

// --- TJunctionDiode ----------------------------------------------------------------

TJunctionDiode::TJunctionDiode(TTinyParser& evaluator, double equivR, double vop)
    : T2PortDevice(evaluator), EquivR(equivR), Vop(vop) {
    FResiduals.assign(1, 0.0);
}

double* TJunctionDiode::NonLinearParam(int) {
    return &EquivR;
}

double* TJunctionDiode::NonLinearResidual(int) {
    return &FResiduals[0];
}

void TJunctionDiode::BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) {
    BuildDCResistanceEquation(Coef, Rhs, EquivR);
}

void TJunctionDiode::BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) {
    BuildACImpedanceEquation(Coef, Rhs, MakeComplex(SlopeResistanceAtVop(), 0.0));
}

double TJunctionDiode::CalcNonLinearResidual(const TPortRealArray& Potentials,
                                             const TPortRealArray& Currents) {
    Vop = Potentials[0] - Potentials[1];
    return NonLinearResidualsAt(Potentials, Currents, &EquivR, FResiduals.data());
}

double TJunctionDiode::NonLinearResidualsAt(const TPortRealArray& Potentials,
                                            const TPortRealArray& Currents, const double* params,
                                            double* residuals) const {
    const double v = Potentials[0] - Potentials[1];
    const double i = PortCurrentSign(0) * Currents[0];
    residuals[0] = PenalizedResidual(i - ModelCurrent(v), params[0]);
    return residuals[0];
}

// --- TPNDiode ------------------------------------------------------------------------

TPNDiode::TPNDiode(TTinyParser& evaluator, int imageIndex, double equivR, double Is, double K,
                   double vop)
    : TJunctionDiode(evaluator, equivR, vop), Is(Is), K(K) {
    SetImageIndex(imageIndex);
    SetImageVertCenter(true);
    SetPanelSize(48, 48);
    SetPortRects({{0, AnodePortRect}, {1, CathodePortRect}});
    SetPortCaptions({"+", "-"});
}

double TPNDiode::ModelCurrent(double v) const {
    return JunctionCurrent(Is, K, Rp, v);
}

double TPNDiode::SlopeResistanceAtVop() const {
    return SlopeResistance(Is, K, Vop);
}

// --- TDiode ----------------------------------------------------------------------------

TDiode::TDiode(TTinyParser& evaluator) : TPNDiode(evaluator, 18, 60, 1E-9, JunctionK, 0.6) {}

void TDiode::UpdateDeviceValue() {
    EquivR = StartEquivR;
}

const TOldSizeConversion* TDiode::OldSizeConversion() const {
    return &DiodeOldSize;
}

// --- TLED --------------------------------------------------------------------------------

TLED::TLED(TTinyParser& evaluator)
    : TPNDiode(evaluator, DarkImageIndex, StartEquivR, 2.15443469003247E-9, 7.67528364331333, 1.0) {
}

void TLED::UpdateDeviceValue() {
    EquivR = StartEquivR;
}

int TLED::BrightnessLevel(double current) {
    return ThresholdIndex(LEDThresholds, current);
}

void TLED::ShowDeviceResult(const TPortComplexArray& Potentials,
                            const TPortComplexArray& Currents) {
    TPNDiode::ShowDeviceResult(Potentials, Currents);
    SetImageIndex(DarkImageIndex + BrightnessLevel(ComplexAbs(Currents[0])));
}

void TLED::ClearDeviceResult() {
    SetImageIndex(DarkImageIndex);
}

// --- TZenarDiode -----------------------------------------------------------------------

TZenarDiode::TZenarDiode(TTinyParser& evaluator)
    : TJunctionDiode(evaluator, StartEquivR, 5.0), IsZ(1E-9), KZ(JunctionK), IsF(1E-9),
      KF(JunctionK) {
    SetImageIndex(23);
    SetPortCaptions({"-", "+"});
    CreateValueEdit("5");
}

void TZenarDiode::UpdateDeviceValue() {
    const double vz = EvaluateExpression(ValueText());
    IsZ = DeviceQuotient(ZenerCurrent, DeviceExp(KZ * vz) - 1.0);
    EquivR = StartEquivR;
}

double TZenarDiode::ModelCurrent(double v) const {
    if (v < 0.0) {
        return ZenerForwardCurrent(IsF, KF, Rp, v);
    }
    return JunctionCurrent(IsZ, KZ, Rp, v);
}

// The forward branch conducts at |Vop|, so its slope is taken there as well.
double TZenarDiode::SlopeResistanceAtVop() const {
    if (Vop >= 0.0) {
        return SlopeResistance(IsZ, KZ, Vop);
    }
    return SlopeResistance(IsF, KF, -Vop);
}

} // namespace zaro
