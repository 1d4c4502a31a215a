#pragma once
// One attribute (bold, italic or underline) over the selection of a note's
// editor, gathered piece by piece, and what the formatting commands make of
// it: checked when the whole selection has it, and a toggle that sets it only
// when no piece has it, so a mixed selection becomes plain.

namespace zaro {

class TSelectionAttribute {
public:
    // A piece of the selection (a run of one format) with the attribute set or not.
    void Add(bool set) { (set ? SetPieces : UnsetPieces) += 1; }
    bool Empty() const { return SetPieces + UnsetPieces == 0; }
    bool Mixed() const { return SetPieces > 0 && UnsetPieces > 0; }
    bool Checked() const { return SetPieces > 0 && UnsetPieces == 0; }
    bool ValueAfterToggle() const { return SetPieces == 0; }

private:
    int SetPieces = 0;
    int UnsetPieces = 0;
};

} // namespace zaro
