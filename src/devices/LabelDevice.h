#pragma once
// A free text note on the schematic: a resizable panel holding a rich-text
// editor, with no ports and no equations.

#include "NoteEditor.h"
#include "ZaroSimDevices.h"

namespace zaro {

class TLabelDevice : public TZaroSimDevice {
public:
    static constexpr int MinSide = 32;

    explicit TLabelDevice(TTinyParser& evaluator);
    std::string ClassName() const override { return "TLabelDevice"; }

    TNoteEditor& NoteEditor() const { return *FNoteEditor; }
    // The user's edit of the note, once complete: refused with a beep while
    // the canvas takes no edits; a new text raises the canvas's EditCommitted.
    // True when the note holds the text afterwards.
    bool CommitNoteRtf(const std::vector<std::uint8_t>& rtf);
    // The same with the formatted text the user made, written as RTF. Call it
    // only when the user changed the text: the writer's bytes for a note that
    // another program saved differ even when its text is the same.
    bool CommitNoteContent(const TRichText& text);

    // A label adds no rows.
    void BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) override;
    void BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) override;

protected:
    // Keeps the panel at least 32 x 32 and lets the editor fill it inside a
    // 4 pixel margin.
    void Resized() override;
    // The editor's document as a rich-text block.
    void WriteOwnItems(TStream& stream) const override;
    std::function<void()> ReadOwnItems(TStream& stream) override;

private:
    // A record read again in place (an undo) changes the note too: the
    // views hear of it.
    void SetNoteRtf(const std::vector<std::uint8_t>& rtf);

    std::unique_ptr<TNoteEditor> FNoteEditor;
    bool FResizeHandlerInstalled = false;
};

} // namespace zaro
