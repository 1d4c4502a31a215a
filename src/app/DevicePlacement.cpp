#include "DevicePlacement.h"

#include "DeviceFactory.h"
#include "EditStepNames.h"

#include <array>
#include <string>

namespace zaro {

namespace {

constexpr std::array<TDevicePlacement, 21> Placements{{
    {"AtnDeviceR", "Resistor(抵抗器)", "抵抗器", 17, "Basic", false, "TResistor"},
    {"AtnDeviceC", "Capacitor(蓄電器)", "蓄電器", 13, "Basic", false, "TCapacitor"},
    {"AtnDeviceL", "Inductor(誘導子)", "インダクタ", 15, "Basic", false, "TInductor"},
    {"AtnDeviceVDC", "VDC(直流電源)", "直流電源", 19, "Source and GND", false, "TVDC"},
    {"AtnDeviceVAC", "VAC(交流電源)", "交流電源", 18, "Source and GND", false, "TVAC"},
    {"AtnDeviceISrc", "Current Source(電流源)", "電流源", 16, "Source and GND", false, "TISRC"},
    {"AtnDeviceLevel", "Voltage Level(定電位)", "定電位", 29, "Source and GND", true, "TLevel"},
    {"AtnDeviceGnd", "GND(接地)", "接地", 14, "Source and GND", false, "TGnd"},
    {"AtnDeviceOpen", "Open(開放端)", "開放端", 28, "Source and GND", false, "TOpen"},
    {"AtnDeviceY", "Y Connection(Y型分岐)", "Ｙ型分岐", 12, "Concatenator", false, "TYConnection"},
    {"AtnDeviceX", "X Connection(X型分岐)", "Ｘ型分岐", 22, "Concatenator", false, "TXConnection"},
    {"AtnDevicePotMeter", "Potential Meter(電位計)", "電位計", 21, "Meter", false,
     "TPotentialMeter"},
    {"AtnDeviceVMeter", "Volt Meter(電位差計)", "電位差計", 20, "Meter", false, "TVoltMeter"},
    {"AtnDeviceAmMeter", "Ampere Meter(電流系)", "電流計", 23, "Meter", false, "TAmMeter"},
    {"AtnDeviceDiode", "Diode(整流器)", "整流器", 25, "Semiconductor", false, "TDiode"},
    {"AtnDeviceTrNPN", "NPN Transistor", "NPN型バイポーラトランジスタ", 26, "Semiconductor", false,
     "TTrNPN"},
    {"AtnDeviceTrPNP", "PNP Transistor", "PNP型バイポーラトランジスタ", 27, "Semiconductor", false,
     "TTrPNP"},
    {"AtnDeviceLED", "LED(発光ダイオード)", "", 39, "Semiconductor", false, "TLED"},
    {"AtnDeviceZenarDiode", "Zenar Diode(ツェナダイオード)", "", 40, "Semiconductor", false,
     "TZenarDiode"},
    {"AtnDeviceLamp", "Lamp(電球)", "電球(光る抵抗)", 24, "Special", false, "TLamp"},
    {"AtnDeviceLabel", "&Label(ラベル)", "", 34, "Special", false, "TLabelDevice"},
}};

std::unique_ptr<TZaroSimDevice> NewDevice(std::string_view className, TTinyParser& evaluator) {
    std::unique_ptr<TZaroSimDevice> device = CreateDeviceByClassName(className, evaluator);
    if (device == nullptr) {
        throw EZaroError("PlaceDevice: " + std::string(className) + " is not a device class.");
    }
    return device;
}

} // namespace

std::span<const TDevicePlacement> DevicePlacements() {
    return Placements;
}

std::string DeviceName(std::string_view className) {
    for (const TDevicePlacement& placement : Placements) {
        if (placement.ClassName != className) {
            continue;
        }
        if (!placement.Hint.empty()) {
            return std::string(placement.Hint);
        }
        const std::size_t open = placement.Caption.find('(');
        const std::size_t close = placement.Caption.rfind(')');
        if (open != std::string_view::npos && close != std::string_view::npos && open < close) {
            return std::string(placement.Caption.substr(open + 1, close - open - 1));
        }
        return std::string(placement.Caption);
    }
    return std::string(className);
}

void CenterInCanvas(const TCodingPanel& canvas, TDragPanel& panel) {
    panel.SetBounds((canvas.Width() - panel.Width()) / 2, (canvas.Height() - panel.Height()) / 2,
                    panel.Width(), panel.Height());
}

void SetMeterPolarityCaptions(TZaroSimDevice& device) {
    if (device.ClassName() == "TVoltMeter" || device.ClassName() == "TAmMeter") {
        device.SetPortCaption(0, "+");
        device.SetPortCaption(1, "-");
    }
}

void SetPlacedPortCaptions(TZaroSimDevice& device) {
    const std::unique_ptr<TZaroSimDevice> fresh = NewDevice(device.ClassName(), device.Evaluator());
    for (int port = 0; port < device.PortCount() && port < fresh->PortCount(); ++port) {
        device.SetPortCaption(port, fresh->PortCaption(port));
    }
    SetMeterPolarityCaptions(device);
}

TZaroSimDevice& PlaceNewDevice(TCircuitDocument& document, std::unique_ptr<TZaroSimDevice> device) {
    const std::string stepName = PlacementStepName(device->ClassName());
    document.BeginEdit();
    TZaroSimDevice& placed = document.AddDevice(std::move(device));
    CenterInCanvas(document.Canvas(), placed);
    SetMeterPolarityCaptions(placed);
    document.CommitCircuitEdit(stepName);
    return placed;
}

TZaroSimDevice& PlaceDevice(TCircuitDocument& document, std::string_view className) {
    return PlaceNewDevice(document, NewDevice(className, document.TP1()));
}

TCircuitBuilder PlacingBuilder(TCircuitDocument& document) {
    return TCircuitBuilder(
        document.Canvas(),
        document.TP1(), [&document](std::unique_ptr<TZaroSimDevice> device) -> auto& {
            return PlaceNewDevice(document, std::move(device));
        });
}

TZaroSimDevice& AtnDevice(TCircuitDocument& document, std::string_view command) {
    for (const TDevicePlacement& placement : Placements) {
        if (placement.Command == command) {
            return PlaceDevice(document, placement.ClassName);
        }
    }
    throw EZaroError("AtnDevice: " + std::string(command) + " is not a device command.");
}

} // namespace zaro
