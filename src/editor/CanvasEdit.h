#pragma once
// What a finished gesture on the schematic changed. The canvas raises one
// EditCommitted per gesture that changed the model; the document decides from
// the kind whether the circuit changed or only its drawing.

#include <cstdint>

namespace zaro {

enum class TCanvasEdit : std::uint8_t {
    PanelMoved,
    PanelResized,
    PanelIconized,
    SegmentMoved,
    NoteEdited,     // the text of a label
    PortsConnected, // a wire drawn by clicking two ports (it may replace others)
    WireDeleted,    // the Shift+Ctrl press on a wire
    ValueEdited,    // a device's value text
};

// Wiring and values make another circuit; the rest only redraws the same one.
constexpr bool ChangesCircuit(TCanvasEdit edit) {
    return edit == TCanvasEdit::PortsConnected || edit == TCanvasEdit::WireDeleted ||
           edit == TCanvasEdit::ValueEdited;
}

} // namespace zaro
