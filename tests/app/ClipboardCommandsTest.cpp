// Copy, cut, paste and delete of devices and wires on the schematic.

#include "ClipboardCommands.h"
#include "DeviceProperty.h"
#include "DeviceRecord.h"
#include "DocumentFixture.h"
#include "ZaroStream.h"

#include <functional>

namespace zaro::test {
namespace {

class ClipboardCommandsTest : public TDocumentFixture {
protected:
    void SetUp() override {
        BuildSmallCircuit();
        Doc.SetModified(false);
        Doc.Analysis().SetResultsValid(true);
    }
    TBytes& Payload() { return Platform.Clipboard[DeviceClipboardFormat]; }
    bool HasPayload() const { return Platform.Clipboard.count(DeviceClipboardFormat) != 0; }
    void Select(int panel) { Doc.Canvas().SetSelectedDragPanelNo(panel); }
};

TEST_F(ClipboardCommandsTest, CopyWithoutASelectedPanelLeavesTheClipboard) {
    Platform.Clipboard[DeviceClipboardFormat] = {1, 2, 3};
    AtnEditCopy(Doc);
    EXPECT_EQ(Payload(), (TBytes{1, 2, 3}));
}

TEST_F(ClipboardCommandsTest, ThePayloadIsExactlyTheDevicesRecordInTheModelFile) {
    Select(0);
    AtnEditCopy(Doc);
    // In the model file the first record follows the header and the panel count.
    const TBytes model = ModelBytes(Doc);
    const std::size_t start = 4 + 24 + 4;
    ASSERT_GT(model.size(), start + Payload().size());
    EXPECT_EQ(Payload(),
              TBytes(model.begin() + start, model.begin() + long(start + Payload().size())));
    TMemoryStream stream(Payload());
    EXPECT_EQ(ReadStringFromStr(stream), "TVDC");
    // The next record starts right behind it.
    TMemoryStream next(TBytes(model.begin() + long(start + Payload().size()), model.end()));
    EXPECT_EQ(ReadStringFromStr(next), "TResistor");
    EXPECT_FALSE(Doc.Modified());
}

TEST_F(ClipboardCommandsTest, PastingTwiceAddsTwoCentredUnwiredDevicesAfterTheOthers) {
    Select(1); // the wired 2.2k resistor
    AtnEditCopy(Doc);
    Doc.Canvas().SetHorzScrollPosition(300);

    TZaroSimDevice* first = AtnEditPaste(Doc);
    TZaroSimDevice* second = AtnEditPaste(Doc);

    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(Doc.Canvas().DragPanelCount(), 6);
    EXPECT_EQ(first->Index(), 4);
    EXPECT_EQ(second->Index(), 5);
    for (TZaroSimDevice* pasted : {first, second}) {
        EXPECT_EQ(pasted->ClassName(), "TResistor");
        EXPECT_EQ(pasted->ValueText(), "2.2k");
        EXPECT_EQ(pasted->Left(), (555 - pasted->Width()) / 2);
        EXPECT_EQ(pasted->Top(), (364 - pasted->Height()) / 2);
        for (int port = 0; port < pasted->PortCount(); ++port) {
            EXPECT_EQ(pasted->PortConnectorNo(port), -1);
        }
    }
    EXPECT_EQ(Doc.Canvas().ConnectorCount(), 4);
    EXPECT_EQ(Doc.Canvas().DragPanel(1).PortConnectorNo(0), 0);
    EXPECT_TRUE(Doc.Modified());
    EXPECT_FALSE(Doc.Analysis().ResultsValid());
    EXPECT_EQ(Platform.Status[0], "変更");
    // Clicking a pasted device shows its properties.
    Doc.SetPropertyText("");
    Select(5);
    second->Click();
    EXPECT_NE(Doc.PropertyText(), "");
}

TEST_F(ClipboardCommandsTest, CuttingAWiredDeviceTakesItsWiresAlong) {
    Select(1); // resistor: wires 0 and 1
    Doc.SetPropertyText("old");
    const TBytes record = DeviceRecordBytes(Doc.Canvas().DragPanel(1));
    AtnEditCut(Doc);

    EXPECT_EQ(Payload(), record);
    EXPECT_EQ(Doc.Canvas().DragPanelCount(), 3);
    EXPECT_EQ(Doc.Canvas().DragPanel(1).ClassName(), "TYConnection");
    ASSERT_EQ(Doc.Canvas().ConnectorCount(), 2);
    // The remaining wires, renumbered: junction.1 - source.0 and junction.2 - ground.0.
    EXPECT_EQ(Doc.Canvas().Connector(0).StartPanelNo(), 1);
    EXPECT_EQ(Doc.Canvas().Connector(0).EndPanelNo(), 0);
    EXPECT_EQ(Doc.Canvas().DragPanel(0).PortConnectorNo(0), 0);
    EXPECT_EQ(Doc.Canvas().DragPanel(0).PortConnectorNo(1), -1);
    EXPECT_EQ(Doc.Canvas().DragPanel(2).PortConnectorNo(0), 1);
    EXPECT_TRUE(Doc.Modified());
    EXPECT_FALSE(Doc.Analysis().ResultsValid());
    EXPECT_EQ(Doc.PropertyText(), NoDeviceSelected);
    EXPECT_EQ(Doc.Canvas().SelectedDragPanelNo(), -1);
}

TEST_F(ClipboardCommandsTest, CutWithoutASelectedPanelDoesNothing) {
    Doc.Canvas().SetSelectedConnectorNo(2);
    AtnEditCut(Doc);
    EXPECT_FALSE(HasPayload());
    EXPECT_EQ(Doc.Canvas().ConnectorCount(), 4);
    EXPECT_FALSE(Doc.Modified());
}

TEST_F(ClipboardCommandsTest, PasteWithoutADeviceOnTheClipboardDoesNothing) {
    EXPECT_EQ(AtnEditPaste(Doc), nullptr);
    EXPECT_EQ(Doc.Canvas().DragPanelCount(), 4);
    EXPECT_FALSE(Doc.Modified());
}

TEST_F(ClipboardCommandsTest, LedsAndZenerDiodesPasteAsThemselves) {
    for (const char* name : {"TLED", "TZenarDiode", "TLabelDevice", "TLamp"}) {
        Select(Place(name).Index());
        AtnEditCopy(Doc);
        EXPECT_EQ(AtnEditPaste(Doc)->ClassName(), name);
    }
}

struct TBadPayload {
    const char* Name;
    std::function<TBytes(const TBytes& record)> Make;
    const char* Message; // empty: the record's own error
};

void PrintTo(const TBadPayload& p, std::ostream* os) {
    *os << p.Name;
}

class BadPayloadTest : public ClipboardCommandsTest,
                       public ::testing::WithParamInterface<TBadPayload> {};

TEST_P(BadPayloadTest, RaisesAndAddsNothing) {
    const TBytes record = DeviceRecordBytes(Doc.Canvas().DragPanel(1));
    Platform.Clipboard[DeviceClipboardFormat] = GetParam().Make(record);
    const TBytes before = ModelBytes(Doc);
    const std::string message = ErrorOf([&] { AtnEditPaste(Doc); });
    if (*GetParam().Message != '\0') {
        EXPECT_EQ(message, GetParam().Message);
    } else {
        EXPECT_NE(message, "");
    }
    EXPECT_EQ(ModelBytes(Doc), before);
    EXPECT_FALSE(Doc.Modified());
    EXPECT_TRUE(Doc.Analysis().ResultsValid());
}

TBytes WithClassName(const TBytes& record, const std::string& name) {
    TBytes changed = record;
    std::copy(name.begin(), name.end(), changed.begin() + 4);
    return changed;
}

TBytes WithPortCount(const TBytes& record, int count) {
    TFakePlatform platform;
    TFakeProgressView view;
    TCircuitDocument scratch(platform, view);
    TMemoryStream stream(record);
    TZaroSimDevice& device = scratch.AddDevice(ReadDeviceRecord(stream, scratch.TP1()));
    device.SetPortCount(count);
    return DeviceRecordBytes(device);
}

INSTANTIATE_TEST_SUITE_P(
    Payloads, BadPayloadTest,
    ::testing::Values(
        TBadPayload{"UnknownClass", [](const TBytes& r) { return WithClassName(r, "TResistot"); },
                    BrokenFileMessage},
        TBadPayload{"Empty", [](const TBytes&) { return TBytes{}; }, ""},
        TBadPayload{
            "Truncated",
            [](const TBytes& r) { return TBytes(r.begin(), r.begin() + long(r.size() / 2)); }, ""},
        TBadPayload{"LastByteMissing",
                    [](const TBytes& r) { return TBytes(r.begin(), r.end() - 1); }, ""},
        TBadPayload{"ThreePortResistor", [](const TBytes& r) { return WithPortCount(r, 3); },
                    BrokenFileMessage}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ClipboardCommandsTest, DeleteRemovesTheSelectedPanelWithItsWires) {
    Select(3); // the ground
    AtnEditDelete(Doc);
    EXPECT_EQ(Doc.Canvas().DragPanelCount(), 3);
    EXPECT_EQ(Doc.Canvas().ConnectorCount(), 3);
    EXPECT_EQ(Doc.Canvas().DragPanel(2).PortConnectorNo(2), -1);
    EXPECT_TRUE(Doc.Modified());
    EXPECT_EQ(Doc.PropertyText(), NoDeviceSelected);
}

TEST_F(ClipboardCommandsTest, DeleteRemovesTheSelectedWireAndKeepsThePanels) {
    Doc.SetPropertyText("shown");
    Doc.Canvas().SetSelectedConnectorNo(1);
    AtnEditDelete(Doc);
    EXPECT_EQ(Doc.Canvas().DragPanelCount(), 4);
    EXPECT_EQ(Doc.Canvas().ConnectorCount(), 3);
    EXPECT_EQ(Doc.Canvas().DragPanel(1).PortConnectorNo(1), -1);
    EXPECT_EQ(Doc.Canvas().DragPanel(2).PortConnectorNo(1), 1); // was wire 2
    EXPECT_TRUE(Doc.Modified());
    EXPECT_FALSE(Doc.Analysis().ResultsValid());
    EXPECT_EQ(Doc.PropertyText(), "shown");
}

TEST_F(ClipboardCommandsTest, DeleteWithNothingSelectedDoesNothing) {
    AtnEditDelete(Doc);
    EXPECT_EQ(Doc.Canvas().DragPanelCount(), 4);
    EXPECT_FALSE(Doc.Modified());
    EXPECT_TRUE(Doc.Analysis().ResultsValid());
}

} // namespace
} // namespace zaro::test
