#pragma once
// One wire of the schematic: joins two ports and carries its own orthogonal
// route of four or five segments (at most six vertices) in canvas coordinates.

#include "Geometry.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zaro {

class TCodingPanel;
class TStream;

// The canvas pen a wire segment is drawn with.
enum class TConnectorPenKind { ConnectorPen, SelectedConnectorPen, SelectedLinePen };

// One straight piece of a wire in screen (scrolled) coordinates.
struct TConnectorSegment {
    TPoint From;
    TPoint To;
    TConnectorPenKind Pen = TConnectorPenKind::ConnectorPen;
    bool operator==(const TConnectorSegment&) const = default;
};

class TConnector {
public:
    static constexpr int MaxPoints = 6;

    TConnector() = default;
    TConnector(const TConnector&) = delete;
    TConnector& operator=(const TConnector&) = delete;

    // The end setters clear Routed and every point flag: the route no longer fits.
    std::int32_t EndPanelNo() const { return FEndPanelNo; }
    void SetEndPanelNo(std::int32_t value);
    std::int32_t EndPortNo() const { return FEndPortNo; }
    void SetEndPortNo(std::int32_t value);
    std::int32_t StartPanelNo() const { return FStartPanelNo; }
    void SetStartPanelNo(std::int32_t value);
    std::int32_t StartPortNo() const { return FStartPortNo; }
    void SetStartPortNo(std::int32_t value);

    // Number of segments; Points[0..LineCount] are the vertices. Values
    // outside 0..5 are a range error, since they would address missing vertices.
    std::int32_t LineCount() const { return FLineCount; }
    void SetLineCount(std::int32_t value);

    // Vertex and flag access, i in 0..5; outside is a range error.
    TPoint Point(int i) const;
    void SetPoint(int i, TPoint p);
    void SetPointX(int i, std::int32_t x);
    void SetPointY(int i, std::int32_t y);
    bool PointFlag(int i) const;
    void SetPointFlag(int i, bool value);

    TCodingPanel* Owner() const { return FOwner; }
    void SetOwner(TCodingPanel* owner) { FOwner = owner; }
    bool Routed() const { return FRouted; }
    void SetRouted(bool value) { FRouted = value; }
    std::int32_t Index() const { return FIndex; }
    void SetIndex(std::int32_t value) { FIndex = value; }

    // The setters store only; Route, FollowPanel and LoadFromStream announce
    // the new route through the owning canvas.
    // Computes the whole route from the two ports; needs an owning canvas.
    void Route();
    // Re-attaches the end lying on panel `panelNo` after that panel moved,
    // keeping the rest of the route (also segments the user moved).
    void FollowPanel(std::int32_t panelNo);

    // The segments to draw, in order, with the pen of each; empty when not routed.
    std::vector<TConnectorSegment> Draw() const;

    void SaveToStream(TStream& stream) const;
    // A wrong tag or a damaged record restores the stream position, raises
    // an error and leaves the connector unchanged.
    void LoadFromStream(TStream& stream);

private:
    void ClearRoute();
    void SnapPoints();
    // Repaints the owning canvas and announces the new route there.
    void Rerouted() const;
    TCodingPanel& Canvas() const;

    std::int32_t FEndPanelNo = -1;
    std::int32_t FEndPortNo = -1;
    std::int32_t FStartPanelNo = -1;
    std::int32_t FStartPortNo = -1;
    std::int32_t FLineCount = 0;
    std::array<TPoint, MaxPoints> FPoints{};
    std::array<bool, MaxPoints> FPointFlags{};
    TCodingPanel* FOwner = nullptr;
    bool FRouted = false;
    std::int32_t FIndex = -1;
};

// Where a wire meets port `portNo` of panel `panelNo` of the canvas, in canvas
// coordinates: the middle of the port rectangle's outer side.
TPoint PortAttachPoint(const TCodingPanel& canvas, std::int32_t panelNo, std::int32_t portNo);

} // namespace zaro
