#include "DxfDynamicBlocks.h"

#include <algorithm>
#include <unordered_map>

#include "dxf/DxfDocument.h"
#include "DxfRecordParser.h"
#include "kv/KvDbBlockReference.h"
#include "kv/KvDbBlockTableRecord.h"
#include "kv/KvDbDatabase.h"
#include "kv/KvDbDictionary.h"
#include "kv/KvDbTable.h"

// What is read:
// - the definition of an anonymous (*U) reference: the 1005 handle in its block record's
//   "AcDbBlockRepBTag" extended data, else the 340 of the reference's
//   AcDbBlockRepresentation/AcDbRepData object; a reference to a block whose extension
//   dictionary holds ACAD_ENHANCEDBLOCK is a dynamic reference to that block itself;
// - property names from the definition's ACAD_ENHANCEDBLOCK evaluation graph: each node
//   (91 id, 360 expression) whose expression is a linear, rotation, flip, visibility, lookup
//   or XY parameter, named by its label (305; XY: 305 and 306), else its 300 name;
// - values from the reference's AcDbBlockRepresentation/AppDataCache/ACAD_ENHANCEDBLOCKDATA
//   dictionary, one XRECORD per node id (entry name = the id in decimal): linear and rotation
//   take the first 40 real (XY the first two), flip the first 70, visibility and lookup the
//   first 1 text. Nodes without a record are left out; other parameter kinds are not read.
namespace {

class Resolver {
public:
    Resolver(KvDbDatabase& db, const DxfDocument& doc) : m_db(db), m_doc(doc) {}

    void run(const std::vector<KvDbObjectId>& references)
    {
        for (KvDbObjectId id : references) {
            auto* ref = dynamic_cast<KvDbBlockReference*>(m_db.objectAt(id));
            if (!ref || dynamic_cast<KvDbTable*>(ref)) continue;
            auto* btr = dynamic_cast<KvDbBlockTableRecord*>(m_db.objectAt(ref->blockTableRecord()));
            if (!btr) continue;
            KvDbObjectId definition = definitionOf(*ref, *btr);
            if (definition.isNull()) continue;
            ref->setDynamicBlockRecord(definition);
            ref->setDynamicProperties(properties(*ref, definition));
        }
    }

private:
    static bool isAnonymous(const KvDbBlockTableRecord& btr)
    {
        return btr.getName().rfind(u"*U", 0) == 0 || btr.getName().rfind(u"*u", 0) == 0;
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
            if (h && m_db.getKvDbObjectId(id, KvDbHandle(h)) == Kvmo::eOk) return id;
        }
        return {};
    }

    KvDbObjectId definitionOfBlock(const KvDbBlockTableRecord& btr)
    {
        if (!isAnonymous(btr)) return isDynamicDefinition(btr.objectId()) ? btr.objectId() : KvDbObjectId();
        const KvTypedValueList& x = btr.xDataValues();
        for (std::size_t i = 0; i < x.size(); ++i) {
            if (x[i].code != 1001 || !x[i].text() || *x[i].text() != u"AcDbBlockRepBTag") continue;
            for (std::size_t k = i + 1; k < x.size() && x[k].code != 1001; ++k)
                if (x[k].code == 1005 && x[k].text()) {
                    KvDbObjectId id;
                    if (m_db.getKvDbObjectId(id, KvDbHandle::fromText(*x[k].text())) == Kvmo::eOk) return id;
                }
        }
        return {};
    }

    bool isDynamicDefinition(KvDbObjectId btr)
    {
        KvDbObject* o = m_db.objectAt(btr);
        return o && !entry(o->extensionDictionary(), u"ACAD_ENHANCEDBLOCK").isNull();
    }

    KvDbObjectId entry(KvDbObjectId dictId, const std::u16string& name)
    {
        auto* d = dynamic_cast<KvDbDictionary*>(m_db.objectAt(dictId));
        if (!d) return {};
        auto it = d->entries().find(name);
        return it == d->entries().end() ? KvDbObjectId() : it->second;
    }

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
                    m_chunkOf.emplace_back(m_doc.chunks[i].id.serial(), i);
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

    struct Parameter {
        std::u16string type;
        std::u16string name, secondName;
    };

    // Evaluation-graph nodes of a definition, by node id.
    const std::map<long long, Parameter>& parameters(KvDbObjectId definition)
    {
        auto found = m_parameters.find(definition.serial());
        if (found != m_parameters.end()) return found->second;
        std::map<long long, Parameter>& out = m_parameters[definition.serial()];
        KvDbObject* def = m_db.objectAt(definition);
        KvDbObjectId graph = def ? entry(def->extensionDictionary(), u"ACAD_ENHANCEDBLOCK") : KvDbObjectId();
        std::vector<std::pair<long long, std::uint64_t>> nodes;
        withTags(graph, [&](const DxfRecordParser& p) { nodes = p.graphNodes(); });
        for (const auto& [nodeId, exprHandle] : nodes) {
            KvDbObjectId expr;
            if (m_db.getKvDbObjectId(expr, KvDbHandle(exprHandle)) != Kvmo::eOk) continue;
            KvDbObject* o = m_db.objectAt(expr);
            if (!o) continue;
            std::u16string type = o->dxfName();
            static const char16_t* const kinds[] = {u"BLOCKLINEARPARAMETER", u"BLOCKROTATIONPARAMETER",
                                                    u"BLOCKFLIPPARAMETER",   u"BLOCKVISIBILITYPARAMETER",
                                                    u"BLOCKLOOKUPPARAMETER", u"BLOCKXYPARAMETER"};
            bool known = false;
            for (const char16_t* k : kinds) known = known || type == k;
            if (!known) continue;
            Parameter param;
            param.type = type;
            withTags(expr, [&](const DxfRecordParser& p) {
                param.name = p.text(305, p.text(300));
                param.secondName = p.text(306);
            });
            if (!param.name.empty()) out[nodeId] = param;
        }
        return out;
    }

    KvDbDynBlockReferencePropertyArray properties(const KvDbBlockReference& ref, KvDbObjectId definition)
    {
        KvDbDynBlockReferencePropertyArray props;
        const auto& params = parameters(definition);
        if (params.empty()) return props;
        KvDbObjectId data = entry(entry(entry(ref.extensionDictionary(), u"AcDbBlockRepresentation"), u"AppDataCache"),
                                  u"ACAD_ENHANCEDBLOCKDATA");
        auto* dict = dynamic_cast<KvDbDictionary*>(m_db.objectAt(data));
        if (!dict) return props;
        for (const auto& [nodeId, param] : params) {
            auto it = dict->entries().find(std::u16string(dxfUtf8ToUtf16(std::to_string(nodeId))));
            if (it == dict->entries().end()) continue;
            auto* rec = dynamic_cast<KvDbXrecord*>(m_db.objectAt(it->second));
            if (!rec) continue;
            auto first = [&](short code, int nth = 0) -> const KvTypedValue* {
                for (const KvTypedValue& v : rec->data())
                    if (v.code == code && nth-- == 0) return &v;
                return nullptr;
            };
            const std::u16string& t = param.type;
            if (t == u"BLOCKLINEARPARAMETER" || t == u"BLOCKROTATIONPARAMETER") {
                if (const KvTypedValue* v = first(40); v && v->real())
                    props.emplace_back(param.name, KvDbEvalVariant::real(*v->real()));
            } else if (t == u"BLOCKXYPARAMETER") {
                if (const KvTypedValue* v = first(40); v && v->real())
                    props.emplace_back(param.name, KvDbEvalVariant::real(*v->real()));
                if (const KvTypedValue* v = first(40, 1); v && v->real() && !param.secondName.empty())
                    props.emplace_back(param.secondName, KvDbEvalVariant::real(*v->real()));
            } else if (t == u"BLOCKFLIPPARAMETER") {
                if (const KvTypedValue* v = first(70); v && v->integer())
                    props.emplace_back(param.name, KvDbEvalVariant::int16(static_cast<short>(*v->integer())));
            } else {
                if (const KvTypedValue* v = first(1); v && v->text())
                    props.emplace_back(param.name, KvDbEvalVariant::text(*v->text()));
            }
        }
        return props;
    }

    KvDbDatabase& m_db;
    const DxfDocument& m_doc;
    std::vector<std::pair<std::uint64_t, std::uint32_t>> m_chunkOf;  // object serial -> chunk, sorted
    std::unordered_map<std::uint64_t, std::map<long long, Parameter>> m_parameters;
    std::unordered_map<std::uint64_t, KvDbObjectId> m_definitionOfBlock;  // by block record serial
};

}  // namespace

void dxfResolveDynamicBlocks(KvDbDatabase& db, const DxfDocument& doc, const std::vector<KvDbObjectId>& references)
{
    Resolver(db, doc).run(references);
}
