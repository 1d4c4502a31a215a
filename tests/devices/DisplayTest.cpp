// Results shown on the schematic: meter reading texts and lamp brightness.

#include "CaseNames.h"
#include "DeviceBench.h"
#include "Meters.h"

namespace zaro::test {
namespace {

TPortComplexArray Ports(std::vector<TComplex> values) {
    TPortComplexArray a;
    for (int i = 0; i < static_cast<int>(values.size()); ++i) {
        a[i] = values[static_cast<std::size_t>(i)];
    }
    return a;
}

struct TReadingCase {
    TComplex Reading;
    std::string Text;
};

class MeterReading : public ::testing::TestWithParam<TReadingCase> {};

TEST_P(MeterReading, BothPartsWithTheirPrefixes) {
    EXPECT_EQ(MeterReadingText(GetParam().Reading), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(Readings, MeterReading,
                         ::testing::Values(TReadingCase{{15, 0}, "15 + j0.00"},
                                           TReadingCase{{0.015, 0}, "15M + j0.00"},
                                           TReadingCase{{0, -0.5}, "0.00 + j-0.5"},
                                           TReadingCase{{15E6, 0}, "15MG + j0.00"},
                                           TReadingCase{{-4700, 0.0047}, "-4.7K + j4.7M"}),
                         test::NamedAfter(&TReadingCase::Text));

TEST(MeterDisplay, VoltMeterShowsPort0MinusPort1) {
    TDeviceBench bench;
    TVoltMeter meter(bench.Evaluator);
    EXPECT_TRUE(meter.ValueEdit()->ReadOnly());
    EXPECT_EQ(meter.ValueEdit()->Text(), "");
    EXPECT_EQ(meter.ValueEdit()->Color(), meter.Color());
    meter.ShowDeviceResult(Ports({{15, 0}, {0, 0}}), Ports({}));
    EXPECT_EQ(meter.ValueEdit()->Text(), "15 + j0.00");
    meter.ShowDeviceResult(Ports({{0, 0}, {15, 0}}), Ports({}));
    EXPECT_EQ(meter.ValueEdit()->Text(), "-15 + j0.00");
}

TEST(MeterDisplay, AmMeterShowsTheCurrentIntoItsPlusPortWhicheverWayTheWireRuns) {
    for (int sign : {1, -1}) {
        TDeviceBench bench;
        auto& meter = bench.Place(bench.Make("TAmMeter"), {sign, -sign});
        // The wire current is stored from its start end: into the meter when
        // the wire ends at it, out of it when the wire starts there; in AC
        // both parts turn with the direction.
        meter.ShowDeviceResult(Ports({}), Ports({{sign * 0.015, sign * -0.002}, {0, 0}}));
        EXPECT_EQ(meter.ValueEdit()->Text(), "15M + j-2M") << sign;
    }
}

TEST(MeterDisplay, PotentialMeterShowsItsWire) {
    TDeviceBench bench;
    TPotentialMeter meter(bench.Evaluator);
    meter.ShowDeviceResult(Ports({{0, -0.5}}), Ports({}));
    EXPECT_EQ(meter.ValueEdit()->Text(), "0.00 + j-0.5");
}

TEST(MeterDisplay, MarkingModifiedLeavesReadingsInPlace) {
    TDeviceBench bench;
    TVoltMeter meter(bench.Evaluator);
    meter.ShowDeviceResult(Ports({{15, 0}, {0, 0}}), Ports({}));
    meter.ClearDeviceResult();
    EXPECT_EQ(meter.ValueEdit()->Text(), "15 + j0.00");
}

struct TLampCase {
    TComplex Across; // potential of port 0, port 1 at 0
    int Image;
};

class LampBrightness : public ::testing::TestWithParam<TLampCase> {};

// Rated 1.5 V / 500 mW: 4.5 ohms, thresholds at 0.2 0.4 0.6 0.8 1.2 100 of 0.5 W.
TEST_P(LampBrightness, ImageFollowsThePowerRatio) {
    TDeviceBench bench;
    TLamp lamp(bench.Evaluator);
    EXPECT_EQ(lamp.ImageIndex(), 12);
    lamp.ShowDeviceResult(Ports({GetParam().Across, {0, 0}}), Ports({}));
    EXPECT_EQ(lamp.ImageIndex(), GetParam().Image);
}

INSTANTIATE_TEST_SUITE_P(Voltages, LampBrightness,
                         ::testing::Values(TLampCase{{1.5, 0}, 16}, TLampCase{{0.5, 0}, 12},
                                           TLampCase{{10, 0}, 17}, TLampCase{{0, -1.5}, 16},
                                           TLampCase{{-1.5, 0}, 16}, TLampCase{{1.1, 0}, 14},
                                           TLampCase{{1.3, 0}, 15}),
                         test::NamedBy<TLampCase>([](const TLampCase& c) {
                             return std::to_string(c.Across.re) + " j" +
                                    std::to_string(c.Across.im);
                         }));

// A ratio equal to a threshold falls into the next level.
TEST(LampDisplay, LevelsChangeStrictlyAboveEachThreshold) {
    EXPECT_EQ(TLamp::BrightnessLevel(0.0), 0);
    EXPECT_EQ(TLamp::BrightnessLevel(0.2), 1);
    EXPECT_EQ(TLamp::BrightnessLevel(0.8), 4);
    EXPECT_EQ(TLamp::BrightnessLevel(1.2), 5);
    EXPECT_EQ(TLamp::BrightnessLevel(1E6), 5);
}

TEST(LampDisplay, EvaluatesItsTextsAgainWhenShowing) {
    TDeviceBench bench;
    TLamp lamp(bench.Evaluator);
    lamp.UpdateDeviceValue();
    lamp.ValueEdit()->SetText("15"); // now rated 15 V: 1.5 V is 1/100 of the power
    lamp.ShowDeviceResult(Ports({{1.5, 0}, {0, 0}}), Ports({}));
    EXPECT_EQ(lamp.ImageIndex(), 12);
    lamp.ValueEdit()->SetText("");
    EXPECT_THROW(lamp.ShowDeviceResult(Ports({{1.5, 0}, {0, 0}}), Ports({})), EZaroError);
}

TEST(LampDisplay, MarkingModifiedDarkensAndRepaints) {
    TDeviceBench bench;
    auto& lamp = bench.Place(bench.Make("TLamp"), {1, 1});
    lamp.ShowDeviceResult(Ports({{10, 0}, {0, 0}}), Ports({}));
    EXPECT_EQ(lamp.ImageIndex(), 17);
    const int repaints = bench.Platform.Count("RepaintPanel");
    lamp.ClearDeviceResult();
    EXPECT_EQ(lamp.ImageIndex(), 12);
    EXPECT_GT(bench.Platform.Count("RepaintPanel"), repaints);
}

} // namespace
} // namespace zaro::test
