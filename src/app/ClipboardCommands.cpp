#include "ClipboardCommands.h"

#include "DevicePlacement.h"
#include "DeviceProperty.h"
#include "DeviceRecord.h"
#include "EditStepNames.h"

namespace zaro {

namespace {

void ForgetWires(TZaroSimDevice& device) {
    for (int port = 0; port < device.PortCount(); ++port) {
        device.SetPortConnectorNo(port, -1);
    }
}

// The selected panel with its wires, or else the selected wire, as one step.
void DeleteSelection(TCircuitDocument& document, std::string stepName) {
    TCodingPanel& canvas = document.Canvas();
    document.BeginEdit();
    if (canvas.SelectedDragPanelNo() != -1) {
        canvas.DeleteDragPanel(canvas.SelectedDragPanelNo());
        document.SetPropertyText(NoDeviceSelected);
    } else {
        canvas.DeleteConnector(canvas.SelectedConnectorNo());
    }
    document.CommitCircuitEdit(std::move(stepName));
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
    const std::int32_t selected = document.Canvas().SelectedDragPanelNo();
    if (selected == -1) {
        return;
    }
    AtnEditCopy(document);
    DeleteSelection(document, CutStepName(document.Canvas().DragPanel(selected)));
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
    document.BeginEdit();
    TZaroSimDevice& added = document.AddDevice(std::move(device));
    CenterInCanvas(document.Canvas(), added);
    document.CommitCircuitEdit(PasteStepName(added));
    return &added;
}

void AtnEditDelete(TCircuitDocument& document) {
    const TCodingPanel& canvas = document.Canvas();
    if (canvas.SelectedDragPanelNo() != -1) {
        DeleteSelection(document, DeletionStepName(canvas.DragPanel(canvas.SelectedDragPanelNo())));
    } else if (canvas.SelectedConnectorNo() != -1) {
        DeleteSelection(document, WireDeletionStepName());
    }
}

} // namespace zaro
