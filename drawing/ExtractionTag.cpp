#include "drawing/ExtractionTag.h"

#include <algorithm>

#include "host/ResString.h"
#include "kv/KvConsole.h"
#include "kv/KvDbDatabase.h"
#include "kv/KvDbObject.h"
#include "kv/KvResbuf.h"

namespace {

constexpr short kGroupAppName = 1001;
constexpr short kGroupString = 1000;
constexpr unsigned int kIdNoTag = 241;

std::u16string Bounded(const std::u16string& csText, std::size_t nMax)
{
    return csText.size() > nMax ? csText.substr(0, nMax) : csText;
}

resbuf* NewStringRb(short code, const std::u16string& csText)
{
    resbuf* pRb = kvutNewRb(code);
    pRb->resval.rstring = kvutNewString(csText.c_str());
    return pRb;
}

// Appends the items (given as pointers, in order) to the object's group.
bool AppendItems(KvDbObjectId idObject, const std::u16string& csAppName,
                 const std::vector<const std::u16string*>& vepItems)
{
    KvDbObject* pObj = nullptr;
    if (kvdbOpenKvDbObject(pObj, idObject, KvDb::kForRead) != Kvmo::eOk) return false;
    const std::u16string csApp = Bounded(csAppName, kTagAppNameMax);

    resbuf* pHead = pObj->xData(csApp.c_str());
    resbuf* pTail = pHead;
    if (pHead != nullptr) {
        while (pTail->rbnext != nullptr) pTail = pTail->rbnext;
    } else {
        kvdbRegApp(csApp.c_str());
        pHead = pTail = NewStringRb(kGroupAppName, csApp);
    }
    for (const std::u16string* pItem : vepItems) {
        pTail->rbnext = NewStringRb(kGroupString, Bounded(*pItem, kTagItemMax));
        pTail = pTail->rbnext;
    }
    pObj->upgradeOpen();
    pObj->setXData(pHead);
    pObj->close();
    kvutRelRb(pHead);
    return true;
}

}  // namespace

bool AppendTagItems(KvDbObjectId idObject, const std::u16string& csAppName, const std::vector<std::u16string>& lsItems)
{
    std::vector<const std::u16string*> vepItems;
    vepItems.reserve(lsItems.size());
    for (const std::u16string& csItem : lsItems) vepItems.push_back(&csItem);
    return AppendItems(idObject, csAppName, vepItems);
}

bool AppendTagItemsInOrder(KvDbObjectId idObject, const std::u16string& csAppName,
                           const std::vector<std::u16string>& lsItems, const RowOrder& veRowOrder)
{
    // Same walk as the table fill: display position j shows TableData row veRowOrder[j],
    // or row j when the order list is shorter.
    const std::size_t nPositions = std::max(veRowOrder.size(), lsItems.size() + 1);
    std::vector<const std::u16string*> vepItems;
    vepItems.reserve(lsItems.size());
    for (std::size_t j = 1; j < nPositions; ++j) {
        const long long iRow = j < veRowOrder.size() ? veRowOrder[j] : static_cast<long long>(j);
        const long long iItem = iRow - 1;
        if (iItem < 0 || iItem >= static_cast<long long>(lsItems.size())) continue;
        vepItems.push_back(&lsItems[static_cast<std::size_t>(iItem)]);
    }
    return AppendItems(idObject, csAppName, vepItems);
}

bool ClearTag(KvDbObjectId idObject, const std::u16string& csAppName)
{
    KvDbObject* pObj = nullptr;
    if (kvdbOpenKvDbObject(pObj, idObject, KvDb::kForWrite) != Kvmo::eOk) return false;
    const std::u16string csApp = Bounded(csAppName, kTagAppNameMax);
    if (resbuf* pHead = pObj->xData(csApp.c_str())) {
        kvutRelRb(pHead->rbnext);
        pHead->rbnext = nullptr;
        pObj->setXData(pHead);
        kvutRelRb(pHead);
    }
    pObj->close();
    return true;
}

std::vector<std::u16string> ReadTag(KvDbObjectId idObject, const std::u16string& csAppName, bool bReportMissing)
{
    std::vector<std::u16string> lsItems;
    KvDbObject* pObj = nullptr;
    if (kvdbOpenKvDbObject(pObj, idObject, KvDb::kForRead) != Kvmo::eOk) return lsItems;
    const std::u16string csApp = Bounded(csAppName, kTagAppNameMax);
    if (resbuf* pHead = pObj->xData(csApp.c_str())) {
        for (const resbuf* pRb = pHead; pRb != nullptr; pRb = pRb->rbnext) {
            if (pRb->restype == kGroupString && pRb->resval.rstring != nullptr)
                lsItems.emplace_back(pRb->resval.rstring);
        }
        kvutRelRb(pHead);
    } else if (bReportMissing) {
        kvutPrintf(u"%s", FormatResString(kIdNoTag, {csApp}).c_str());
    }
    pObj->close();
    return lsItems;
}

std::vector<std::u16string> RowHandles(const TableData& veTable, bool bTotals)
{
    std::vector<std::u16string> lsHandles;
    std::size_t nEnd = veTable.size();
    if (bTotals) nEnd = nEnd >= 2 ? nEnd - 2 : 0;
    for (std::size_t i = 1; i < nEnd; ++i) lsHandles.push_back(veTable[i].empty() ? std::u16string() : veTable[i][0]);
    return lsHandles;
}

void TagExtractionTable(KvDbObjectId idTable, const TableData& veTable, bool bTotals, const RowOrder& veRowOrder,
                        const std::vector<std::u16string>& lsKinds)
{
    AppendTagItemsInOrder(idTable, kTagHandles, RowHandles(veTable, bTotals), veRowOrder);
    AppendTagItems(idTable, kTagTypes, lsKinds);
}
