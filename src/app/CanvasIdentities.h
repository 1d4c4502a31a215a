#pragma once
// A number for every panel and wire of a canvas that stays with the element
// while the lists around it change: the canvas renumbers its elements on
// every insertion and deletion, these numbers never change. Kept from the
// canvas's notifications alone.

#include "CodingPanel.h"

#include <cstdint>
#include <vector>

namespace zaro {

class TCanvasIdentities {
public:
    explicit TCanvasIdentities(const TCodingPanel& canvas);
    TCanvasIdentities(const TCanvasIdentities&) = delete;
    TCanvasIdentities& operator=(const TCanvasIdentities&) = delete;

    // Of the element at position i now; range error outside the list.
    std::uint64_t Panel(int i) const;
    std::uint64_t Wire(int i) const;

private:
    std::vector<std::uint64_t> FPanels;
    std::vector<std::uint64_t> FWires;
    std::uint64_t FNext = 1;
    TConnectionList Links;
};

} // namespace zaro
