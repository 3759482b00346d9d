#include "DxfEntityPatch.h"

#include "DxfRecordParser.h"
#include "kv/KvDbArc.h"
#include "kv/KvDbAttribute.h"
#include "kv/KvDbBlockReference.h"
#include "kv/KvDbCircle.h"
#include "kv/KvDbLine.h"
#include "kv/KvDbMText.h"
#include "kv/KvDbPoint.h"
#include "kv/KvDbPolyline.h"
#include "kv/KvDbSolid.h"
#include "kv/KvDbTable.h"
#include "kv/KvDbText.h"

namespace {

void addPoint(std::vector<DxfPatch>& patches, int code, const KvGePoint3d& point, int occurrence = 0)
{
    patches.push_back({code, occurrence, point.x, std::nullopt});
    patches.push_back({code + 10, occurrence, point.y, std::nullopt});
    patches.push_back({code + 20, occurrence, point.z, std::nullopt});
}

}  // namespace

std::vector<DxfPatch> dxfEntityPatches(const KvDbEntity& entity, std::string_view type, const DxfRecordParser& p)
{
    std::vector<DxfPatch> patches;
    if (const auto* text = kvCast<KvDbText>(&entity)) {
        addPoint(patches, 10, text->position());
        // The alignment point is not kept apart: it moves with the position.
        if (p.has(11)) addPoint(patches, 11, p.point(11) + (text->position() - p.point(10)));
        patches.push_back({1, 0, std::nullopt, text->textString()});
    } else if (const auto* line = kvCast<KvDbLine>(&entity)) {
        addPoint(patches, 10, line->startPoint());
        addPoint(patches, 11, line->endPoint());
    } else if (const auto* circle = kvCast<KvDbCircle>(&entity)) {
        addPoint(patches, 10, circle->center());
    } else if (const auto* arc = kvCast<KvDbArc>(&entity)) {
        addPoint(patches, 10, arc->center());
    } else if (const auto* point = kvCast<KvDbPoint>(&entity)) {
        addPoint(patches, 10, point->position());
    } else if (const auto* solid = kvCast<KvDbSolid>(&entity)) {
        for (unsigned int k = 0; k < 4; ++k) {
            KvGePoint3d corner;
            solid->getPointAt(k, corner);
            addPoint(patches, 10 + static_cast<int>(k), corner);
        }
    } else if (const auto* mtext = kvCast<KvDbMText>(&entity)) {
        addPoint(patches, 10, mtext->location());
    } else if (const auto* polyline = kvCast<KvDbPolyline>(&entity)) {
        if (type == "LWPOLYLINE") {
            int k = 0;
            for (const KvDbPolyline::Vertex& vertex : polyline->vertices()) {
                patches.push_back({10, k, vertex.point.x, std::nullopt});
                patches.push_back({20, k++, vertex.point.y, std::nullopt});
            }
            patches.push_back({38, 0, polyline->elevation(), std::nullopt});
        } else {
            patches.push_back({30, 0, polyline->elevation(), std::nullopt});  // the vertices are records of their own
        }
    } else if (const auto* ref = kvCast<KvDbBlockReference>(&entity); ref != nullptr && !kvCast<KvDbTable>(ref)) {
        addPoint(patches, 10, ref->position());
    }
    return patches;
}

std::vector<DxfPatch> dxfVertexPatches(const KvDbPolyline& polyline, std::size_t index)
{
    if (index >= polyline.vertices().size()) return {};
    const KvGePoint2d& point = polyline.vertices()[index].point;
    return {{10, 0, point.x, std::nullopt}, {20, 0, point.y, std::nullopt}};
}
