#pragma once
// The records of one selection of drawing objects, and what the wizard chose of them.
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/BlockEnt.h"
#include "engine/BlockReader.h"
#include "engine/Circle.h"
#include "engine/CommonProps.h"
#include "engine/EntityReaders.h"
#include "engine/Line.h"
#include "engine/MultiText.h"
#include "engine/NyArc.h"
#include "engine/NyPoint.h"
#include "engine/ObjKind.h"
#include "engine/PolyLine.h"
#include "engine/PropCategory.h"
#include "engine/PropItem.h"
#include "engine/PropValue.h"
#include "engine/PropertyCatalog.h"
#include "engine/SelectObjectTypes.h"
#include "engine/Solid.h"
#include "engine/Solid3D.h"
#include "kv/KvResbuf.h"
#include "table/TableData.h"

class KvDbEntity;
class KvDbLine;
class KvDbPolyline;
class KvDbCircle;
class KvDbArc;
class KvDb3dSolid;
class KvDbSolid;
class KvDbPoint;
class KvDbMText;
class KvDbBlockReference;

class ExtractionEngine {
public:
    // Empty lists and a fresh catalog; roundStep stays unset (0).
    ExtractionEngine();
    // Reads the count objects of the selection set, in selection order, with a copy of the catalog.
    ExtractionEngine(const kv_name ss, std::int32_t count, const PropertyCatalog& catalog);

    // Stores the selected kind names and fills seHeaders and seCategories; returns seHeaders.
    const PropItemSet& SelectObjectTypes(const std::vector<std::u16string>& lsObjectsSel);

    // Kind numbers that have at least one record, ascending.
    std::set<std::uint32_t> KindsPresent() const;
    std::size_t RecordCount() const;

    // Readers: each appends at most one record built from the opened entity.
    CommonProps ReadCommonProps(const KvDbEntity& entity) const;
    void ReadLine(const KvDbLine& line, const std::u16string& csHandle);
    void ReadPolyline(const KvDbPolyline& polyline, const std::u16string& csHandle);
    void ReadCircle(const KvDbCircle& circle, const std::u16string& csHandle);
    void ReadArc(const KvDbArc& arc, const std::u16string& csHandle);
    void Read3dSolid(const KvDb3dSolid& solid, const std::u16string& csHandle);
    void ReadSolid(const KvDbSolid& solid, const std::u16string& csHandle);
    void ReadPoint(const KvDbPoint& point, const std::u16string& csHandle);
    void ReadMText(const KvDbMText& mtext, const std::u16string& csHandle);
    void ReadBlockReference(const KvDbBlockReference& reference, KvDbObjectId idReference,
                            const std::u16string& csHandle);

    // Records by kind, each in selection order.
    std::vector<BlockEnt> lsBlocks;
    std::vector<PolyLine> lsPolyLines;
    std::vector<Line> lsLines;
    std::vector<Circle> lsCircles;
    std::vector<NyArc> lsArcs;
    std::vector<Solid> lsSolids;
    std::vector<Solid3D> lsSolids3D;
    std::vector<NyPoint> lsPoints;

    std::set<std::uint32_t> seCategories;      // categories among the offered properties
    std::vector<std::u16string> lsPropsSel;    // selected property names
    std::vector<std::u16string> lsObjectsSel;  // selected kind names
    PropertyCatalog catalog;
    PropItemSet blockPropItems;  // attribute tags and dynamic-property names met
    PropItemSet seHeaders;       // offered properties
    std::vector<MultiText> lsMTexts;
    double roundStep = 0.0;
    TableData veTableData;          // the last assembled table
    HandleBlockMap lsBlockTbRecId;  // block handle -> block record, for the preview column

private:
    template <class Record>
    Record MakeRecord(const KvDbEntity& entity, const std::u16string& csHandle, ObjKind kind, double thickness) const;
};
