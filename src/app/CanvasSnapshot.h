#pragma once
// The model of a canvas at one moment: the record of every panel and wire,
// in list order, with the element's identity, and the selection. Panel
// records hold client coordinates, which belong to the scroll position kept
// with them.

#include "CanvasIdentities.h"
#include "CodingPanel.h"

#include <cstdint>
#include <span>
#include <vector>

namespace zaro {

struct TCanvasSnapshot {
    struct TElement {
        std::uint64_t Id = 0;
        std::size_t Begin = 0; // of the record in Bytes
        std::size_t End = 0;
    };

    std::vector<TElement> Panels;
    std::vector<TElement> Wires;
    std::vector<std::uint8_t> Bytes; // every record, one after the other
    TCanvasSelection Selection;
    TPoint Scroll;

    std::span<const std::uint8_t> Record(const TElement& element) const {
        return std::span<const std::uint8_t>(Bytes).subspan(element.Begin,
                                                            element.End - element.Begin);
    }
};

TCanvasSnapshot TakeCanvasSnapshot(const TCodingPanel& canvas, const TCanvasIdentities& ids);

} // namespace zaro
