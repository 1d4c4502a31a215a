// Device records found by fuzzing the clipboard payload.

#include "DeviceBench.h"
#include "RecordBytes.h"
#include "ZaroStream.h"

namespace zaro::test {
namespace {

struct TFewerPortsCase {
    std::string ClassName;
    int LoadedWidth; // a width of the earlier layout, which is converted on loading
};

std::ostream& operator<<(std::ostream& os, const TFewerPortsCase& c) {
    return os << c.ClassName << " " << c.LoadedWidth;
}

class FewerPortsThanTheClass : public ::testing::TestWithParam<TFewerPortsCase> {};

// A record of the earlier size whose panel has fewer ports than the class once
// raised a range error: the size conversion set the rectangles of ports that
// the record had not given the device. It now loads as stored, unconverted,
// and the model and paste readers refuse it for its port count.
TEST_P(FewerPortsThanTheClass, LoadsWithoutTouchingMissingPorts) {
    const TFewerPortsCase& c = GetParam();
    TDeviceBench bench;
    auto old = bench.Make(c.ClassName);
    old->SetBounds(100, 50, c.LoadedWidth, 64);
    const int classPorts = old->PortCount();
    for (int ports = 0; ports < classPorts; ++ports) {
        SCOPED_TRACE(std::to_string(ports) + " ports");
        old->SetPortCount(ports);
        TMemoryStream stream(Record(*old));
        auto device = bench.Make(c.ClassName);
        EXPECT_NO_THROW(device->LoadFromStream(stream));
        EXPECT_EQ(device->PortCount(), ports);
        EXPECT_EQ(device->BoundsRect(), TRect::FromBounds(100, 50, c.LoadedWidth, 64));
        EXPECT_EQ(stream.Position(), stream.Size());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Classes, FewerPortsThanTheClass,
    ::testing::Values(TFewerPortsCase{"TOpen", 64}, TFewerPortsCase{"TGnd", 64},
                      TFewerPortsCase{"TYConnection", 64}, TFewerPortsCase{"TXConnection", 64},
                      TFewerPortsCase{"TResistor", 128}, TFewerPortsCase{"TPotentialMeter", 128},
                      TFewerPortsCase{"TDiode", 64}, TFewerPortsCase{"TTrNPN", 128}),
    [](const auto& info) { return info.param.ClassName; });

} // namespace
} // namespace zaro::test
