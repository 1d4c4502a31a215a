#include "LabelDevice.h"

#include "RtfWriter.h"
#include "ZaroStream.h"

#include <algorithm>

namespace zaro {

TLabelDevice::TLabelDevice(TTinyParser& evaluator)
    : TZaroSimDevice(evaluator), FNoteEditor(std::make_unique<TNoteEditor>()) {
    SetPortCount(0);
    SetBounds(Left(), Top(), 160, 96);
    SetResizeStyle(TDragPanelResizeStyle::dprsLine);
    SetImageIndex(-1);
    FResizeHandlerInstalled = true;
}

bool TLabelDevice::CommitNoteRtf(const std::vector<std::uint8_t>& rtf) {
    TRichTextDocument& document = FNoteEditor->Document();
    if (rtf == document.Rtf()) {
        return true;
    }
    if (!EditsAllowed()) {
        return false;
    }
    EditStarting();
    SetNoteRtf(rtf);
    EditCommitted(TCanvasEdit::NoteEdited);
    return true;
}

void TLabelDevice::SetNoteRtf(const std::vector<std::uint8_t>& rtf) {
    TRichTextDocument& document = FNoteEditor->Document();
    if (rtf != document.Rtf()) {
        document.SetRtf(rtf);
        Announce(TPanelChange::Content);
    }
}

bool TLabelDevice::CommitNoteContent(const TRichText& text) {
    const std::string rtf = WriteRtf(text);
    return CommitNoteRtf(std::vector<std::uint8_t>(rtf.begin(), rtf.end()));
}

void TLabelDevice::BuildDCDeviceEquation(TDCCoefArray&, TDCRhsArray&) {}

void TLabelDevice::BuildACDeviceEquation(TACCoefArray&, TACRhsArray&) {}

void TLabelDevice::Resized() {
    if (!FResizeHandlerInstalled) {
        return;
    }
    if (Width() < MinSide || Height() < MinSide) {
        // Runs this handler again with the corrected size.
        SetBounds(Left(), Top(), std::max(Width(), MinSide), std::max(Height(), MinSide));
        return;
    }
    FNoteEditor->SetBounds(4, 4, Width() - 9, Height() - 9);
}

void TLabelDevice::WriteOwnItems(TStream& stream) const {
    WriteRichTextToStr(stream, FNoteEditor->Document());
}

std::function<void()> TLabelDevice::ReadOwnItems(TStream& stream) {
    auto document = std::make_shared<TRichTextDocument>();
    ReadRichTextFromStr(stream, *document);
    return [this, document] { SetNoteRtf(document->Rtf()); };
}

} // namespace zaro
