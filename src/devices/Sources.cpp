#include "Sources.h"

#include "DeviceRows.h"

namespace zaro {

namespace {

const TRect TerminalPort{0, 8, 8, 24};

// Row 0: -V0 - 0.0001 I0 + V1 = e; row 1: s0 I0 + s1 I1 = 0.
template <typename TValue> void WriteSourceRows(TRowWriter<TValue> rows, const TValue& e) {
    rows.V(0, 0, -1.0);
    rows.I(0, 0, -SourceSeriesResistance);
    rows.V(0, 1, 1.0);
    rows.Right(0, e);
    rows.CurrentSum(1);
}

// Row 0: s0 I0 + s1 I1 = 0; row 1: s0 I0 = i.
template <typename TValue> void WriteCurrentSourceRows(TRowWriter<TValue> rows, double i) {
    rows.CurrentSum(0);
    rows.IInto(1, 0, 1.0);
    rows.RightReal(1, i);
}

template <typename TValue> void WriteGroundRow(TRowWriter<TValue> rows) {
    rows.V(0, 0, 1.0);
}

template <typename TValue> void WriteOpenRow(TRowWriter<TValue> rows) {
    rows.I(0, 0, 1.0);
}

void SetupTerminal(T1PortDevice& device, int imageIndex) {
    device.SetImageIndex(imageIndex);
    device.SetImageVertCenter(true);
    device.SetBounds(device.Left(), device.Top(), 32, 32);
    device.SetPortRect(0, TerminalPort);
    device.SetPortCaption(0, "a");
}

} // namespace

const TOldSizeConversion OldSizeTerminal64{{64}, {16, 16}, 32, 32, {{0, TerminalPort}}};

// --- TVDC ----------------------------------------------------------------------

TVDC::TVDC(TTinyParser& evaluator) : T2PortDevice(evaluator) {
    SetImageIndex(7);
    SetPortCaptions({"-", "+"});
    CreateValueEdit("15");
}

void TVDC::UpdateDeviceValue() {
    EvaluateRealValue();
}

void TVDC::BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) {
    WriteSourceRows(TDCRows(*this, Coef, Rhs), Value().re);
}

void TVDC::BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) {
    TACRows(*this, Coef, Rhs).SeriesShort(SourceSeriesResistance);
}

const TOldSizeConversion* TVDC::OldSizeConversion() const {
    return &OldSize2Port128;
}

// --- TVAC ----------------------------------------------------------------------

TVAC::TVAC(TTinyParser& evaluator) : T2PortDevice(evaluator) {
    SetImageIndex(6);
    SetPortCaptions({"-", "+"});
    CreateValueEdit("100m");
}

void TVAC::UpdateDeviceValue() {
    EvaluateRealValue();
}

void TVAC::BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) {
    TDCRows(*this, Coef, Rhs).SeriesShort(SourceSeriesResistance);
}

void TVAC::BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) {
    UpdateDeviceValue();
    WriteSourceRows(TACRows(*this, Coef, Rhs), Value());
}

const TOldSizeConversion* TVAC::OldSizeConversion() const {
    return &OldSize2Port128;
}

// --- TISRC ---------------------------------------------------------------------

TISRC::TISRC(TTinyParser& evaluator) : T2PortDevice(evaluator) {
    SetImageIndex(4);
    SetPortCaptions({"-", "+"});
    CreateValueEdit("1m");
}

void TISRC::UpdateDeviceValue() {
    EvaluateRealValue();
}

void TISRC::BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) {
    WriteCurrentSourceRows(TDCRows(*this, Coef, Rhs), Value().re);
}

void TISRC::BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) {
    WriteCurrentSourceRows(TACRows(*this, Coef, Rhs), 0.0);
}

const TOldSizeConversion* TISRC::OldSizeConversion() const {
    return &OldSize2Port128;
}

// --- TGnd ----------------------------------------------------------------------

TGnd::TGnd(TTinyParser& evaluator) : T1PortDevice(evaluator) {
    SetupTerminal(*this, 2);
}

void TGnd::BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) {
    WriteGroundRow(TDCRows(*this, Coef, Rhs));
}

void TGnd::BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) {
    WriteGroundRow(TACRows(*this, Coef, Rhs));
}

const TOldSizeConversion* TGnd::OldSizeConversion() const {
    return &OldSizeTerminal64;
}

// --- TOpen ---------------------------------------------------------------------

TOpen::TOpen(TTinyParser& evaluator) : T1PortDevice(evaluator) {
    SetupTerminal(*this, 21);
}

void TOpen::BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) {
    WriteOpenRow(TDCRows(*this, Coef, Rhs));
}

void TOpen::BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) {
    WriteOpenRow(TACRows(*this, Coef, Rhs));
}

const TOldSizeConversion* TOpen::OldSizeConversion() const {
    return &OldSizeTerminal64;
}

// --- TLevel --------------------------------------------------------------------

TLevel::TLevel(TTinyParser& evaluator) : T1PortDevice(evaluator) {
    SetImageIndex(22);
    SetPortCaption(0, "a");
    CreateValueEdit("15");
}

void TLevel::UpdateDeviceValue() {
    EvaluateRealValue();
}

void TLevel::BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) {
    TDCRows rows(*this, Coef, Rhs);
    rows.V(0, 0, 1.0);
    rows.I(0, 0, SourceSeriesResistance);
    rows.Right(0, Value().re);
}

void TLevel::BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) {
    WriteGroundRow(TACRows(*this, Coef, Rhs));
}

const TOldSizeConversion* TLevel::OldSizeConversion() const {
    return &OldSize1Port128;
}

} // namespace zaro
