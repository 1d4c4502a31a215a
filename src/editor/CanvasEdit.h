#pragma once
// What a finished gesture on the schematic changed. The canvas raises one
// EditCommitted per gesture that changed the model; the document decides from
// the kind whether the circuit changed or only its drawing. Just before a
// gesture changes the model the canvas raises EditStarting with what the
// gesture acts on, so a listener can see the model as it was.

#include <cstdint>

namespace zaro {

class TDragPanel;
class TEditBox;

// The panel a gesture acts on (none for the wire gestures) and, for a value
// edit, the box that takes the new text.
struct TEditSubject {
    const TDragPanel* Panel = nullptr;
    const TEditBox* Box = nullptr;
};

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
