#include <gtest/gtest.h>

#include <memory>
#include <typeinfo>
#include <vector>

#include "kv/kv.h"

namespace {

// A class a plug-in could derive: it declares no kind of its own.
class PluginLine : public KvDbLine {
public:
    const char* isA() const override { return "PluginLine"; }
};

template <class... Classes>
struct ClassList {
};

using HostClasses =
    ClassList<KvDbObject, KvDbEntity, KvDbCurve, KvDbLine, KvDbArc, KvDbCircle, KvDbPolyline, KvDbText, KvDbAttribute,
              KvDbMText, KvDbBlockReference, KvDbTable, KvDbSolid, KvDb3dSolid, KvDbPoint, KvDbGenericEntity,
              KvDbSymbolTableRecord, KvDbBlockTableRecord, KvDbLayerTableRecord, KvDbLinetypeTableRecord,
              KvDbTextStyleTableRecord, KvDbRegAppTableRecord, KvDbSymbolTable, KvDbBlockTable, KvDbLayerTable,
              KvDbLinetypeTable, KvDbTextStyleTable, KvDbRegAppTable, KvDbDictionary, KvDbXrecord, KvDbGenericObject,
              KvDbTableStyle, PluginLine>;

std::vector<std::unique_ptr<KvDbObject>> oneOfEachClass()
{
    std::vector<std::unique_ptr<KvDbObject>> objects;
    objects.push_back(std::make_unique<KvDbLine>());
    objects.push_back(std::make_unique<KvDbArc>());
    objects.push_back(std::make_unique<KvDbCircle>());
    objects.push_back(std::make_unique<KvDbPolyline>());
    objects.push_back(std::make_unique<KvDbText>());
    objects.push_back(std::make_unique<KvDbAttribute>());
    objects.push_back(std::make_unique<KvDbMText>());
    objects.push_back(std::make_unique<KvDbBlockReference>());
    objects.push_back(std::make_unique<KvDbTable>());
    objects.push_back(std::make_unique<KvDbSolid>());
    objects.push_back(std::make_unique<KvDb3dSolid>());
    objects.push_back(std::make_unique<KvDbPoint>());
    objects.push_back(std::make_unique<KvDbGenericEntity>(u"HATCH"));
    objects.push_back(std::make_unique<KvDbBlockTableRecord>());
    objects.push_back(std::make_unique<KvDbLayerTableRecord>());
    objects.push_back(std::make_unique<KvDbLinetypeTableRecord>());
    objects.push_back(std::make_unique<KvDbTextStyleTableRecord>());
    objects.push_back(std::make_unique<KvDbRegAppTableRecord>());
    objects.push_back(std::make_unique<KvDbBlockTable>());
    objects.push_back(std::make_unique<KvDbLayerTable>());
    objects.push_back(std::make_unique<KvDbLinetypeTable>());
    objects.push_back(std::make_unique<KvDbTextStyleTable>());
    objects.push_back(std::make_unique<KvDbRegAppTable>());
    objects.push_back(std::make_unique<KvDbDictionary>());
    objects.push_back(std::make_unique<KvDbXrecord>());
    objects.push_back(std::make_unique<KvDbGenericObject>(u"SCALE"));
    objects.push_back(std::make_unique<KvDbTableStyle>());
    objects.push_back(std::make_unique<PluginLine>());
    return objects;
}

template <class T>
void expectSameAnswer(const KvDbObject* p)
{
    EXPECT_EQ(kvCast<T>(p) != nullptr, dynamic_cast<const T*>(p) != nullptr) << p->isA() << " as " << typeid(T).name();
}

template <class... Classes>
void expectSameAnswers(const KvDbObject* p, ClassList<Classes...>)
{
    (expectSameAnswer<Classes>(p), ...);
}

}  // namespace

// The kinds stand for the class tree: a class test by kind answers as the class hierarchy
// does, for every pair of object class and tested class.
TEST(KindTest, ClassTestsByKindAgreeWithTheClassHierarchy)
{
    for (const auto& object : oneOfEachClass()) expectSameAnswers(object.get(), HostClasses{});
    EXPECT_EQ(kvCast<KvDbLine>(static_cast<KvDbObject*>(nullptr)), nullptr);
}
