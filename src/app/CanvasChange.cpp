#include "CanvasChange.h"

#include "DeviceRecord.h"
#include "DragPanels.h"
#include "ZaroStream.h"

#include <algorithm>
#include <map>
#include <string>
#include <unordered_map>

namespace zaro {

namespace {

using TBytes = std::vector<std::uint8_t>;
using TRecord = std::span<const std::uint8_t>;
using TElement = TCanvasChange::TElement;

bool Same(TRecord a, TRecord b) {
    return std::ranges::equal(a, b);
}

// The records of a change, one after the other.
class TRecordWriter {
public:
    TCanvasChange::TSpan Add(TRecord record) {
        const TCanvasChange::TSpan span{static_cast<std::uint32_t>(Bytes.size()),
                                        static_cast<std::uint32_t>(record.size())};
        Bytes.insert(Bytes.end(), record.begin(), record.end());
        return span;
    }

    TBytes Bytes;
};

TRecord RecordAt(const TBytes& records, TCanvasChange::TSpan span) {
    return TRecord(records).subspan(span.Offset, span.Size);
}

// A changed element's two records are written side by side, where deflate
// finds the one in the other.
std::vector<TElement> Compare(const TCanvasSnapshot& before,
                              const std::vector<TCanvasSnapshot::TElement>& from,
                              const TCanvasSnapshot& after,
                              const std::vector<TCanvasSnapshot::TElement>& to,
                              TRecordWriter& records) {
    std::unordered_map<std::uint64_t, std::int32_t> positions;
    for (std::size_t j = 0; j < to.size(); ++j) {
        positions.emplace(to[j].Id, static_cast<std::int32_t>(j));
    }
    std::vector<bool> kept(to.size(), false);
    std::vector<TElement> changes;
    for (std::size_t i = 0; i < from.size(); ++i) {
        const auto b = static_cast<std::int32_t>(i);
        const TRecord record = before.Record(from[i]);
        const auto found = positions.find(from[i].Id);
        if (found == positions.end()) {
            changes.push_back({b, -1, records.Add(record), {}});
            continue;
        }
        const std::int32_t a = found->second;
        kept[static_cast<std::size_t>(a)] = true;
        const TRecord now = after.Record(to[static_cast<std::size_t>(a)]);
        if (!Same(record, now)) {
            const TCanvasChange::TSpan first = records.Add(record);
            changes.push_back({b, a, first, records.Add(now)});
        }
    }
    for (std::size_t j = 0; j < to.size(); ++j) {
        if (!kept[j]) {
            changes.push_back(
                {-1, static_cast<std::int32_t>(j), {}, records.Add(after.Record(to[j]))});
        }
    }
    return changes;
}

// One element as seen from the side the change starts from.
struct TMove {
    std::int32_t From;
    std::int32_t To;
    TRecord FromRecord;
    TRecord ToRecord;
};

std::vector<TMove> Moves(const std::vector<TElement>& elements, const TBytes& records,
                         TChangeDirection direction) {
    std::vector<TMove> moves;
    for (const TElement& e : elements) {
        const TRecord before = RecordAt(records, e.BeforeRecord);
        const TRecord after = RecordAt(records, e.AfterRecord);
        moves.push_back(direction == TChangeDirection::Forward
                            ? TMove{e.Before, e.After, before, after}
                            : TMove{e.After, e.Before, after, before});
    }
    return moves;
}

// Deletions from the back, so the positions still to come stay valid.
std::vector<std::int32_t> Leaving(const std::vector<TMove>& moves) {
    std::vector<std::int32_t> positions;
    for (const TMove& m : moves) {
        if (m.To < 0) {
            positions.push_back(m.From);
        }
    }
    std::ranges::sort(positions, std::greater<>());
    return positions;
}

// Insertions from the front, so each lands between the elements it had beside it.
std::vector<TMove> Arriving(const std::vector<TMove>& moves) {
    std::vector<TMove> arriving;
    for (const TMove& m : moves) {
        if (m.From < 0) {
            arriving.push_back(m);
        }
    }
    std::ranges::sort(arriving, {}, &TMove::To);
    return arriving;
}

TMemoryStream StreamOf(TRecord record) {
    return TMemoryStream(TBytes(record.begin(), record.end()));
}

std::string RecordClassName(TRecord record) {
    TMemoryStream stream = StreamOf(record);
    return ReadStringFromStr(stream);
}

[[noreturn]] void OutOfStep() {
    throw EZaroError("TCanvasChange.Apply: the canvas does not hold what the change starts from.");
}

void CheckStart(const TCodingPanel& canvas, const TCanvasChange::TSide& from,
                const std::vector<TMove>& panels, const std::vector<TMove>& wires) {
    if (canvas.DragPanelCount() != from.PanelCount || canvas.ConnectorCount() != from.WireCount) {
        OutOfStep();
    }
    for (const TMove& m : panels) {
        if (m.From >= from.PanelCount || (m.From >= 0 && canvas.DragPanel(m.From).ClassName() !=
                                                             RecordClassName(m.FromRecord))) {
            OutOfStep();
        }
    }
    for (const TMove& m : wires) {
        if (m.From >= from.WireCount) {
            OutOfStep();
        }
    }
}

// Panel records hold client coordinates of the scroll position they were
// taken at; the panel goes to the same place on the canvas.
void KeepCanvasPlace(const TCodingPanel& canvas, TDragPanel& panel, TPoint recordScroll) {
    const TPoint shift = recordScroll - canvas.ScrollPosition();
    if (!(shift == TPoint{})) {
        panel.SetBounds(panel.Left() + shift.x, panel.Top() + shift.y, panel.Width(),
                        panel.Height());
    }
}

void InsertPanel(TCodingPanel& canvas, TTinyParser& evaluator, const TMove& m, TPoint scroll) {
    TMemoryStream stream = StreamOf(m.ToRecord);
    std::unique_ptr<TZaroSimDevice> device = ReadDeviceRecord(stream, evaluator);
    // Its wires come back one by one and name their ports as they do.
    for (int port = 0; port < device->PortCount(); ++port) {
        device->SetPortConnectorNo(port, -1);
    }
    KeepCanvasPlace(canvas, canvas.InsertDragPanel(m.To, std::move(device)), scroll);
}

void InsertWire(TCodingPanel& canvas, const TMove& m) {
    TConnector& wire = canvas.InsertConnector(m.To);
    TMemoryStream stream = StreamOf(m.ToRecord);
    wire.LoadFromStream(stream);
    canvas.DragPanel(wire.StartPanelNo()).SetPortConnectorNo(wire.StartPortNo(), m.To);
    canvas.DragPanel(wire.EndPanelNo()).SetPortConnectorNo(wire.EndPortNo(), m.To);
}

// The panel reads its record off the canvas: on it, the record's Iconized
// would make the wires at the panel follow it to where the record's client
// coordinates put it, before it is back at its place.
void ReloadPanel(TCodingPanel& canvas, const TMove& m, TPoint scroll) {
    TDragPanel& panel = canvas.DragPanel(m.To);
    const int image = panel.ImageIndex();
    TMemoryStream stream = StreamOf(m.ToRecord);
    panel.SetParent(nullptr);
    try {
        panel.LoadFromStream(stream);
    } catch (...) {
        panel.SetParent(&canvas);
        throw;
    }
    panel.SetParent(&canvas);
    panel.SetImageIndex(image);
    KeepCanvasPlace(canvas, panel, scroll);
}

void ReloadWire(TCodingPanel& canvas, const TMove& m) {
    TMemoryStream stream = StreamOf(m.ToRecord);
    canvas.Connector(m.To).LoadFromStream(stream);
}

bool InPlace(const std::vector<TElement>& elements) {
    return std::ranges::all_of(
        elements, [](const TElement& e) { return e.Before >= 0 && e.Before == e.After; });
}

bool SameCounts(const TCanvasChange::TSide& a, const TCanvasChange::TSide& b) {
    return a.PanelCount == b.PanelCount && a.WireCount == b.WireCount;
}

// Per position the first record of the earlier change and the last of the later one.
std::vector<TElement> JoinInPlace(const std::vector<TElement>& earlier,
                                  const TBytes& earlierRecords, const std::vector<TElement>& later,
                                  const TBytes& laterRecords, TRecordWriter& records) {
    std::map<std::int32_t, std::pair<TRecord, TRecord>> joined;
    for (const TElement& e : earlier) {
        joined[e.Before] = {RecordAt(earlierRecords, e.BeforeRecord),
                            RecordAt(earlierRecords, e.AfterRecord)};
    }
    for (const TElement& e : later) {
        const TRecord after = RecordAt(laterRecords, e.AfterRecord);
        const auto found = joined.find(e.Before);
        if (found == joined.end()) {
            joined[e.Before] = {RecordAt(laterRecords, e.BeforeRecord), after};
        } else {
            found->second.second = after;
        }
    }
    std::vector<TElement> elements;
    for (const auto& [position, pair] : joined) {
        if (!Same(pair.first, pair.second)) {
            const TCanvasChange::TSpan first = records.Add(pair.first);
            elements.push_back({position, position, first, records.Add(pair.second)});
        }
    }
    return elements;
}

TCanvasChange::TSide SideOf(const TCanvasSnapshot& snapshot) {
    return {static_cast<std::int32_t>(snapshot.Panels.size()),
            static_cast<std::int32_t>(snapshot.Wires.size()), snapshot.Selection, snapshot.Scroll};
}

} // namespace

TCanvasChange TCanvasChange::Between(const TCanvasSnapshot& before, const TCanvasSnapshot& after) {
    TCanvasChange change;
    TRecordWriter records;
    change.FPanels = Compare(before, before.Panels, after, after.Panels, records);
    change.FWires = Compare(before, before.Wires, after, after.Wires, records);
    change.FBefore = SideOf(before);
    change.FAfter = SideOf(after);
    change.FRecords = TPackedBytes(records.Bytes);
    return change;
}

// Wires leave before their panels and come after them, so no wire ever
// names a panel that is not there; the records of the elements that stayed
// go in last, when every number they hold is right again.
void TCanvasChange::Apply(TCodingPanel& canvas, TTinyParser& evaluator,
                          TChangeDirection direction) const {
    const TSide& from = direction == TChangeDirection::Forward ? FBefore : FAfter;
    const TSide& to = direction == TChangeDirection::Forward ? FAfter : FBefore;
    const TBytes records = FRecords.Unpack();
    const std::vector<TMove> panels = Moves(FPanels, records, direction);
    const std::vector<TMove> wires = Moves(FWires, records, direction);
    CheckStart(canvas, from, panels, wires);
    for (std::int32_t i : Leaving(wires)) {
        canvas.DeleteConnector(i);
    }
    for (std::int32_t i : Leaving(panels)) {
        canvas.DeleteDragPanel(i);
    }
    for (const TMove& m : Arriving(panels)) {
        InsertPanel(canvas, evaluator, m, to.Scroll);
    }
    for (const TMove& m : Arriving(wires)) {
        InsertWire(canvas, m);
    }
    for (const TMove& m : panels) {
        if (m.From >= 0 && m.To >= 0) {
            ReloadPanel(canvas, m, to.Scroll);
        }
    }
    for (const TMove& m : wires) {
        if (m.From >= 0 && m.To >= 0) {
            ReloadWire(canvas, m);
        }
    }
    canvas.AdjustCanvasSize();
    canvas.SetSelectedDragPanelNo(to.Selection.DragPanelNo);
    canvas.SetSelectedConnectorNo(to.Selection.ConnectorNo);
    canvas.SetSelectedLineNo(to.Selection.LineNo);
}

std::optional<TCanvasChange> TCanvasChange::Then(const TCanvasChange& later) const {
    if (!InPlace(FPanels) || !InPlace(FWires) || !InPlace(later.FPanels) ||
        !InPlace(later.FWires) || !SameCounts(FBefore, FAfter) ||
        !SameCounts(FAfter, later.FBefore) || !SameCounts(later.FBefore, later.FAfter)) {
        return std::nullopt;
    }
    const TBytes earlierRecords = FRecords.Unpack();
    const TBytes laterRecords = later.FRecords.Unpack();
    TRecordWriter records;
    TCanvasChange joined;
    joined.FPanels = JoinInPlace(FPanels, earlierRecords, later.FPanels, laterRecords, records);
    joined.FWires = JoinInPlace(FWires, earlierRecords, later.FWires, laterRecords, records);
    joined.FBefore = FBefore;
    joined.FAfter = later.FAfter;
    joined.FRecords = TPackedBytes(records.Bytes);
    return joined;
}

std::size_t TCanvasChange::MemorySize() const {
    return sizeof(*this) + (FPanels.capacity() + FWires.capacity()) * sizeof(TElement) +
           FRecords.PackedSize();
}

} // namespace zaro
