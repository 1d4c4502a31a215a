#include "Junctions.h"

#include "DeviceRows.h"

namespace zaro {

namespace {

const std::vector<std::pair<int, TRect>> YPorts{
    {0, {0, 8, 8, 24}}, {1, {24, 8, 32, 24}}, {2, {8, 24, 24, 32}}};
const std::pair<int, TRect> XUpPort{3, {8, 0, 24, 8}};

std::vector<std::pair<int, TRect>> XPorts() {
    std::vector<std::pair<int, TRect>> ports = YPorts;
    ports.push_back(XUpPort);
    return ports;
}

// Rows 0..P-2: every port at the potential of port 0; last row: current sum.
template <typename TValue> void WriteJunctionRows(TRowWriter<TValue> rows, int portCount) {
    rows.EqualPotentials(0);
    rows.CurrentSum(portCount - 1);
}

void SetupJunction(TZaroSimDevice& device, int imageIndex,
                   const std::vector<std::pair<int, TRect>>& ports) {
    device.SetImageIndex(imageIndex);
    device.SetImageVertCenter(true);
    device.SetBounds(device.Left(), device.Top(), 32, 32);
    for (const auto& [port, rect] : ports) {
        device.SetPortRect(port, rect);
    }
}

} // namespace

const TOldSizeConversion OldSizeYConnection64{{64}, {16, 16}, 32, 32, YPorts};
const TOldSizeConversion OldSizeXConnection64{{64}, {16, 16}, 32, 32, XPorts()};

TYConnection::TYConnection(TTinyParser& evaluator) : T3PortDevice(evaluator) {
    SetupJunction(*this, 11, YPorts);
    SetPortCaptions({"a", "b", "c"});
}

void TYConnection::BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) {
    WriteJunctionRows(TDCRows(*this, Coef, Rhs), 3);
}

void TYConnection::BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) {
    WriteJunctionRows(TACRows(*this, Coef, Rhs), 3);
}

const TOldSizeConversion* TYConnection::OldSizeConversion() const {
    return &OldSizeYConnection64;
}

TXConnection::TXConnection(TTinyParser& evaluator) : T4PortDevice(evaluator) {
    SetupJunction(*this, 10, XPorts());
    SetPortCaptions({"a", "b", "c", "d"});
}

void TXConnection::BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) {
    WriteJunctionRows(TDCRows(*this, Coef, Rhs), 4);
}

void TXConnection::BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) {
    WriteJunctionRows(TACRows(*this, Coef, Rhs), 4);
}

const TOldSizeConversion* TXConnection::OldSizeConversion() const {
    return &OldSizeXConnection64;
}

} // namespace zaro
