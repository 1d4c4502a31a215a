#include "ClipboardCommands.h"

#include "DevicePlacement.h"
#include "DeviceProperty.h"
#include "DeviceRecord.h"

namespace zaro {

namespace {

void ForgetWires(TZaroSimDevice& device) {
    for (int port = 0; port < device.PortCount(); ++port) {
        device.SetPortConnectorNo(port, -1);
    }
}

} // namespace

void AtnEditCopy(TCircuitDocument& document) {
    const std::int32_t selected = document.Canvas().SelectedDragPanelNo();
    if (selected == -1) {
        return;
    }
    document.Platform().SetClipboardData(DeviceClipboardFormat,
                                         DeviceRecordBytes(document.Canvas().DragPanel(selected)));
}

void AtnEditCut(TCircuitDocument& document) {
    if (document.Canvas().SelectedDragPanelNo() == -1) {
        return;
    }
    AtnEditCopy(document);
    AtnEditDelete(document);
}

TZaroSimDevice* AtnEditPaste(TCircuitDocument& document) {
    const std::optional<std::vector<std::uint8_t>> payload =
        document.Platform().ClipboardData(DeviceClipboardFormat);
    if (!payload) {
        return nullptr;
    }
    TMemoryStream stream(*payload);
    std::unique_ptr<TZaroSimDevice> device = ReadDeviceRecord(stream, document.TP1());
    // The record's wire numbers belong to the circuit it was copied from.
    ForgetWires(*device);
    TZaroSimDevice& added = document.AddDevice(std::move(device));
    CenterInCanvas(document.Canvas(), added);
    document.CommitCircuitEdit();
    return &added;
}

void AtnEditDelete(TCircuitDocument& document) {
    TCodingPanel& canvas = document.Canvas();
    if (canvas.SelectedDragPanelNo() != -1) {
        canvas.DeleteDragPanel(canvas.SelectedDragPanelNo());
        document.SetPropertyText(NoDeviceSelected);
        document.CommitCircuitEdit();
    } else if (canvas.SelectedConnectorNo() != -1) {
        canvas.DeleteConnector(canvas.SelectedConnectorNo());
        document.CommitCircuitEdit();
    }
}

} // namespace zaro
