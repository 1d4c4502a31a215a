#pragma once
// What one edit did to a canvas: the records of the panels and wires it
// removed, added and changed, by position, with the selection on each side.
// Applying it turns the canvas from one side into the other through the
// canvas's own deletions and insertions, so every view hears what went and
// what came, and the elements that stayed keep their objects.

#include "CanvasSnapshot.h"
#include "CodingPanel.h"
#include "PackedBytes.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace zaro {

class TTinyParser;

enum class TChangeDirection { Backward, Forward };

class TCanvasChange {
public:
    // Where a record lies among the change's records.
    struct TSpan {
        std::uint32_t Offset = 0;
        std::uint32_t Size = 0;
    };
    // One element's position and record on each side; -1 where it is missing.
    struct TElement {
        std::int32_t Before = -1;
        std::int32_t After = -1;
        TSpan BeforeRecord;
        TSpan AfterRecord;
    };
    struct TSide {
        std::int32_t PanelCount = 0;
        std::int32_t WireCount = 0;
        TCanvasSelection Selection;
        TPoint Scroll; // the client coordinates of the panel records belong to it
    };

    TCanvasChange() = default;
    // Elements are matched by identity; those whose records are equal are left out.
    static TCanvasChange Between(const TCanvasSnapshot& before, const TCanvasSnapshot& after);

    // No record differs.
    bool Empty() const { return FPanels.empty() && FWires.empty(); }

    // Backward turns the after side into the before side, Forward the other
    // way. A panel keeps the image it shows (results come and go without
    // edits) and its place on the canvas at any scroll position. Raises
    // EZaroError before changing anything when the canvas does not hold the
    // side the change starts from.
    void Apply(TCodingPanel& canvas, TTinyParser& evaluator, TChangeDirection direction) const;

    // This change and then `later` as one, when both only changed elements in
    // place and `later` starts where this one ends; nullopt otherwise.
    std::optional<TCanvasChange> Then(const TCanvasChange& later) const;

    // Bytes the change keeps.
    std::size_t MemorySize() const;

private:
    std::vector<TElement> FPanels;
    std::vector<TElement> FWires;
    TSide FBefore;
    TSide FAfter;
    TPackedBytes FRecords;
};

} // namespace zaro
