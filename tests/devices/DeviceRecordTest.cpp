// Device records: class name, the device's own items, the TDragPanel4P
// record; wrong tags; the conversion of panels stored in the earlier layout.

#include "DeviceBench.h"
#include "LabelDevice.h"
#include "Meters.h"
#include "PassiveDevices.h"
#include "RecordBytes.h"
#include "ZaroStream.h"

namespace zaro::test {
namespace {

class DeviceRecord : public ::testing::TestWithParam<std::string> {};

// Saved, loaded into a fresh device and saved again: the same bytes, and the
// reader stops exactly at the end of the record.
TEST_P(DeviceRecord, RoundTripIsByteExact) {
    TDeviceBench bench;
    auto original = bench.Make(GetParam());
    original->SetBounds(40, 24, original->Width(), original->Height());
    for (TEditBox* edit : original->EditBoxes()) {
        if (!edit->ReadOnly()) {
            edit->SetText("2*R1+" + edit->Text());
        }
    }
    const std::vector<std::uint8_t> first = Record(*original);
    EXPECT_TRUE(StartsWith(first, Strings({GetParam()})));

    auto copy = bench.Make(GetParam());
    TMemoryStream stream(first);
    copy->LoadFromStream(stream);
    EXPECT_EQ(stream.Position(), stream.Size());
    EXPECT_EQ(Record(*copy), first);
    EXPECT_EQ(copy->Left(), 40);
    EXPECT_EQ(copy->Top(), 24);
    EXPECT_EQ(copy->ValueText(), original->ValueText());
}

TEST_P(DeviceRecord, RecordOfAnotherClassIsRefusedAndRewound) {
    TDeviceBench bench;
    const std::string other = GetParam() == "TResistor" ? "TCapacitor" : "TResistor";
    auto source = bench.Make(other);
    TMemoryStream stream(Record(*source));
    auto device = bench.Make(GetParam());
    const std::vector<std::uint8_t> before = Record(*device);
    ExpectLoadRefused(*device, stream,
                      GetParam() + ".LoadFromStream: This is not " + GetParam() + " object.");
    EXPECT_EQ(Record(*device), before);
}

INSTANTIATE_TEST_SUITE_P(AllClasses, DeviceRecord, ::testing::ValuesIn(DeviceClassNames()),
                         [](const auto& info) { return info.param; });

TEST(DeviceRecordLayout, ValueTextsFollowTheClassName) {
    TDeviceBench bench;
    TLamp lamp(bench.Evaluator);
    const auto bytes = Record(lamp);
    std::vector<std::uint8_t> head = Strings({"TLamp"});
    for (const char* item : {"1.5", "500m", "TDragPanel4P", "TDragPanel_3"}) {
        const auto more = Strings({item});
        head.insert(head.end(), more.begin(), more.end());
    }
    EXPECT_TRUE(StartsWith(bytes, head));

    TVoltMeter meter(bench.Evaluator);
    meter.ValueEdit()->SetText("15 + j0.00"); // a reading is not stored
    std::vector<std::uint8_t> meterHead = Strings({"TVoltMeter"});
    const auto panel = Strings({"TDragPanel4P"});
    meterHead.insert(meterHead.end(), panel.begin(), panel.end());
    EXPECT_TRUE(StartsWith(Record(meter), meterHead));
}

// A record cut short leaves the device as it was and the stream at its start.
TEST(DeviceRecordLayout, DamagedRecordChangesNothing) {
    TDeviceBench bench;
    TResistor source(bench.Evaluator);
    source.ValueEdit()->SetText("47k");
    std::vector<std::uint8_t> bytes = Record(source);
    bytes.resize(bytes.size() - 3);
    TResistor target(bench.Evaluator);
    TMemoryStream stream(bytes);
    EXPECT_THROW(target.LoadFromStream(stream), EZaroError);
    EXPECT_EQ(stream.Position(), 0);
    EXPECT_EQ(target.ValueText(), "1k");
}

struct TOldSizeCase {
    std::string ClassName;
    int LoadedWidth;
    int LoadedHeight;
    TRect Expected; // bounds after loading from (100, 50)
    std::vector<std::pair<int, TRect>> Ports;
};

std::ostream& operator<<(std::ostream& os, const TOldSizeCase& c) {
    return os << c.ClassName << " " << c.LoadedWidth;
}

const std::vector<std::pair<int, TRect>> TwoPorts{{0, {0, 16, 8, 32}}, {1, {88, 16, 96, 32}}};
const std::vector<std::pair<int, TRect>> OnePort{{0, {0, 16, 8, 32}}};
const std::vector<std::pair<int, TRect>> Terminal{{0, {0, 8, 8, 24}}};
const std::vector<std::pair<int, TRect>> YPorts{
    {0, {0, 8, 8, 24}}, {1, {24, 8, 32, 24}}, {2, {8, 24, 24, 32}}};
const std::vector<std::pair<int, TRect>> XPorts{
    {0, {0, 8, 8, 24}}, {1, {24, 8, 32, 24}}, {2, {8, 24, 24, 32}}, {3, {8, 0, 24, 8}}};
const TRect Moved96 = TRect::FromBounds(116, 58, 96, 48);
const TRect Moved32 = TRect::FromBounds(116, 66, 32, 32);

class OldSize : public ::testing::TestWithParam<TOldSizeCase> {};

TEST_P(OldSize, EarlierLayoutIsMovedAndShrunk) {
    const TOldSizeCase& c = GetParam();
    TDeviceBench bench;
    auto old = bench.Make(c.ClassName);
    old->SetBounds(100, 50, c.LoadedWidth, c.LoadedHeight);
    for (int p = 0; p < old->PortCount(); ++p) {
        old->SetPortRect(p, {1, 2, 3, 4});
    }
    TMemoryStream stream(Record(*old));
    auto device = bench.Make(c.ClassName);
    device->LoadFromStream(stream);
    EXPECT_EQ(device->BoundsRect(), c.Expected);
    for (const auto& [port, rect] : c.Ports) {
        EXPECT_EQ(device->PortRect(port), rect) << "port " << port;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Classes, OldSize,
    ::testing::Values(
        TOldSizeCase{"TResistor", 128, 64, Moved96, TwoPorts},
        TOldSizeCase{"TCapacitor", 128, 64, Moved96, TwoPorts},
        TOldSizeCase{"TInductor", 128, 64, Moved96, TwoPorts},
        TOldSizeCase{"TVoltMeter", 128, 64, Moved96, TwoPorts},
        TOldSizeCase{"TAmMeter", 128, 64, Moved96, TwoPorts},
        TOldSizeCase{"TVDC", 128, 64, Moved96, TwoPorts},
        TOldSizeCase{"TVAC", 128, 64, Moved96, TwoPorts},
        TOldSizeCase{"TISRC", 128, 64, Moved96, TwoPorts},
        TOldSizeCase{"TLamp", 128, 64, Moved96, TwoPorts},
        TOldSizeCase{"TPotentialMeter", 128, 64, Moved96, OnePort},
        TOldSizeCase{"TLevel", 128, 64, Moved96, OnePort},
        TOldSizeCase{"TGnd", 64, 64, Moved32, Terminal},
        TOldSizeCase{"TOpen", 64, 64, Moved32, Terminal},
        TOldSizeCase{"TYConnection", 64, 64, Moved32, YPorts},
        TOldSizeCase{"TXConnection", 64, 64, Moved32, XPorts},
        // Other widths, and classes without a conversion, stay as loaded.
        TOldSizeCase{"TResistor", 96, 48, TRect::FromBounds(100, 50, 96, 48), {{0, {1, 2, 3, 4}}}},
        TOldSizeCase{"TGnd", 128, 64, TRect::FromBounds(100, 50, 128, 64), {{0, {1, 2, 3, 4}}}},
        TOldSizeCase{"TLabelDevice", 128, 64, TRect::FromBounds(100, 50, 128, 64), {}}),
    [](const auto& info) { return info.param.ClassName + std::to_string(info.param.LoadedWidth); });

// --- The label ------------------------------------------------------------------

TEST(LabelRecord, RichTextBlockCarriesTheFormattedDocument) {
    TDeviceBench bench;
    TLabelDevice label(bench.Evaluator);
    const std::string rtf = "{\\rtf1\\ansi{\\b bold} \\i italic\\i0\\par}";
    label.NoteEditor().Document().SetRtf(std::vector<std::uint8_t>(rtf.begin(), rtf.end()));
    const auto bytes = Record(label);

    TMemoryStream expectedHead;
    WriteStringToStr(expectedHead, "TLabelDevice");
    WriteIntegerToStr(expectedHead, static_cast<std::int32_t>(rtf.size()));
    expectedHead.Write(rtf.data(), rtf.size());
    WriteStringToStr(expectedHead, "TDragPanel4P");
    EXPECT_TRUE(StartsWith(bytes, expectedHead.Bytes()));

    TLabelDevice copy(bench.Evaluator);
    TMemoryStream stream(bytes);
    copy.LoadFromStream(stream);
    EXPECT_EQ(copy.NoteEditor().Document().Rtf(), label.NoteEditor().Document().Rtf());
}

TEST(LabelRecord, CommittedFormattedTextIsKeptAsRtf) {
    TDeviceBench bench;
    TLabelDevice label(bench.Evaluator);
    TRichTextFormat bold = TNoteEditor::DefaultFormat();
    bold.Bold = true;
    const TRichText text = TRichText::FromPlainText("電源回路\nVCC = 12 V", bold);
    EXPECT_TRUE(label.CommitNoteContent(text));
    EXPECT_EQ(label.NoteEditor().Content(), text);
}

TEST(LabelRecord, EmptyBlockGivesAnEmptyDocument) {
    TDeviceBench bench;
    TLabelDevice label(bench.Evaluator);
    label.NoteEditor().Document().Clear();
    TLabelDevice copy(bench.Evaluator);
    TMemoryStream stream(Record(label));
    copy.LoadFromStream(stream);
    EXPECT_TRUE(copy.NoteEditor().Document().IsEmpty());
}

TEST(LabelGeometry, FreshLabel) {
    TDeviceBench bench;
    TLabelDevice label(bench.Evaluator);
    EXPECT_EQ(label.PortCount(), 0);
    EXPECT_EQ(label.Width(), 160);
    EXPECT_EQ(label.Height(), 96);
    EXPECT_EQ(label.ResizeStyle(), TDragPanelResizeStyle::dprsLine);
    EXPECT_EQ(label.ImageIndex(), -1);
    EXPECT_EQ(label.NoteEditor().BoundsRect(), TRect::FromBounds(16, 40, 96, 16));
    EXPECT_EQ(label.NoteEditor().FontHeight, 11);
    const auto& rtf = label.NoteEditor().Document().Rtf();
    EXPECT_NE(std::string(rtf.begin(), rtf.end()).find("Description:"), std::string::npos);
    EXPECT_EQ(label.NoteEditor().Content(),
              TRichText::FromPlainText("Description:", TNoteEditor::DefaultFormat()));
}

TEST(LabelGeometry, ResizeKeepsAMinimumAndFillsTheEditor) {
    TDeviceBench bench;
    TLabelDevice label(bench.Evaluator);
    label.SetBounds(8, 8, 20, 200);
    EXPECT_EQ(label.Width(), 32);
    EXPECT_EQ(label.Height(), 200);
    EXPECT_EQ(label.NoteEditor().BoundsRect(), TRect::FromBounds(4, 4, 23, 191));
    label.SetBounds(8, 8, 300, 10);
    EXPECT_EQ(label.Height(), 32);
    EXPECT_EQ(label.NoteEditor().BoundsRect(), TRect::FromBounds(4, 4, 291, 23));
}

} // namespace
} // namespace zaro::test
