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

// The classes an object can be made of without arguments; the generic ones take a type name.
using MadeAlone =
    ClassList<KvDbLine, KvDbArc, KvDbCircle, KvDbPolyline, KvDbText, KvDbAttribute, KvDbMText, KvDbBlockReference,
              KvDbTable, KvDbSolid, KvDb3dSolid, KvDbPoint, KvDbBlockTableRecord, KvDbLayerTableRecord,
              KvDbLinetypeTableRecord, KvDbTextStyleTableRecord, KvDbRegAppTableRecord, KvDbBlockTable, KvDbLayerTable,
              KvDbLinetypeTable, KvDbTextStyleTable, KvDbRegAppTable, KvDbDictionary, KvDbXrecord, KvDbTableStyle,
              PluginLine>;

template <class... Classes>
std::vector<std::unique_ptr<KvDbObject>> oneOfEach(ClassList<Classes...>)
{
    std::vector<std::unique_ptr<KvDbObject>> objects;
    (objects.push_back(std::make_unique<Classes>()), ...);
    objects.push_back(std::make_unique<KvDbGenericEntity>(u"HATCH"));
    objects.push_back(std::make_unique<KvDbGenericObject>(u"SCALE"));
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
    for (const auto& object : oneOfEach(MadeAlone{})) expectSameAnswers(object.get(), HostClasses{});
    EXPECT_EQ(kvCast<KvDbLine>(static_cast<KvDbObject*>(nullptr)), nullptr);
}

// The drawing's index answers for the object: a loop sorting objects by kind reads it instead.
TEST(KindTest, AnIdTellsItsObjectsKindAndNoneWhenStale)
{
    std::vector<std::pair<KvDbObjectId, KvDbKind>> added;
    {
        KvDbDatabase db;
        for (auto& object : oneOfEach(MadeAlone{})) {
            const KvDbKind kind = object->kind();
            KvDbObjectId id;
            ASSERT_EQ(db.addKvDbObject(id, object.release()), Kvmo::eOk);
            added.emplace_back(id, kind);
        }
        for (const auto& [id, kind] : added) EXPECT_EQ(id.objectKind(), kind) << db.objectAt(id)->isA();
    }
    EXPECT_EQ(KvDbObjectId().objectKind(), KvDbKind::kObject);
    EXPECT_EQ(added.front().first.objectKind(), KvDbKind::kObject);
}
