#include "DxfDynamicBlocks.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_map>

#include "DxfRecordParser.h"
#include "dxf/DxfDocument.h"
#include "kv/KvDbBlockReference.h"
#include "kv/KvDbBlockTableRecord.h"
#include "kv/KvDbDatabase.h"
#include "kv/KvDbDictionary.h"
#include "kv/KvDbObjectPointer.h"
#include "kv/KvDbTable.h"

// What is read, as CAD programs store it:
// - the definition of an anonymous (*U) reference: the 1005 handle in its block record's
//   "AcDbBlockRepBTag" extended data, else the 340 of the reference's
//   AcDbBlockRepresentation/AcDbRepData object; a reference to a block whose extension
//   dictionary holds ACAD_ENHANCEDBLOCK is a dynamic reference to that block itself. A
//   definition that is itself anonymous goes by its "AcDbDynamicBlockTrueName".
// - the parameters from the definition's ACAD_ENHANCEDBLOCK evaluation graph, in node order:
//   each node (91 index, 95 expression id, 360 expression) whose expression is a parameter;
// - a reference's values from its AcDbBlockRepresentation/AppDataCache/ACAD_ENHANCEDBLOCKDATA
//   dictionary: one XRECORD per parameter, named by the expression id in decimal, holding a
//   header (1071, 1071, 70, 70) and then the parameter's state: points (10), then a flip state
//   (70) or a text (1). A reference without a record shows the definition's own values.
namespace {

// The state of a parameter: from a reference's record, or the definition's defaults.
struct State {
    std::vector<KvGePoint3d> points;
    std::vector<std::int64_t> integers;
    std::vector<std::u16string> texts;
};

struct Parameter;
using Presenter = void (*)(const Parameter&, const State&, KvDbDynBlockReferencePropertyArray&);
using Defaults = State (*)(const DxfRecordParser&);

// One kind of parameter: how its definition gives a state and how a state becomes properties.
struct ParameterKind {
    const char16_t* type;
    Defaults defaults;
    Presenter present;
};

struct Parameter {
    const ParameterKind* kind = nullptr;
    long long expression = -1;  // names the reference's record
    std::u16string name, secondName;
    State defaults;
};

KvGePoint3d pointIn(const KvTypedValueList& data, short code, int nth = 0)
{
    for (const KvTypedValue& v : data)
        if (v.code == code && v.point() && nth-- == 0) return *v.point();
    return {};
}

std::vector<std::u16string> textsIn(const KvTypedValueList& data, short code)
{
    std::vector<std::u16string> out;
    for (const KvTypedValue& v : data)
        if (v.code == code && v.text()) out.push_back(*v.text());
    return out;
}

double distance(const KvGePoint3d& a, const KvGePoint3d& b)
{
    return std::hypot(b.x - a.x, b.y - a.y, b.z - a.z);
}

// Angle of b seen from a in the XY plane, in radians from 0 to 2 pi.
double angle(const KvGePoint3d& a, const KvGePoint3d& b)
{
    double r = std::atan2(b.y - a.y, b.x - a.x);
    return r < 0 ? r + 2 * M_PI : r;
}

double normalised(double radians)
{
    double r = std::fmod(radians, 2 * M_PI);
    return r < 0 ? r + 2 * M_PI : r;
}

void add(KvDbDynBlockReferencePropertyArray& props, const std::u16string& name, KvDbEvalVariant value)
{
    if (!name.empty()) props.emplace_back(name, std::move(value));
}

// Two-point parameters: base point and end point.
State twoPoints(const DxfRecordParser& p)
{
    const KvTypedValueList data = p.subclassData("AcDbBlock2PtParameter");
    return State{{pointIn(data, 1010), pointIn(data, 1011)}, {}, {}};
}

State onePoint(const DxfRecordParser& p)
{
    return State{{pointIn(p.subclassData("AcDbBlock1PtParameter"), 1010)}, {}, {}};
}

// Base point, end point, (normal,) base angle point: the angle is measured from the base angle.
State rotationDefaults(const DxfRecordParser& p)
{
    State s = twoPoints(p);
    const KvTypedValueList own = p.subclassData("AcDbBlockRotationParameter");
    bool hasBase = false;
    for (const KvTypedValue& v : own) hasBase = hasBase || (v.code == 1011 && v.point());
    if (hasBase) s.points.insert(s.points.end(), {KvGePoint3d(0, 0, 1), pointIn(own, 1011)});
    return s;
}

State notFlipped(const DxfRecordParser&)
{
    return State{{}, {0}, {}};
}

State firstVisibilityState(const DxfRecordParser& p)
{
    std::vector<std::u16string> states = textsIn(p.subclassData("AcDbBlockVisibilityParameter"), 303);
    return State{{}, {}, states.empty() ? std::vector<std::u16string>{} : std::vector<std::u16string>{states[0]}};
}

State none(const DxfRecordParser&)
{
    return {};
}

void presentDistance(const Parameter& param, const State& s, KvDbDynBlockReferencePropertyArray& props)
{
    if (s.points.size() >= 2) add(props, param.name, KvDbEvalVariant::real(distance(s.points[0], s.points[1])));
}

void presentRotation(const Parameter& param, const State& s, KvDbDynBlockReferencePropertyArray& props)
{
    if (s.points.size() < 2) return;
    double base = s.points.size() >= 4 ? angle(s.points[0], s.points[3]) : 0.0;
    add(props, param.name, KvDbEvalVariant::real(normalised(angle(s.points[0], s.points[1]) - base)));
}

void presentPolar(const Parameter& param, const State& s, KvDbDynBlockReferencePropertyArray& props)
{
    presentDistance(param, s, props);
    Parameter angleOnly = param;
    angleOnly.name = param.secondName;
    presentRotation(angleOnly, s, props);
}

// Horizontal and vertical distances (labels 306 and 305).
void presentXY(const Parameter& param, const State& s, KvDbDynBlockReferencePropertyArray& props)
{
    if (s.points.size() < 2) return;
    add(props, param.secondName, KvDbEvalVariant::real(s.points[1].x - s.points[0].x));
    add(props, param.name, KvDbEvalVariant::real(s.points[1].y - s.points[0].y));
}

void presentPosition(const Parameter& param, const State& s, KvDbDynBlockReferencePropertyArray& props)
{
    if (s.points.empty() || param.name.empty()) return;
    add(props, param.name + u" X", KvDbEvalVariant::real(s.points[0].x));
    add(props, param.name + u" Y", KvDbEvalVariant::real(s.points[0].y));
}

void presentFlip(const Parameter& param, const State& s, KvDbDynBlockReferencePropertyArray& props)
{
    if (!s.integers.empty()) add(props, param.name, KvDbEvalVariant::int16(s.integers[0] != 0 ? 1 : 0));
}

void presentText(const Parameter& param, const State& s, KvDbDynBlockReferencePropertyArray& props)
{
    if (!s.texts.empty()) add(props, param.name, KvDbEvalVariant::text(s.texts[0]));
}

void presentNothing(const Parameter&, const State&, KvDbDynBlockReferencePropertyArray&) {}

// Parameters and what they show. Alignment and base point parameters have no value of their
// own; every dynamic reference shows its "Origin" besides.
const ParameterKind kKinds[] = {
    {u"BLOCKLINEARPARAMETER", twoPoints, presentDistance},
    {u"BLOCKPOLARPARAMETER", twoPoints, presentPolar},
    {u"BLOCKROTATIONPARAMETER", rotationDefaults, presentRotation},
    {u"BLOCKXYPARAMETER", twoPoints, presentXY},
    {u"BLOCKPOINTPARAMETER", onePoint, presentPosition},
    {u"BLOCKFLIPPARAMETER", notFlipped, presentFlip},
    {u"BLOCKVISIBILITYPARAMETER", firstVisibilityState, presentText},
    {u"BLOCKLOOKUPPARAMETER", none, presentText},
    {u"BLOCKALIGNMENTPARAMETER", none, presentNothing},
    {u"BLOCKBASEPOINTPARAMETER", onePoint, presentNothing},
};

// The labels a kind's properties go by (else the parameter's own name, 300).
void readNames(const DxfRecordParser& p, const std::u16string& type, Parameter& param)
{
    if (type == u"BLOCKVISIBILITYPARAMETER") {
        param.name = p.text(301, p.text(300));
    } else if (type == u"BLOCKLOOKUPPARAMETER" || type == u"BLOCKPOINTPARAMETER") {
        param.name = p.text(303, p.text(300));
    } else {
        param.name = p.text(305, p.text(300));
        param.secondName = type == u"BLOCKPOLARPARAMETER" ? p.text(307) : p.text(306);
    }
}

// A reference's record: the header (1071, 1071, 70, 70), then the state.
State stateOf(const KvTypedValueList& data)
{
    std::size_t i = 0;
    if (data.size() >= 4 && data[0].code == 1071 && data[1].code == 1071 && data[2].code == 70 && data[3].code == 70)
        i = 4;
    State s;
    for (; i < data.size(); ++i) {
        const KvTypedValue& v = data[i];
        if (v.code == 10 && v.point())
            s.points.push_back(*v.point());
        else if (v.code == 70 && v.integer())
            s.integers.push_back(*v.integer());
        else if (v.code == 1 && v.text())
            s.texts.push_back(*v.text());
    }
    return s;
}

class Resolver {
public:
    Resolver(KvDbDatabase& db, const DxfDocument& doc) : m_db(db), m_doc(doc) {}

    void run(const std::vector<KvDbObjectId>& references)
    {
        // On a large drawing the references are long out of the cache by now: the one a few
        // places on is asked for while this one is looked at.
        constexpr std::size_t kAhead = 8;
        for (std::size_t i = 0; i < references.size(); ++i) {
            if (i + kAhead < references.size()) __builtin_prefetch(m_db.objectAt(references[i + kAhead]));
            const KvDbObjectId id = references[i];
            auto* ref = kvCast<KvDbBlockReference>(m_db.objectAt(id));
            if (!ref || kvCast<KvDbTable>(ref)) continue;
            auto* btr = kvCast<KvDbBlockTableRecord>(m_db.objectAt(ref->blockTableRecord()));
            if (!btr) continue;
            KvDbObjectId definition = definitionOf(*ref, *btr);
            if (definition.isNull()) continue;
            nameAnonymousDefinition(definition);
            ref->setDynamicBlockRecord(definition);
            ref->setDynamicProperties(properties(*ref, definition));
        }
    }

    static bool isAnonymous(const KvDbBlockTableRecord& btr)
    {
        return btr.getName().rfind(u"*U", 0) == 0 || btr.getName().rfind(u"*u", 0) == 0;
    }

private:
    static const KvTypedValueList* appData(const KvDbObject& o, const std::u16string& app, std::size_t& begin)
    {
        const KvTypedValueList& x = o.xDataValues();
        for (std::size_t i = 0; i < x.size(); ++i)
            if (x[i].code == 1001 && x[i].text() && *x[i].text() == app) {
                begin = i + 1;
                return &x;
            }
        return nullptr;
    }

    KvDbObjectId definitionOf(const KvDbBlockReference& ref, const KvDbBlockTableRecord& btr)
    {
        // Thousands of references share a block record: what it tells is looked up once.
        auto [known, added] = m_definitionOfBlock.try_emplace(btr.objectId().serial());
        if (added) known->second = definitionOfBlock(btr);
        if (!known->second.isNull() || !isAnonymous(btr)) return known->second;
        KvDbObjectId repData = entry(entry(ref.extensionDictionary(), u"AcDbBlockRepresentation"), u"AcDbRepData");
        if (!repData.isNull()) {
            std::uint64_t h = 0;
            withTags(repData, [&](const DxfRecordParser& p) { h = p.handleAt(340); });
            KvDbObjectId id;
            if (h && m_db.getKvDbObjectId(id, KvDbHandle(h)) == Kvmo::eOk && isDynamicDefinition(id)) return id;
        }
        return {};
    }

    KvDbObjectId definitionOfBlock(const KvDbBlockTableRecord& btr)
    {
        if (isDynamicDefinition(btr.objectId())) return btr.objectId();
        if (!isAnonymous(btr)) return {};
        std::size_t i = 0;
        if (const KvTypedValueList* x = appData(btr, u"AcDbBlockRepBTag", i))
            for (; i < x->size() && (*x)[i].code != 1001; ++i)
                if ((*x)[i].code == 1005 && (*x)[i].text()) {
                    KvDbObjectId id;
                    if (m_db.getKvDbObjectId(id, KvDbHandle::fromText(*(*x)[i].text())) == Kvmo::eOk &&
                        kvCast<KvDbBlockTableRecord>(m_db.objectAt(id)))
                        return id;
                }
        return {};
    }

    bool isDynamicDefinition(KvDbObjectId btr)
    {
        KvDbObject* o = m_db.objectAt(btr);
        return kvCast<KvDbBlockTableRecord>(o) && !entry(o->extensionDictionary(), u"ACAD_ENHANCEDBLOCK").isNull();
    }

    // A definition kept as an anonymous block goes by the name it was made with.
    void nameAnonymousDefinition(KvDbObjectId definition)
    {
        auto* btr = kvCast<KvDbBlockTableRecord>(m_db.objectAt(definition));
        std::size_t i = 0;
        if (!btr || !isAnonymous(*btr)) return;
        const KvTypedValueList* x = appData(*btr, u"AcDbDynamicBlockTrueName", i);
        if (!x || i >= x->size() || (*x)[i].code != 1000 || !(*x)[i].text() || (*x)[i].text()->empty()) return;
        {
            const KvDbObjectPointer<KvDbBlockTableRecord> opened(definition, KvDb::kForWrite);
            if (opened) opened->setName(*(*x)[i].text());
        }
        // The name the file gives it: no change to the file.
        btr->setModifiedSinceLoad(false);
    }

    KvDbObjectId entry(KvDbObjectId dictId, const std::u16string& name)
    {
        auto* d = kvCast<KvDbDictionary>(m_db.objectAt(dictId));
        if (!d) return {};
        auto it = d->entries().find(name);
        return it == d->entries().end() ? KvDbObjectId() : it->second;
    }

    // The object's record as the file holds it (the database keeps only what it interprets).
    template <class Fn>
    void withTags(KvDbObjectId id, Fn fn)
    {
        if (m_chunkOf.empty()) {
            // Dictionaries, records and graphs are objects: the OBJECTS section holds them.
            std::uint32_t begin = 0, end = static_cast<std::uint32_t>(m_doc.chunks.size());
            if (m_doc.objectsBegin != DxfDocument::kNoChunk && m_doc.objectsEnd != DxfDocument::kNoChunk)
                begin = m_doc.objectsBegin, end = m_doc.objectsEnd;
            for (std::uint32_t i = begin; i < end; ++i)
                if (m_doc.chunks[i].kind == DxfChunkKind::kObject)
                    m_chunkOf.emplace_back(m_doc.chunkId(m_doc.chunks[i]).serial(), i);
            std::sort(m_chunkOf.begin(), m_chunkOf.end());
        }
        auto it = std::lower_bound(m_chunkOf.begin(), m_chunkOf.end(), std::make_pair(id.serial(), std::uint32_t{0}));
        if (it == m_chunkOf.end() || it->first != id.serial()) return;
        const DxfChunk& c = m_doc.chunks[it->second];
        std::string bytes;
        m_doc.source.read(c.begin, c.size, bytes);
        DxfTagReader in(bytes, m_doc.fileName, m_doc.binary, m_doc.oneByteCodes);
        std::vector<DxfTag> tags;
        DxfTag t;
        while (in.next(t)) tags.push_back(t);
        if (tags.empty()) return;
        DxfRecordParser p(in, tags, m_doc.codec);
        fn(p);
    }

    // The parameters of a definition, in the order of its evaluation graph.
    const std::vector<Parameter>& parameters(KvDbObjectId definition)
    {
        auto [found, added] = m_parameters.try_emplace(definition.serial());
        std::vector<Parameter>& out = found->second;
        if (!added) return out;
        KvDbObject* def = m_db.objectAt(definition);
        KvDbObjectId graph = def ? entry(def->extensionDictionary(), u"ACAD_ENHANCEDBLOCK") : KvDbObjectId();
        std::vector<DxfRecordParser::GraphNode> nodes;
        withTags(graph, [&](const DxfRecordParser& p) { nodes = p.graphNodes(); });
        for (const DxfRecordParser::GraphNode& node : nodes) {
            KvDbObjectId expr;
            if (m_db.getKvDbObjectId(expr, KvDbHandle(node.handle)) != Kvmo::eOk) continue;
            KvDbObject* o = m_db.objectAt(expr);
            if (!o) continue;
            const std::u16string type = o->dxfName();
            const ParameterKind* kind = nullptr;
            for (const ParameterKind& k : kKinds)
                if (type == k.type) kind = &k;
            if (!kind) continue;
            Parameter param;
            param.kind = kind;
            withTags(expr, [&](const DxfRecordParser& p) {
                param.expression = node.expression >= 0 ? node.expression : p.integer(90, -1);
                readNames(p, type, param);
                param.defaults = kind->defaults(p);
            });
            out.push_back(std::move(param));
        }
        return out;
    }

    KvDbDynBlockReferencePropertyArray properties(const KvDbBlockReference& ref, KvDbObjectId definition)
    {
        KvDbDynBlockReferencePropertyArray props;
        const std::vector<Parameter>& params = parameters(definition);
        auto* records = kvCast<KvDbDictionary>(
            m_db.objectAt(entry(entry(entry(ref.extensionDictionary(), u"AcDbBlockRepresentation"), u"AppDataCache"),
                                u"ACAD_ENHANCEDBLOCKDATA")));
        KvGePoint3d origin;
        for (const Parameter& param : params) {
            const State* state = &param.defaults;
            State stored;
            if (records) {
                auto it = records->entries().find(dxfUtf8ToUtf16(std::to_string(param.expression)));
                auto* rec = it == records->entries().end() ? nullptr : kvCast<KvDbXrecord>(m_db.objectAt(it->second));
                if (rec) state = &(stored = stateOf(rec->data()));
            }
            if (std::u16string_view(param.kind->type) == u"BLOCKBASEPOINTPARAMETER" && !state->points.empty())
                origin = state->points[0];
            param.kind->present(param, *state, props);
        }
        props.emplace_back(u"Origin", KvDbEvalVariant::point(origin));
        return props;
    }

    KvDbDatabase& m_db;
    const DxfDocument& m_doc;
    std::vector<std::pair<std::uint64_t, std::uint32_t>> m_chunkOf;  // object serial -> chunk, sorted
    std::unordered_map<std::uint64_t, std::vector<Parameter>> m_parameters;
    std::unordered_map<std::uint64_t, KvDbObjectId> m_definitionOfBlock;  // by block record serial
};

}  // namespace

bool dxfMayBeDynamicBlock(const KvDbDatabase& db, KvDbObjectId block)
{
    const auto* btr = kvCast<KvDbBlockTableRecord>(db.objectAt(block));
    if (!btr) return false;
    if (Resolver::isAnonymous(*btr)) return true;
    const auto* dict = kvCast<KvDbDictionary>(db.objectAt(btr->extensionDictionary()));
    return dict && dict->entries().count(u"ACAD_ENHANCEDBLOCK") > 0;
}

void dxfResolveDynamicBlocks(KvDbDatabase& db, const DxfDocument& doc, const std::vector<KvDbObjectId>& references)
{
    Resolver(db, doc).run(references);
}
