#pragma once
// A fresh drawing as the working database, and helpers to put entities into it.
#include <gtest/gtest.h>

#include "kv/kv.h"

class KvDrawingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        KvConsole::instance().setEcho(false);
        KvConsole::instance().clearRecorded();
        kvdbHostApplicationServices()->setWorkingDatabase(&db);
    }
    void TearDown() override
    {
        kvedSetInputProvider(nullptr);
        KvTestHooks::reset();
        kvdbHostApplicationServices()->setWorkingDatabase(nullptr);
    }

    // Appends to model space and closes; the entity's id.
    KvDbObjectId add(KvDbEntity* entity)
    {
        KvDbBlockTableRecord* pSpace = nullptr;
        EXPECT_EQ(kvdbOpenObject(pSpace, db.modelSpaceId(), KvDb::kForWrite), Kvmo::eOk);
        KvDbObjectId id;
        EXPECT_EQ(pSpace->appendKvDbEntity(id, entity), Kvmo::eOk);
        pSpace->close();
        entity->close();
        return id;
    }
    KvDbObjectId addLine(double x0, double y0, double x1, double y1)
    {
        return add(new KvDbLine(KvGePoint3d(x0, y0, 0), KvGePoint3d(x1, y1, 0)));
    }
    std::u16string handleOf(KvDbObjectId id) { return db.objectAt(id)->handle().text(); }

    KvDbDatabase db;
};
