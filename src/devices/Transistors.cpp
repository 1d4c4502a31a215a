#include "Transistors.h"

#include "DeviceRows.h"
#include "JunctionModel.h"

#include <cmath>

namespace zaro {

namespace {

constexpr TRect LeftPortRect{0, 16, 8, 32};
constexpr TRect RightPortRect{40, 16, 48, 32};
constexpr TRect BasePortRect{16, 40, 32, 48};

// The earlier layout drew transistors 64 or 128 wide.
const TOldSizeConversion TransistorOldSize{
    {64, 128}, {8, 8}, 48, 48, {{0, LeftPortRect}, {1, RightPortRect}, {2, BasePortRect}}};

constexpr int NPNCollector = 0;
constexpr int NPNEmitter = 1;
constexpr int PNPEmitter = 0;
constexpr int PNPCollector = 1;
constexpr int Base = 2;

// Rows 0 and 1 of the NPN, DC and AC alike: the current sum, and
// V_B - V_E = r x the current into the base.
template <typename TValue> void WriteNPNJunctionRows(TRowWriter<TValue>& rows, double r) {
    rows.CurrentSum(0);
    rows.V(1, NPNEmitter, -1.0);
    rows.V(1, Base, 1.0);
    rows.IInto(1, Base, -r);
}

// Rows 0 and 1 of the PNP: the current sum, and V_E - V_B = r x the current
// out of the base.
template <typename TValue> void WritePNPJunctionRows(TRowWriter<TValue>& rows, double r) {
    rows.CurrentSum(0);
    rows.V(1, PNPEmitter, 1.0);
    rows.V(1, Base, -1.0);
    rows.IInto(1, Base, r);
}

} // namespace

// --- TBipolarTransistor ------------------------------------------------------------

TBipolarTransistor::TBipolarTransistor(TTinyParser& evaluator, int imageIndex,
                                       const std::vector<std::string>& captions, double equivRBE,
                                       double equivRCE, double startRBE, double startRCE)
    : T3PortDevice(evaluator), Vop(0.6), EquivRBE(equivRBE), K(JunctionK), EquivRCE(equivRCE),
      FStartRBE(startRBE), FStartRCE(startRCE) {
    SetImageIndex(imageIndex);
    SetImageVertCenter(true);
    SetPanelSize(48, 48);
    SetPortRects({{0, LeftPortRect}, {1, RightPortRect}, {Base, BasePortRect}});
    SetPortCaptions(captions);
    FResiduals.assign(2, 0.0);
}

double* TBipolarTransistor::NonLinearParam(int index) {
    return index == 1 ? &EquivRCE : &EquivRBE;
}

double* TBipolarTransistor::NonLinearResidual(int index) {
    CheckIndex(index, 2);
    return &FResiduals[static_cast<std::size_t>(index)];
}

void TBipolarTransistor::UpdateDeviceValue() {
    EquivRBE = FStartRBE;
    EquivRCE = FStartRCE;
}

double TBipolarTransistor::BaseJunctionCurrent(double v) const {
    return TransistorBaseCurrent(Is, K, Rp, v);
}

double TBipolarTransistor::CollectorCurrent(double u, double b) const {
    return TransistorCollectorCurrent(Beta, u, b);
}

double TBipolarTransistor::BaseSlopeResistance() const {
    return SlopeResistance(Is, K, Vop);
}

double TBipolarTransistor::CalcNonLinearResidual(const TPortRealArray& Potentials,
                                                 const TPortRealArray& Currents) {
    Vop = SolvedQuantities(Potentials, Currents).JunctionVoltage;
    const double params[] = {EquivRBE, EquivRCE};
    return NonLinearResidualsAt(Potentials, Currents, params, FResiduals.data());
}

// The collector ratio rule and the negative-parameter penalties.
double TBipolarTransistor::NonLinearResidualsAt(const TPortRealArray& Potentials,
                                                const TPortRealArray& Currents,
                                                const double* params, double* residuals) const {
    const TSolvedQuantities q = SolvedQuantities(Potentials, Currents);
    const double baseResidual = q.BaseCurrent - BaseJunctionCurrent(q.JunctionVoltage);
    const double icm = CollectorCurrent(q.CollectorVoltage, q.BaseCurrent);
    const double collectorResidual = CollectorResidual(q.SolvedCurrent, icm);
    residuals[0] = PenalizedResidual(baseResidual, params[0]);
    residuals[1] = PenalizedResidual(collectorResidual, params[1]);
    return CheckedResult(std::hypot(residuals[0], residuals[1]));
}

const TOldSizeConversion* TBipolarTransistor::OldSizeConversion() const {
    return &TransistorOldSize;
}

// --- TTrNPN --------------------------------------------------------------------------

TTrNPN::TTrNPN(TTinyParser& evaluator)
    : TBipolarTransistor(evaluator, 19, {"C", "E", "B"}, 60, 10000, 6, 100000) {}

// Row 2: V_C - V_E = EquivRCE x the current into the collector.
void TTrNPN::BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) {
    TDCRows rows(*this, Coef, Rhs);
    WriteNPNJunctionRows(rows, EquivRBE);
    rows.V(2, NPNCollector, 1.0);
    rows.IInto(2, NPNCollector, -EquivRCE);
    rows.V(2, NPNEmitter, -1.0);
}

// Row 2: the current into the collector is Beta x the current into the base.
void TTrNPN::BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) {
    TACRows rows(*this, Coef, Rhs);
    WriteNPNJunctionRows(rows, BaseSlopeResistance());
    rows.IInto(2, NPNCollector, 1.0);
    rows.IInto(2, Base, -Beta);
}

TBipolarTransistor::TSolvedQuantities
TTrNPN::SolvedQuantities(const TPortRealArray& Potentials, const TPortRealArray& Currents) const {
    return {Potentials[Base] - Potentials[NPNEmitter], PortCurrentSign(Base) * Currents[Base],
            Potentials[NPNCollector] - Potentials[NPNEmitter],
            PortCurrentSign(NPNCollector) * Currents[NPNCollector]};
}

// --- TTrPNP --------------------------------------------------------------------------

TTrPNP::TTrPNP(TTinyParser& evaluator)
    : TBipolarTransistor(evaluator, 20, {"E", "C", "B"}, 100, 1000, 6, 1000) {}

// Row 2: V_E - V_C = EquivRCE x the current out of the collector.
void TTrPNP::BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) {
    TDCRows rows(*this, Coef, Rhs);
    WritePNPJunctionRows(rows, EquivRBE);
    rows.V(2, PNPEmitter, 1.0);
    rows.V(2, PNPCollector, -1.0);
    rows.IInto(2, PNPCollector, EquivRCE);
}

// Row 2: the current out of the collector is Beta x the current out of the
// base, s_1 I_1 - Beta s_2 I_2 = 0, the mirror image of the NPN.
void TTrPNP::BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) {
    TACRows rows(*this, Coef, Rhs);
    WritePNPJunctionRows(rows, BaseSlopeResistance());
    rows.IInto(2, PNPCollector, 1.0);
    rows.IInto(2, Base, -Beta);
}

TBipolarTransistor::TSolvedQuantities
TTrPNP::SolvedQuantities(const TPortRealArray& Potentials, const TPortRealArray& Currents) const {
    return {Potentials[PNPEmitter] - Potentials[Base], -PortCurrentSign(Base) * Currents[Base],
            Potentials[PNPEmitter] - Potentials[PNPCollector],
            PortCurrentSign(PNPEmitter) * Currents[PNPEmitter]};
}

} // namespace zaro
