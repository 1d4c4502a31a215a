#include "DiagnosisText.h"

#include "DevicePlacement.h"
#include "ZaroSub.h"

namespace zaro {

namespace {

constexpr const char* CrLf = "\r\n";
// Longer lists end in "ほか N 個" so that a sentence stays readable.
constexpr std::size_t MaxNamedDevices = 10;

// "Y Connection(Y型分岐)" -> "Y型分岐"; a caption without parentheses as it is.
std::string CaptionName(std::string_view caption) {
    const std::size_t open = caption.find('(');
    const std::size_t close = caption.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) {
        return std::string(caption);
    }
    return std::string(caption.substr(open + 1, close - open - 1));
}

// "A"; "A と B"; "A、B と C"; past the limit "A、B、… ほか N 個".
std::string DeviceList(const std::vector<TDiagnosedDevice>& devices) {
    std::string text;
    const std::size_t named = std::min(devices.size(), MaxNamedDevices);
    for (std::size_t k = 0; k < named; ++k) {
        if (k > 0) {
            text += k + 1 == devices.size() ? " と" : "、";
        }
        text += DeviceName(devices[k]);
    }
    if (devices.size() > named) {
        text += " ほか " + std::to_string(devices.size() - named) + " 個";
    }
    return text;
}

std::string DomainName(TAnalysisDomain domain) {
    return domain == TAnalysisDomain::DC ? "直流" : "交流";
}

std::string Number(double value) {
    return FloatToStrG(value + 0.0, 4);
}

// "+: 0.7012 V、-: 0 V"
std::string VoltageList(const std::vector<TPortVoltage>& voltages) {
    std::string text;
    for (const TPortVoltage& voltage : voltages) {
        text += (text.empty() ? "" : "、") + voltage.Port + ": " + Number(voltage.Volts) + " V";
    }
    return text;
}

std::string PortList(const std::vector<std::string>& ports) {
    std::string text;
    for (const std::string& port : ports) {
        text += (text.empty() ? "" : "、") + port;
    }
    return text;
}

std::string ResidualSentence(const TFinding& finding) {
    const std::string devices = DeviceList(finding.Devices);
    if (!finding.Error.empty()) {
        return devices + " の残差を最後の反復で計算できませんでした(" + finding.Error +
               "。ポート電圧 " + VoltageList(finding.Voltages) + ")。";
    }
    return devices + " の残差が最後の反復で " + Number(finding.Residual) +
           " のまま残っています(ポート電圧 " + VoltageList(finding.Voltages) + ")。";
}

} // namespace

std::string DeviceKindName(std::string_view className) {
    for (const TDevicePlacement& placement : DevicePlacements()) {
        if (placement.ClassName == className) {
            return placement.Hint.empty() ? CaptionName(placement.Caption)
                                          : std::string(placement.Hint);
        }
    }
    return std::string(className);
}

std::string DeviceName(const TDiagnosedDevice& device) {
    return DeviceKindName(device.ClassName) + " No." + std::to_string(device.No);
}

std::string FindingSentence(const TFinding& finding, TAnalysisDomain domain) {
    const std::string devices = DeviceList(finding.Devices);
    switch (finding.Kind) {
    case TFindingKind::NoReference:
        return "回路に GND(接地)も Voltage Level(定電位)もありません。";
    case TFindingKind::UnwiredPort:
        return devices + " のポート " + PortList(finding.Ports) + " が配線されていません。";
    case TFindingKind::ValueFault:
        return devices + " の値を" + DomainName(domain) + "解析で計算できません(" + finding.Error +
               ")。";
    case TFindingKind::ShortedDevice:
        return devices + " の端子がすべて同じ点につながっています。";
    case TFindingKind::VoltageLoop:
        return devices + " が" + DomainName(domain) +
               "では電圧源と短絡だけのループになっています。";
    case TFindingKind::CurrentSourceOpen:
        return devices + " の電流が流れる閉じた経路がありません。";
    case TFindingKind::FloatingPart:
        return devices + " の部分が GND に接続されていません。";
    case TFindingKind::LargeResidual:
        return ResidualSentence(finding);
    }
    return devices;
}

std::vector<std::string> DiagnosisSentences(const TCircuitDiagnosis& diagnosis) {
    std::vector<std::string> sentences;
    for (const TFinding& finding : diagnosis.Findings) {
        sentences.push_back(FindingSentence(finding, diagnosis.Domain));
    }
    return sentences;
}

std::string DiagnosisPropertyText(const TCircuitDiagnosis& diagnosis) {
    std::string text;
    for (const std::string& sentence : DiagnosisSentences(diagnosis)) {
        text += sentence + CrLf;
    }
    return text.empty() ? text : CrLf + text;
}

} // namespace zaro
