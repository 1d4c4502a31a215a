#pragma once
// A circuit that holds every device class once, with value texts, Japanese
// text in the variables and in a label, and wires of four and five segments.

#include "Cp932.h"
#include "DeviceFactory.h"
#include "DocumentFixture.h"
#include "LabelDevice.h"
#include "Meters.h"

namespace zaro::test {

inline const std::vector<std::string> JapaneseVariables = {
    "R1=4.7k", "' 電源電圧と負荷：日本語の注釈", "VCC=12", "ＣＯＵＴ=全角"};
inline const std::string JapaneseLabelText = "増幅回路の説明（ベース電流）";

// The RTF of a note holding `text`, its CP932 bytes as \'hh escapes.
inline TBytes JapaneseRtf(const std::string& text) {
    std::string rtf = "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 "
                      "\\'82\\'6c\\'82\\'72 \\'82\\'6f\\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e;}}"
                      "\\f0\\fs18 ";
    static const char* hex = "0123456789abcdef";
    for (unsigned char c : Utf8ToCp932(text)) {
        if (c < 0x80) {
            rtf += static_cast<char>(c);
        } else {
            rtf += "\\'";
            rtf += hex[c >> 4];
            rtf += hex[c & 15];
        }
    }
    rtf += "\\par\r\n}\r\n";
    return TBytes(rtf.begin(), rtf.end());
}

inline void BuildAllClassesCircuit(TCircuitDocument& document) {
    TCircuitBuilder builder = PlacingBuilder(document);
    const std::vector<std::string>& names = DeviceClassNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        builder.Place(names[i], 16 + static_cast<int>(i % 5) * 120,
                      16 + static_cast<int>(i / 5) * 104);
    }
    TCodingPanel& canvas = document.Canvas();
    auto device = [&](const char* name) -> TZaroSimDevice& {
        const auto at = std::find(names.begin(), names.end(), name) - names.begin();
        return static_cast<TZaroSimDevice&>(canvas.DragPanel(static_cast<int>(at)));
    };
    device("TResistor").ValueEdit()->SetText("R1");
    device("TCapacitor").ValueEdit()->SetText("10u");
    device("TVDC").ValueEdit()->SetText("VCC");
    device("TZenarDiode").ValueEdit()->SetText("5.1");
    device("TLamp").ValueEdit()->SetText("3");
    static_cast<TLamp&>(device("TLamp")).PowerEdit()->SetText("250m");
    auto& label = static_cast<TLabelDevice&>(device("TLabelDevice"));
    label.NoteEditor().Document().SetRtf(JapaneseRtf(JapaneseLabelText));
    label.SetCaption("ラベル");
    label.SetBounds(label.Left(), label.Top(), 200, 120);
    // Left and right ports of two-port devices: five segments.
    builder.Wire(device("TResistor"), 1, device("TCapacitor"), 0);
    builder.Wire(device("TVDC"), 1, device("TAmMeter"), 0);
    // A downward base port to a left-facing port: four segments.
    builder.Wire(device("TTrNPN"), 2, device("TInductor"), 0);
    builder.Wire(device("TYConnection"), 2, device("TGnd"), 0);
    builder.Wire(device("TXConnection"), 3, device("TLED"), 1);
    builder.Wire(device("TVoltMeter"), 1, device("TTrPNP"), 2);
    // The middle segment of the first wire as the user moved it down.
    TConnector& moved = canvas.Connector(0);
    for (int i : {2, 3}) {
        moved.SetPointY(i, moved.Point(i).y + 12);
        moved.SetPointFlag(i, true);
    }
    document.SetVariableLines(JapaneseVariables);
}

} // namespace zaro::test
