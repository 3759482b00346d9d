#pragma once
// Drawings for the benchmarks, filled through the host interface and read whole as the
// wizard's "select all" reads them.
#include <memory>
#include <string>

#include "engine/ExtractionEngine.h"
#include "kv/kv.h"

// Every object of the working drawing.
struct WholeSelection {
    WholeSelection()
    {
        kvedSSGet(u"A", nullptr, nullptr, nullptr, ss);
        kvedSSLength(ss, &n);
    }
    ~WholeSelection() { kvedSSFree(ss); }
    kv_name ss = {0, 0};
    std::int32_t n = 0;
};

class BenchDrawing {
public:
    BenchDrawing()
    {
        kvdbHostApplicationServices()->setWorkingDatabase(m_pDb.get());
        KvConsole::instance().setEcho(false);
    }
    ~BenchDrawing() { kvdbHostApplicationServices()->setWorkingDatabase(nullptr); }
    KvDbDatabase& Db() { return *m_pDb; }

    KvDbObjectId BlockDefinition(const std::u16string& csName)
    {
        KvDbBlockTable* pTable = nullptr;
        m_pDb->getBlockTable(pTable, KvDb::kForWrite);
        auto* pRecord = new KvDbBlockTableRecord;
        pRecord->setName(csName);
        KvDbObjectId id;
        pTable->add(id, pRecord);
        pRecord->close();
        pTable->close();
        return id;
    }

    // Model space stays open while the drawing is filled; edit runs once the entity is in it.
    template <class T, class Edit = void (*)(T&)>
    KvDbObjectId Append(
        T* pEntity, Edit edit = [](T&) {})
    {
        if (!m_pSpace) kvdbOpenObject(m_pSpace, m_pDb->modelSpaceId(), KvDb::kForWrite);
        KvDbObjectId id;
        m_pSpace->appendKvDbEntity(id, pEntity);
        edit(*pEntity);
        pEntity->close();
        return id;
    }
    void EndFilling()
    {
        if (m_pSpace) m_pSpace->close();
        m_pSpace = nullptr;
    }

    static ExtractionEngine ReadAll(const PropertyCatalog& catalog)
    {
        const WholeSelection all;
        return ExtractionEngine(all.ss, all.n, catalog);
    }

private:
    std::unique_ptr<KvDbDatabase> m_pDb = std::make_unique<KvDbDatabase>();
    KvDbBlockTableRecord* m_pSpace = nullptr;
};
