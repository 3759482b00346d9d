#include "kvrender/DrawingScene.h"

#include <algorithm>

#include "SceneBuilder.h"

DrawingScene::DrawingScene(const KvDbDatabase& db)
{
    SceneBuilder(db, *this).build();
}

void DrawingScene::query(const RenderBox& box, std::vector<std::uint32_t>& itemIndexes) const
{
    m_grid.query(box, itemIndexes);
}

int DrawingScene::itemOf(KvDbObjectId id) const
{
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].id == id) return static_cast<int>(i);
    return -1;
}
