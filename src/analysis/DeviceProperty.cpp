#include "DeviceProperty.h"

#include "CircuitDevice.h"
#include "Transistors.h"
#include "ZaroSub.h"

#include <cmath>
#include <numbers>

namespace zaro {

namespace {

constexpr const char* CrLf = "\r\n";

// G7, with a negative zero written as 0.
std::string G7(double value) {
    return FloatToStrG(value + 0.0, 7);
}

// "re+jim  (|z|@arg)", the angle in degrees.
std::string ComplexText(const TComplex& z) {
    const double re = z.re + 0.0;
    const double im = z.im + 0.0;
    const double magnitude = std::hypot(re, im);
    const double angle = std::atan2(im, re) * 360.0 / (2.0 * std::numbers::pi);
    return G7(re) + "+j" + G7(im) + "  (" + G7(magnitude) + "@" + G7(angle) + ")";
}

std::string PortText(const TZaroSimDevice& device, int port, const TAnalysisState& state) {
    const int wire = device.PortConnectorNo(port);
    const TComplex& v = WireVoltageAt(state, wire);
    const TComplex& wireCurrent = WireCurrentAt(state, wire);
    const double sign = device.PortCurrentSign(port);
    const TComplex i{wireCurrent.re * sign, wireCurrent.im * sign};
    return "Port " + std::to_string(port) + " (" + device.PortCaption(port) + ")" + CrLf +
           "  V = " + ComplexText(v) + CrLf + "  I = " + ComplexText(i) + CrLf;
}

} // namespace

std::string DevicePropertyText(const TCodingPanel& canvas, const TAnalysisState& state) {
    const int selected = canvas.SelectedDragPanelNo();
    if (selected < 0) {
        return NoDeviceSelected;
    }
    const TZaroSimDevice& device = DeviceAt(canvas, selected);
    std::string text = "No. = " + std::to_string(device.Index()) + CrLf +
                       "Number of nodes = " + std::to_string(device.PortCount()) + CrLf;
    if (!state.ResultsValid() || !PortsSolved(device, state)) {
        return text;
    }
    for (int j = 0; j < device.PortCount() && j < DevicePortSlots; ++j) {
        text += PortText(device, j, state);
    }
    return text;
}

void MoreAnalyze1Click(const TCodingPanel& canvas, TPlatform& platform) {
    for (int i = 0; i < canvas.DragPanelCount(); ++i) {
        auto* transistor = dynamic_cast<TTrNPN*>(&canvas.DragPanel(i));
        if (transistor == nullptr) {
            continue;
        }
        platform.MessageBox("EquiR: " + FloatToStrG(transistor->EquivRBE, 15) + CrLf +
                                "BlockR: " + FloatToStrG(transistor->EquivRCE, 15),
                            TMsgDlgType::mtCustom, TMsgDlgButtons::mbOK);
    }
}

void DebugLogCopy1Click(const std::vector<std::string>& debugLog, TPlatform& platform) {
    std::string text;
    for (const std::string& line : debugLog) {
        text += line + CrLf;
    }
    platform.SetClipboardText(text);
}

} // namespace zaro
