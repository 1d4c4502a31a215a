// Paste over arbitrary clipboard bytes in the device format, into a document
// that holds a wired circuit. A refused payload adds nothing and changes
// nothing; an accepted one adds exactly one device without wires, which
// copies back to a record that pastes again, and the document stays usable.

#include "ClipboardCommands.h"
#include "DeviceRecord.h"
#include "FuzzDocument.h"

#include <cstddef>
#include <cstdint>

namespace zaro::fuzz {
namespace {

void CheckPastedDevice(TFuzzDocument& fuzz, zaro::TZaroSimDevice& device, int countBefore) {
    zaro::TCircuitDocument& doc = fuzz.Doc;
    Expect(doc.Canvas().DragPanelCount() == countBefore + 1, "paste did not add one device");
    Expect(device.Index() == countBefore, "pasted device is not numbered after the others");
    for (int port = 0; port < device.PortCount(); ++port) {
        Expect(device.PortConnectorNo(port) == -1, "pasted device has a wire");
    }
    Expect(doc.Modified(), "paste did not mark the document modified");
}

// Copy the pasted device and paste it again: the copy is its record, and the
// second device writes the same record but for its number.
void CopyAndPasteAgain(TFuzzDocument& fuzz, zaro::TZaroSimDevice& device) {
    zaro::TCircuitDocument& doc = fuzz.Doc;
    doc.Canvas().SetSelectedDragPanelNo(device.Index());
    TBytes copied;
    if (!Survives([&] { copied = zaro::DeviceRecordBytes(device); })) {
        return; // texts longer than a String holds, refused before writing
    }
    zaro::AtnEditCopy(doc);
    Expect(fuzz.Platform.Clipboard[zaro::DeviceClipboardFormat] == copied,
           "copy did not put the device record on the clipboard");
    zaro::TZaroSimDevice* second = nullptr;
    Expect(Survives([&] { second = zaro::AtnEditPaste(doc); }) && second != nullptr,
           "a copied device does not paste");
    second->SetIndex(device.Index());
    Expect(zaro::DeviceRecordBytes(*second) == copied, "pasted copy writes another record");
    second->SetIndex(device.Index() + 1);
}

} // namespace
} // namespace zaro::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    zaro::fuzz::BindZaroMath();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zaro::fuzz;
    TFuzzDocument fuzz;
    zaro::TCircuitDocument& doc = fuzz.Doc;
    doc.SetModified(false);
    fuzz.Platform.Clipboard[zaro::DeviceClipboardFormat] = TBytes(data, data + size);
    const TDocumentSnapshot before = Snapshot(doc);
    const int countBefore = doc.Canvas().DragPanelCount();

    zaro::TZaroSimDevice* device = nullptr;
    if (!Survives([&] { device = zaro::AtnEditPaste(doc); })) {
        Expect(Snapshot(doc) == before, "refused paste changed the document");
        return 0;
    }
    Expect(device != nullptr, "paste of a payload gave no device");
    CheckPastedDevice(fuzz, *device, countBefore);
    CopyAndPasteAgain(fuzz, *device);
    fuzz.CheckSavedModelReadsBack();
    fuzz.WorkWith();
    return 0;
}
