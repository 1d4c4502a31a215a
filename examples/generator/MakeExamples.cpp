// Draws the example circuits with the same calls the editor's commands make
// and saves each as a model file. Run it from the examples folder (or give the
// folder) to refresh the committed files; the values are chosen so that the
// results can be checked by hand.

#include "CircuitDocument.h"
#include "ConsolePlatform.h"
#include "ConsoleProgressView.h"
#include "DevicePlacement.h"
#include "LabelDevice.h"
#include "Meters.h"
#include "ModelFile.h"

#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace zaro;

// One circuit being drawn: devices go where they are put, wires are routed
// between ports, a note explains the circuit.
class TSketch {
public:
    explicit TSketch(TCircuitDocument& document)
        : Doc(document), Builder(PlacingBuilder(document)) {}

    TZaroSimDevice& Add(std::string_view className, int left, int top,
                        const std::string& value = "") {
        return Builder.Place(className, left, top, value);
    }
    void Wire(const TDragPanel& from, int fromPort, const TDragPanel& to, int toPort) {
        Builder.Wire(from, fromPort, to, toPort);
    }
    void Note(const std::string& text, int left, int top, int width, int height) {
        auto& label = static_cast<TLabelDevice&>(Add("TLabelDevice", left, top));
        label.SetBounds(left, top, width, height);
        label.NoteEditor().SetPlainText(text);
    }
    void Variables(std::vector<std::string> lines) { Doc.SetVariableLines(std::move(lines)); }

private:
    TCircuitDocument& Doc;
    TCircuitBuilder Builder;
};

// VIN over RA and RB in series; the ammeter reads the current, the volt meter
// the voltage across RB: 10 V * 4k / 5k = 8 V at 2 mA.
void Divider(TSketch& s) {
    s.Variables({"VIN=10", "RA=1k", "RB=4k"});
    auto& source = s.Add("TVDC", 24, 200, "VIN");
    auto& ammeter = s.Add("TAmMeter", 168, 64);
    auto& ra = s.Add("TResistor", 320, 64, "RA");
    auto& top = s.Add("TYConnection", 480, 72);
    auto& rb = s.Add("TResistor", 560, 160, "RB");
    auto& voltmeter = s.Add("TVoltMeter", 560, 256);
    auto& bottom = s.Add("TXConnection", 720, 216);
    auto& gnd = s.Add("TGnd", 800, 320);
    s.Wire(source, 1, ammeter, 0);
    s.Wire(ammeter, 1, ra, 0);
    s.Wire(ra, 1, top, 0);
    s.Wire(top, 1, rb, 0);
    s.Wire(top, 2, voltmeter, 0);
    s.Wire(rb, 1, bottom, 0);
    s.Wire(voltmeter, 1, bottom, 1);
    s.Wire(bottom, 2, source, 0);
    s.Wire(bottom, 3, gnd, 0);
    s.Note("Voltage divider: linear DC analysis. Expect 2 mA and 8 V.", 24, 360, 320, 64);
}

// First-order low-pass with its corner at 1 kHz: at the default frequency of
// 1000 Hz the output is 1/sqrt(2) of the input, 45 degrees behind.
void RcLowPass(TSketch& s) {
    auto& source = s.Add("TVAC", 24, 200, "1");
    auto& r = s.Add("TResistor", 168, 64, "1k");
    auto& out = s.Add("TYConnection", 320, 72);
    auto& c = s.Add("TCapacitor", 400, 160, "159.155n");
    auto& meter = s.Add("TPotentialMeter", 480, 56);
    auto& bottom = s.Add("TYConnection", 560, 256);
    auto& gnd = s.Add("TGnd", 640, 320);
    s.Wire(source, 1, r, 0);
    s.Wire(r, 1, out, 0);
    s.Wire(out, 1, c, 0);
    s.Wire(out, 2, meter, 0);
    s.Wire(c, 1, bottom, 0);
    s.Wire(bottom, 1, source, 0);
    s.Wire(bottom, 2, gnd, 0);
    s.Note("RC low-pass, corner 1 kHz: linear AC analysis at 1000 Hz.", 24, 360, 320, 64);
}

// A diode in series with a 5 V / 1 W lamp (25 ohms) on 5 V.
void DiodeLamp(TSketch& s) {
    auto& source = s.Add("TVDC", 24, 200, "5");
    auto& ammeter = s.Add("TAmMeter", 168, 64);
    auto& diode = s.Add("TDiode", 320, 64);
    auto& lamp = s.Add("TLamp", 440, 64, "5");
    static_cast<TLamp&>(lamp).PowerEdit()->SetText("1");
    auto& bottom = s.Add("TYConnection", 560, 216);
    auto& gnd = s.Add("TGnd", 640, 320);
    s.Wire(source, 1, ammeter, 0);
    s.Wire(ammeter, 1, diode, 0);
    s.Wire(diode, 1, lamp, 0);
    s.Wire(lamp, 1, bottom, 0);
    s.Wire(bottom, 1, source, 0);
    s.Wire(bottom, 2, gnd, 0);
    s.Note("Diode and lamp: non-linear DC analysis.", 24, 360, 320, 64);
}

// An LED with its series resistor: 5 V - 2 V over 300 ohms gives 10 mA.
void LedResistor(TSketch& s) {
    auto& source = s.Add("TVDC", 24, 200, "5");
    auto& r = s.Add("TResistor", 168, 64, "300");
    auto& led = s.Add("TLED", 320, 64);
    auto& bottom = s.Add("TYConnection", 440, 216);
    auto& gnd = s.Add("TGnd", 520, 320);
    s.Wire(source, 1, r, 0);
    s.Wire(r, 1, led, 0);
    s.Wire(led, 1, bottom, 0);
    s.Wire(bottom, 1, source, 0);
    s.Wire(bottom, 2, gnd, 0);
    s.Note("LED with series resistor: non-linear DC analysis, about 10 mA.", 24, 360, 320, 64);
}

// A 5.1 V Zener diode holds a 1k load near 5.1 V from 10 V through 470 ohms.
void ZenerRegulator(TSketch& s) {
    auto& source = s.Add("TVDC", 24, 200, "10");
    auto& r = s.Add("TResistor", 168, 64, "470");
    auto& out = s.Add("TXConnection", 320, 72);
    auto& zener = s.Add("TZenarDiode", 400, 160, "5.1");
    auto& load = s.Add("TResistor", 560, 160, "1k");
    auto& meter = s.Add("TPotentialMeter", 480, 24);
    auto& bottom = s.Add("TXConnection", 720, 256);
    auto& gnd = s.Add("TGnd", 800, 320);
    s.Wire(source, 1, r, 0);
    s.Wire(r, 1, out, 0);
    s.Wire(out, 1, zener, 0);
    s.Wire(out, 2, load, 0);
    s.Wire(out, 3, meter, 0);
    s.Wire(zener, 1, bottom, 0);
    s.Wire(load, 1, bottom, 1);
    s.Wire(bottom, 2, source, 0);
    s.Wire(bottom, 3, gnd, 0);
    s.Note("Zener regulator: non-linear DC analysis, about 5.1 V at the load.", 24, 360, 320, 64);
}

// Common-emitter stage: base biased from 12 V through 2.2 megohms, 4.7k collector
// load, 10 mV input through 10 uF. Non-linear AC analysis gives the gain.
void NpnCommonEmitter(TSketch& s) {
    auto& supply = s.Add("TVDC", 24, 328, "12");
    auto& vcc = s.Add("TYConnection", 200, 24);
    auto& rc = s.Add("TResistor", 320, 96, "4.7k");
    auto& rb = s.Add("TResistor", 160, 128, "2.2MG");
    auto& collector = s.Add("TYConnection", 456, 176);
    auto& meter = s.Add("TPotentialMeter", 560, 120);
    auto& npn = s.Add("TTrNPN", 440, 264);
    auto& base = s.Add("TYConnection", 320, 272);
    auto& cin = s.Add("TCapacitor", 160, 248, "10u");
    auto& input = s.Add("TVAC", 24, 200, "10m");
    auto& ground = s.Add("TXConnection", 560, 360);
    auto& gnd = s.Add("TGnd", 640, 440);
    s.Wire(supply, 1, vcc, 0);
    s.Wire(vcc, 1, rc, 0);
    s.Wire(vcc, 2, rb, 0);
    s.Wire(rc, 1, collector, 0);
    s.Wire(collector, 1, npn, 0);
    s.Wire(collector, 2, meter, 0);
    s.Wire(rb, 1, base, 0);
    s.Wire(base, 1, npn, 2);
    s.Wire(base, 2, cin, 1);
    s.Wire(input, 1, cin, 0);
    s.Wire(npn, 1, ground, 0);
    s.Wire(supply, 0, ground, 1);
    s.Wire(input, 0, ground, 2);
    s.Wire(ground, 3, gnd, 0);
    s.Note("NPN common-emitter amplifier: non-linear AC analysis at 1000 Hz.", 24, 440, 320, 64);
}

struct TExample {
    const char* FileName;
    std::function<void(TSketch&)> Draw;
};

void Make(const TExample& example, const std::filesystem::path& folder) {
    cli::TConsolePlatform platform(std::cerr);
    cli::TConsoleProgressView progressView;
    TCircuitDocument document(platform, progressView);
    // The canvas as the main window has it at start.
    document.Canvas().SetSize(555, 364);
    document.Canvas().SetHorzScrollRange(2000);
    document.Canvas().SetVertScrollRange(1500);
    TSketch sketch(document);
    example.Draw(sketch);
    SaveModel(document, (folder / example.FileName).string());
}

} // namespace

int main(int argc, char** argv) {
    const std::filesystem::path folder = argc > 1 ? argv[1] : ".";
    const std::vector<TExample> examples{
        {"divider.zsm", Divider},
        {"rc-lowpass-1khz.zsm", RcLowPass},
        {"diode-lamp.zsm", DiodeLamp},
        {"led-resistor.zsm", LedResistor},
        {"zener-regulator.zsm", ZenerRegulator},
        {"npn-common-emitter.zsm", NpnCommonEmitter},
    };
    try {
        for (const TExample& example : examples) {
            Make(example, folder);
            std::cout << (folder / example.FileName).string() << '\n';
        }
    } catch (const std::exception& e) {
        std::cerr << "zarosim-make-examples: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
