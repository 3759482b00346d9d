#pragma once
// What the view draws and picks in: model space turned into plane primitives (polylines,
// arcs, fills, texts, block references), one item per entity, with a spatial grid over
// the items. Built from the database after each change; drawing and picking never open
// database objects.
#include <cstdint>
#include <string>
#include <vector>

#include "kv/KvDbObjectId.h"
#include "kvrender/RenderGeometry.h"
#include "kvrender/SceneGrid.h"

class KvDbDatabase;

// How a primitive finds its colour: a colour of its own, the colour of the block reference
// it is drawn for (ByBlock), or the reference's layer colour (ByLayer on layer 0 in a block).
struct SceneColor {
    enum Kind : std::uint8_t { kFixed, kByBlock, kLayer0 };
    Kind kind = kFixed;
    std::uint32_t rgb = 0xFFFFFF;
};

struct ScenePrimitive {
    enum Kind : std::uint8_t {
        kPolyline,  // points [first, first + count); closed joins the last to the first
        kArc,       // arcs[first]
        kFill,      // a convex polygon: points [first, first + count)
        kWide,      // a polyline with widths: points and halfWidths [first, first + count)
        kText,      // texts[first]
        kInsert,    // inserts[first]
        kDot        // points[first]
    };
    Kind kind = kPolyline;
    bool closed = false;
    SceneColor color;
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    RenderBox box;  // in the coordinates of the block or space that holds it
};

// Counter-clockwise from start through sweep (radians, > 0).
struct SceneArc {
    RenderPoint center;
    double radius = 0.0, start = 0.0, sweep = 0.0;
};

// One line of text: origin on the base line at the left, height of capitals, rotation,
// and the advance width the host's text metrics give it (drawing units).
struct SceneText {
    std::u16string text;
    RenderPoint origin;
    double height = 0.0, rotation = 0.0, advance = 0.0;
};

struct SceneInsert {
    std::uint32_t block = 0;
    RenderAffine placement;
    SceneColor byBlock;  // the reference's own colour: what ByBlock inside means
    SceneColor layer;    // the reference's layer colour: what ByLayer on layer 0 inside means
};

struct SceneBlock {
    std::uint32_t firstPrimitive = 0, primitiveCount = 0;
    RenderBox box;
};

struct SceneItem {
    KvDbObjectId id;
    std::u16string kind;  // the entity's type name (LINE, INSERT, ACAD_TABLE...)
    std::uint32_t firstPrimitive = 0, primitiveCount = 0;
    RenderBox box;
    bool bPickInside = false;  // a click anywhere inside the box picks it (tables)
};

class DrawingScene {
public:
    DrawingScene() = default;
    // Model space of the database, in drawing order.
    explicit DrawingScene(const KvDbDatabase& db);

    const std::vector<SceneItem>& items() const { return m_items; }
    RenderBox extents() const { return m_extents; }
    // Items whose boxes meet the box, in drawing order.
    void query(const RenderBox& box, std::vector<std::uint32_t>& itemIndexes) const;
    // The item of an entity, or -1.
    int itemOf(KvDbObjectId id) const;

    std::vector<ScenePrimitive> primitives;  // items' and blocks' primitives, each a run
    std::vector<RenderPoint> points;
    std::vector<double> halfWidths;  // beside points, for kWide runs
    std::vector<SceneArc> arcs;
    std::vector<SceneText> texts;
    std::vector<SceneInsert> inserts;
    std::vector<SceneBlock> blocks;

private:
    friend class SceneBuilder;
    std::vector<SceneItem> m_items;
    RenderBox m_extents;
    SceneGrid m_grid;
};
