// Devices created from the class names of their records.

#include "DeviceBench.h"

namespace zaro::test {
namespace {

TEST(DeviceFactory, TheTwentyOneNamesInLookupOrder) {
    const std::vector<std::string> expected{
        "TAmMeter",     "TCapacitor",   "TGnd",         "TOpen",
        "TLevel",       "TInductor",    "TISRC",        "TPotentialMeter",
        "TResistor",    "TVAC",         "TVDC",         "TVoltMeter",
        "TXConnection", "TYConnection", "TLamp",        "TDiode",
        "TTrNPN",       "TTrPNP",       "TLabelDevice", "TLED",
        "TZenarDiode"};
    EXPECT_EQ(DeviceClassNames(), expected);
}

TEST(DeviceFactory, EachNameMakesADeviceOfThatClass) {
    TDeviceBench bench;
    for (const std::string& name : DeviceClassNames()) {
        auto device = CreateDeviceByClassName(name, bench.Evaluator);
        ASSERT_NE(device, nullptr) << name;
        EXPECT_EQ(device->ClassName(), name);
        EXPECT_EQ(&device->Evaluator(), &bench.Evaluator);
        EXPECT_EQ(device->Index(), -1);
    }
}

TEST(DeviceFactory, UnknownNamesMakeNothing) {
    TDeviceBench bench;
    for (const char* name : {"", "tresistor", "TResistor ", "TZaroSimDevice", "T2PortDevice",
                             "TDragPanel4P", "TZenerDiode"}) {
        EXPECT_EQ(CreateDeviceByClassName(name, bench.Evaluator), nullptr) << name;
    }
}

struct TLookCase {
    std::string ClassName;
    int ImageIndex;
    std::vector<std::string> Captions;
    int Width;
    int Height;
    std::string Text; // default value text; "-" for none
};

std::ostream& operator<<(std::ostream& os, const TLookCase& c) {
    return os << c.ClassName;
}

class DeviceLook : public ::testing::TestWithParam<TLookCase> {};

TEST_P(DeviceLook, PictureCaptionsPanelAndDefaultText) {
    const TLookCase& c = GetParam();
    TDeviceBench bench;
    auto device = bench.Make(c.ClassName);
    EXPECT_EQ(device->ImageIndex(), c.ImageIndex);
    ASSERT_EQ(device->PortCount(), static_cast<int>(c.Captions.size()));
    for (int p = 0; p < device->PortCount(); ++p) {
        EXPECT_EQ(device->PortCaption(p), c.Captions[static_cast<std::size_t>(p)]) << p;
    }
    EXPECT_EQ(device->Width(), c.Width);
    EXPECT_EQ(device->Height(), c.Height);
    if (c.Text == "-") {
        EXPECT_EQ(device->ValueEdit(), nullptr);
    } else {
        ASSERT_NE(device->ValueEdit(), nullptr);
        EXPECT_EQ(device->ValueText(), c.Text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    MyClasses, DeviceLook,
    ::testing::Values(TLookCase{"TAmMeter", 0, {"+", "-"}, 96, 48, ""},
                      TLookCase{"TCapacitor", 1, {"a", "b"}, 96, 48, "10u"},
                      TLookCase{"TGnd", 2, {"a"}, 32, 32, "-"},
                      TLookCase{"TInductor", 3, {"a", "b"}, 96, 48, "10u"},
                      TLookCase{"TISRC", 4, {"-", "+"}, 96, 48, "1m"},
                      TLookCase{"TResistor", 5, {"a", "b"}, 96, 48, "1k"},
                      TLookCase{"TVAC", 6, {"-", "+"}, 96, 48, "100m"},
                      TLookCase{"TVDC", 7, {"-", "+"}, 96, 48, "15"},
                      TLookCase{"TVoltMeter", 8, {"", ""}, 96, 48, ""},
                      TLookCase{"TPotentialMeter", 9, {"a"}, 96, 48, ""},
                      TLookCase{"TXConnection", 10, {"a", "b", "c", "d"}, 32, 32, "-"},
                      TLookCase{"TYConnection", 11, {"a", "b", "c"}, 32, 32, "-"},
                      TLookCase{"TLamp", 12, {"a", "b"}, 96, 48, "1.5"},
                      TLookCase{"TOpen", 21, {"a"}, 32, 32, "-"},
                      TLookCase{"TLevel", 22, {"a"}, 96, 48, "15"},
                      TLookCase{"TLabelDevice", -1, {}, 160, 96, "-"}),
    [](const auto& info) { return info.param.ClassName; });

} // namespace
} // namespace zaro::test
