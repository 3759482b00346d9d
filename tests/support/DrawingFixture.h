#pragma once
// A test on a fresh drawing: it is the working database, texts are English and the command
// line is quiet and records what is printed.
#include <gtest/gtest.h>

#include <memory>

#include "kv/kv.h"
#include "support/ModelSpace.h"

class DrawingFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        kvSetUiLanguage(KvUiLanguage::English);
        KvConsole::instance().setEcho(false);
        KvConsole::instance().clearRecorded();
        NewDrawing();
    }
    void TearDown() override
    {
        kvedSetInputProvider(nullptr);
        kvdbHostApplicationServices()->setWorkingDatabase(nullptr);
        m_pDb.reset();
        kvSetUiLanguage(KvUiLanguage::English);
    }

    KvDbDatabase& Db() { return *m_pDb; }
    void NewDrawing()
    {
        kvdbHostApplicationServices()->setWorkingDatabase(nullptr);
        m_pDb = std::make_unique<KvDbDatabase>();
        kvdbHostApplicationServices()->setWorkingDatabase(m_pDb.get());
    }

    // Appends to model space; the callback edits the entity while it is still open for write.
    template <class T, class Edit = void (*)(T&)>
    KvDbObjectId Add(
        T* pEntity, Edit edit = [](T&) {})
    {
        return AppendToModelSpace(Db(), pEntity, edit);
    }

private:
    std::unique_ptr<KvDbDatabase> m_pDb;
};
