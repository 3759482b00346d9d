#pragma once
// The records of one selection of drawing objects, and what the wizard chose of them.
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
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
#include "engine/SharedList.h"
#include "engine/SharedText.h"
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

    // Readers: each appends at most one record built from the opened entity. The texts they
    // make again and again are remembered while the engine is built from a selection.
    CommonProps ReadCommonProps(const KvDbEntity& entity);
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

    // Records by kind, each in selection order. Copies of an engine share them until one
    // of the copies changes a list.
    SharedList<BlockEnt> lsBlocks;
    SharedList<PolyLine> lsPolyLines;
    SharedList<Line> lsLines;
    SharedList<Circle> lsCircles;
    SharedList<NyArc> lsArcs;
    SharedList<Solid> lsSolids;
    SharedList<Solid3D> lsSolids3D;
    SharedList<NyPoint> lsPoints;

    std::set<std::uint32_t> seCategories;      // categories among the offered properties
    std::vector<std::u16string> lsPropsSel;    // selected property names
    std::vector<std::u16string> lsObjectsSel;  // selected kind names
    PropertyCatalog catalog;
    PropItemSet blockPropItems;  // attribute tags and dynamic-property names met
    PropItemSet seHeaders;       // offered properties
    SharedList<MultiText> lsMTexts;
    double roundStep = 0.0;
    SharedTable veTableData;        // the last assembled table
    HandleBlockMap lsBlockTbRecId;  // block handle -> block record, for the preview column

private:
    // What the readers would otherwise make again for each object: the last name seen per
    // common property, the texts of kinds, colour indexes, line weights and multiline-text
    // values, text-style and block names by record, and attribute tags by position.
    struct ReaderMemo {
        // The names met last, most recent first looked at: a drawing's objects cycle through
        // a few layers, and references of one block repeat their tags.
        struct RecentNames {
            std::vector<std::pair<std::u16string, SharedText>> entries;
            std::size_t iLast = 0;
        };
        RecentNames layer, linetype, plotStyle;
        double step = 0.0;  // the rounding step of the texts below
        double lastScale = 0.0, lastScaleRead = 0.0;
        bool bScale = false;
        std::unordered_map<int, SharedText> kindNames, colors, lineWeights;
        std::unordered_map<int, SharedText> attachments, flowDirections, lineSpacingStyles;
        std::unordered_map<KvDbObjectId, SharedText> textStyles;
        std::unordered_map<KvDbObjectId, SharedText> blockNames;
        std::vector<RecentNames> tags;                     // by the attribute's position in its reference
        std::unordered_set<const void*> seBlockItemNames;  // names in blockPropItems
        std::vector<const void*> notedTags;                // tags noted, by position
        std::size_t nLastAttributes = 0;                   // of the reference read last
    };

    // The shared text of a name, ByLayer and ByBlock localised when bLocalise; made once
    // while the name stays among the recent ones.
    SharedText SharedName(ReaderMemo::RecentNames& recent, const std::u16string& csText, bool bLocalise);
    // The text made for key the first time it is asked for.
    template <class Key, class Make>
    static SharedText Remembered(std::unordered_map<Key, SharedText>& memo, const Key& key, Make make)
    {
        auto it = memo.find(key);
        if (it == memo.end()) it = memo.emplace(key, SharedText(make(key))).first;
        return it->second;
    }
    SharedText BlockName(KvDbObjectId idRecord, bool& bOpened);
    PropValueList ReadAttributes(const KvDbBlockReference& reference);
    void NoteBlockItem(const PropValue& pair, std::uint32_t category);
    template <class Record>
    Record MakeRecord(const KvDbEntity& entity, const std::u16string& csHandle, ObjKind kind, double thickness);
    void ReadObject(KvDbEntity& entity, KvDbObjectId id);

    ReaderMemo m_memo;
};
