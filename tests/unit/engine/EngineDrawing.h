#pragma once
// A drawing built through the host interface, and engines read from it.
#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <string>
#include <utility>

#include "engine/ExtractionEngine.h"
#include "kv/kv.h"
#include "support/DrawingFixture.h"

// Name -> value of the pairs a row of the record shows (common values first, as the
// table places them).
inline std::map<std::u16string, std::u16string> Shown(const GeomEnt& record, const PropertyCatalog& catalog)
{
    std::map<std::u16string, std::u16string> shown;
    for (const PropValue& pair : record.GetCommonProps(catalog.ls_comPropTags)) shown[pair.name] = pair.value;
    for (const PropValue& pair : record.GetProps(catalog.ListOfKind(record.type))) shown[pair.name] = pair.value;
    return shown;
}

class EngineDrawingTest : public DrawingFixture {
protected:
    KvDbObjectId AddLine(KvGePoint3d start, KvGePoint3d end) { return Add(new KvDbLine(start, end)); }

    KvDbObjectId AddBlockDefinition(const std::u16string& name) { return BlockDefinition(Db(), name); }

    using Attributes = std::initializer_list<std::pair<std::u16string, std::u16string>>;

    // A reference to the record, with attributes (tag, text) in order. A dynamic block
    // reference also names its definition and carries its property values.
    KvDbObjectId AddReference(KvDbObjectId idRecord, Attributes attributes = {}, KvDbObjectId idDynamicDefinition = {},
                              KvDbDynBlockReferencePropertyArray dynamicProps = {}, KvGePoint3d position = {},
                              double rotation = 0.0, KvGeScale3d scale = {})
    {
        auto* pReference = new KvDbBlockReference;
        pReference->setBlockTableRecord(idRecord);
        pReference->setPosition(position);
        pReference->setRotation(rotation);
        pReference->setScaleFactors(scale);
        pReference->setDynamicBlockRecord(idDynamicDefinition);
        pReference->setDynamicProperties(std::move(dynamicProps));
        return Add(pReference, [&](KvDbBlockReference& reference) {
            for (const auto& [tag, text] : attributes) AppendAttribute(reference, tag, text);
        });
    }

    // An engine of every entity of the drawing, as the wizard builds it from "all".
    ExtractionEngine Read()
    {
        kv_name ss = {0, 0};
        std::int32_t count = 0;
        if (kvedSSGet(u"A", nullptr, nullptr, nullptr, ss) == RTNORM) {
            kvedSSLength(ss, &count);
            ExtractionEngine engine(ss, count, PropertyCatalog());
            kvedSSFree(ss);
            return engine;
        }
        return ExtractionEngine(ss, 0, PropertyCatalog());
    }
};
