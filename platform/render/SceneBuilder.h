#pragma once
// Turns the entities of a database into a DrawingScene's primitives.
#include <unordered_map>
#include <vector>

#include "kvrender/DrawingScene.h"

class KvDbDatabase;
class KvDbEntity;
class KvDbBlockReference;
class KvDbTable;
class KvDbPolyline;
class KvDbMText;
class KvDbText;

class SceneBuilder {
public:
    SceneBuilder(const KvDbDatabase& db, DrawingScene& scene);
    void build();

private:
    struct Layer {
        std::uint32_t rgb = 0xFFFFFF;
        bool bVisible = true;
    };
    // Appends the entity's primitives; false when it has none to show.
    bool addEntity(const KvDbEntity& entity, bool bInBlock, int depth);
    void addLine(RenderPoint a, RenderPoint b, SceneColor color);
    void addPolylineRun(const std::vector<RenderPoint>& pts, bool bClosed, SceneColor color);
    void addArc(const RenderAffine& ocs, RenderPoint center, double radius, double start, double sweep,
                SceneColor color);
    void addPolyline(const KvDbPolyline& pl, SceneColor color);
    void addText(const std::u16string& text, RenderPoint origin, double height, double rotation, double advance,
                 SceneColor color);
    void addSingleLineText(const KvDbText& text, SceneColor color);
    void addMText(const KvDbMText& mtext, SceneColor color);
    void addInsert(const KvDbBlockReference& ref, bool bInBlock, int depth);
    void addTable(const KvDbTable& table, SceneColor color, int depth);
    void addTextBlock(const std::u16string& text, RenderPoint topLeft, double height, double wrapWidth, double rotation,
                      double lineSpacing, int attachment, KvDbObjectId style, SceneColor color);
    // Index of the block's primitives, built on first use; -1 for a block that cannot be shown.
    int blockIndex(KvDbObjectId blockId, int depth);

    const Layer& layerOf(const KvDbEntity& entity);
    SceneColor colorOf(const KvDbEntity& entity, bool bInBlock);
    SceneColor layerColorOf(const KvDbEntity& entity, bool bInBlock);

    const KvDbDatabase& m_db;
    DrawingScene& m_scene;
    std::unordered_map<const std::u16string*, Layer> m_layers;  // by the entity's shared name
    std::unordered_map<std::uint64_t, int> m_blocks;            // block record serial -> block index
    std::vector<ScenePrimitive>* m_out = nullptr;               // where primitives go: an item's or a block's run
};
