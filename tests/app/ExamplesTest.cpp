// The example circuits in examples/: each loads, saves again to the same
// bytes, and its analysis agrees with the figures worked out here from the
// device models.

#include "DocumentFixture.h"
#include "Meters.h"
#include "ZaroMathTestEnvironment.h"

#include <cmath>
#include <complex>
#include <numbers>

namespace zaro::test {
namespace {

using TC = std::complex<double>;

// The voltage sources' and the ammeter's 0.1 milliohm term multiplies the
// wire current as stored, so it acts as +0.1 or -0.1 milliohm depending on
// which way the wire at port 0 was drawn.
constexpr double SeriesR = 1E-4;
constexpr double Rp = 1E6; // leakage of every junction
constexpr double K10 = 23.02585092994;
// The capacitor's AC impedance has a 0.1 milliohm real part.
constexpr double CapacitorR = 1E-4;
constexpr double Omega = 2 * std::numbers::pi * 1000; // the frequency field's 1000 Hz

std::filesystem::path ExamplesFolder() {
    return std::filesystem::path(ZARO_SOURCE_DIR) / "examples";
}

// The root of an increasing f in [lo, hi], to double precision.
template <typename F> double Root(F f, double lo, double hi) {
    for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2;
        (f(mid) < 0 ? lo : hi) = mid;
    }
    return (lo + hi) / 2;
}

double Junction(double is, double k, double v) {
    return is * (std::exp(k * v) - 1) + v / Rp;
}

class ExamplesTest : public TDocumentFixture {
protected:
    void Open(const std::string& name) {
        const std::string path = (ExamplesFolder() / name).string();
        LoadModel(Doc, path);
        // Written by the program, so it saves to the same bytes.
        SaveModel(Doc, Folder / name);
        EXPECT_EQ(ReadFileBytes(Folder / name), ReadFileBytes(path));
        Platform.Messages.clear();
    }
    void ExpectAnalysed() {
        EXPECT_TRUE(Doc.Analysis().ResultsValid());
        EXPECT_EQ(Platform.Messages, std::vector<std::string>{});
    }
    // The n-th device of the class, in canvas order.
    TZaroSimDevice& Device(const std::string& className, int n = 0) {
        for (int i = 0; i < Doc.Canvas().DragPanelCount(); ++i) {
            auto& device = static_cast<TZaroSimDevice&>(Doc.Canvas().DragPanel(i));
            if (device.ClassName() == className && n-- == 0) {
                return device;
            }
        }
        throw std::runtime_error("no " + className);
    }
    TC V(const TZaroSimDevice& device, int port) const {
        const TComplex v = WireVoltageAt(Doc.Analysis(), device.PortConnectorNo(port));
        return {v.re, v.im};
    }
    TC IInto(const TZaroSimDevice& device, int port) const {
        const TComplex i = WireCurrentAt(Doc.Analysis(), device.PortConnectorNo(port));
        return TC(i.re, i.im) * double(device.PortCurrentSign(port));
    }
    // Series resistance a source shows in the analysis where it carries its
    // voltage (VDC in DC, VAC in AC), and where it is a short (VAC in DC, VDC
    // in AC, the ammeter).
    static double SourceR(const TZaroSimDevice& d) { return -SeriesR * d.PortCurrentSign(0); }
    static double ShortR(const TZaroSimDevice& d) { return SeriesR * d.PortCurrentSign(0); }
    static void ExpectNear(TC actual, TC expected, double relative) {
        EXPECT_LE(std::abs(actual - expected), relative * std::abs(expected))
            << actual << " vs " << expected;
    }
};

TEST_F(ExamplesTest, DividerReadsTwoMilliampsAndEightVolts) {
    Open("divider.zsm");
    Doc.AtnSimulateDC();
    ExpectAnalysed();
    const double i = 10 / (1000 + 4000 + SourceR(Device("TVDC")) + ShortR(Device("TAmMeter")));
    ExpectNear(IInto(Device("TAmMeter"), 0), i, 1E-9);
    const TZaroSimDevice& meter = Device("TVoltMeter");
    ExpectNear(V(meter, 0) - V(meter, 1), 4000 * i, 1E-9);
    EXPECT_EQ(Device("TVoltMeter").ValueText(), MeterReadingText({8.0, 0.0}));
    EXPECT_EQ(Device("TAmMeter").ValueText(), MeterReadingText({0.002, 0.0}));
}

TEST_F(ExamplesTest, RcLowPassIsThreeDecibelsDownAtOneKilohertz) {
    Open("rc-lowpass-1khz.zsm");
    Doc.AtnSimulateAC();
    ExpectAnalysed();
    const TC zc(CapacitorR, -1 / (Omega * 159.155E-9));
    const TC expected = zc / (1000 + SourceR(Device("TVAC")) + zc);
    const TC out = V(Device("TPotentialMeter"), 0);
    ExpectNear(out, expected, 1E-9);
    EXPECT_NEAR(std::abs(out), 1 / std::sqrt(2.0), 1E-5);
    EXPECT_NEAR(std::arg(out), -std::numbers::pi / 4, 1E-5);
}

TEST_F(ExamplesTest, DiodeLampCarriesTheCurrentOfItsOperatingPoint) {
    Open("diode-lamp.zsm");
    Doc.AtnSimulateDCNonLinear();
    ExpectAnalysed();
    // 5 V = Vd + I (25 + series), I = diode current at Vd.
    const double rLamp = 5.0 * 5.0 / 1.0;
    const double rSeries = rLamp + SourceR(Device("TVDC")) + ShortR(Device("TAmMeter"));
    const double vd =
        Root([&](double v) { return Junction(1E-9, K10, v) * rSeries + v - 5; }, 0, 2);
    const double i = Junction(1E-9, K10, vd);
    const TZaroSimDevice& diode = Device("TDiode");
    ExpectNear(V(diode, 0) - V(diode, 1), vd, 1E-6);
    ExpectNear(IInto(diode, 0), i, 1E-6);
    ExpectNear(IInto(Device("TAmMeter"), 0), i, 1E-6);
    // Power ratio i^2 R / 1 W is about 0.70: brightness level 3 of 0..5.
    const double ratio = i * i * rLamp;
    ASSERT_GT(ratio, 0.6);
    ASSERT_LT(ratio, 0.8);
    EXPECT_EQ(Device("TLamp").ImageIndex(), TLamp::DarkImageIndex + 3);
}

TEST_F(ExamplesTest, LedTakesTenMilliampsThroughItsResistor) {
    Open("led-resistor.zsm");
    Doc.AtnSimulateDCNonLinear();
    ExpectAnalysed();
    const double is = 2.15443469003247E-9;
    const double k = 7.67528364331333;
    const double rSource = SourceR(Device("TVDC"));
    const double vf =
        Root([&](double v) { return Junction(is, k, v) * (300 + rSource) + v - 5; }, 0, 5);
    const TZaroSimDevice& led = Device("TLED");
    ExpectNear(V(led, 0) - V(led, 1), vf, 1E-6);
    ExpectNear(IInto(led, 0), Junction(is, k, vf), 1E-6);
    EXPECT_NEAR(vf, 2.0, 0.01);
    EXPECT_NEAR(Junction(is, k, vf), 0.01, 1E-4);
    EXPECT_EQ(led.ImageIndex(), 26); // between 3 mA and 30 mA
}

TEST_F(ExamplesTest, ZenerRegulatorHoldsTheLoadNearFivePointOneVolts) {
    Open("zener-regulator.zsm");
    Doc.AtnSimulateDCNonLinear();
    ExpectAnalysed();
    const double isz = 0.01 / (std::exp(K10 * 5.1) - 1);
    const double rSource = SourceR(Device("TVDC"));
    // (12 - v) / (470 + series) = zener current + v / 1k.
    const double v = Root(
        [&](double u) { return Junction(isz, K10, u) + u / 1000 - (10 - u) / (470 + rSource); }, 0,
        12);
    ExpectNear(V(Device("TPotentialMeter"), 0), v, 1E-6);
    ExpectNear(IInto(Device("TZenarDiode"), 0), Junction(isz, K10, v), 1E-5);
    EXPECT_NEAR(v, 5.1, 0.05); // 5.3 mA through the Zener: 30 mV below Vz
}

TEST_F(ExamplesTest, CommonEmitterStageHasTheGainOfItsOperatingPoint) {
    Open("npn-common-emitter.zsm");
    const double is = 1E-9;
    const double beta = 300;
    // Operating point: base current through 2.2 megohms from 12 V, collector
    // current Beta times it (the collector voltage is far from saturation).
    // The search stops within its residual tolerance, about 1E-4 of Vbe.
    const double vbe =
        Root([&](double v) { return Junction(is, K10, v) - (12 - v) / 2.2E6; }, 0, 1);
    const double ib = Junction(is, K10, vbe);
    const double vc = 12 - 4700 * beta * ib;

    Doc.AtnSimulateDCNonLinear();
    ExpectAnalysed();
    const TZaroSimDevice& npn = Device("TTrNPN");
    ExpectNear(V(npn, 2) - V(npn, 1), vbe, 1E-4);
    ExpectNear(IInto(npn, 2), ib, 1E-4);
    ExpectNear(V(Device("TPotentialMeter"), 0), vc, 1E-4);
    EXPECT_GT(vc, 3.0); // active region

    Doc.AtnSimulateACNonLinear();
    ExpectAnalysed();
    // Small signal: 10 mV through 10 uF into 2.2M parallel to the junction's
    // slope resistance; the collector drives Beta ib into 4.7k.
    const double r = 1 / (is * K10 * std::exp(K10 * vbe));
    const TC zc(CapacitorR, -1 / (Omega * 10E-6));
    const TC zp = 2.2E6 * r / (2.2E6 + r);
    const TC vb = 0.01 * zp / (zp + zc + SourceR(Device("TVAC")));
    const TC vout = -beta * (vb / r) * 4700.0;
    // The slope resistance follows exp(K Vbe): 1E-4 of Vbe is 2E-3 of the gain.
    ExpectNear(V(Device("TPotentialMeter"), 0), vout, 2E-3);
    EXPECT_GT(std::abs(vout) / 0.01, 100); // a gain of about 170
}

} // namespace
} // namespace zaro::test
