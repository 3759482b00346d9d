#pragma once
// A fresh drawing as the working database, and helpers to put entities into it.
#include <gtest/gtest.h>

#include "kv/kv.h"
#include "kvtest/KvTestHooks.h"
#include "support/ModelSpace.h"

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

    KvDbObjectId add(KvDbEntity* entity) { return AppendToModelSpace(db, entity); }
    KvDbObjectId addLine(double x0, double y0, double x1, double y1)
    {
        return add(new KvDbLine(KvGePoint3d(x0, y0, 0), KvGePoint3d(x1, y1, 0)));
    }

    KvDbDatabase db;
};
