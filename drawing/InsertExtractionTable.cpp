#include "drawing/InsertExtractionTable.h"

#include "drawing/TableWriter.h"
#include "host/ResString.h"
#include "kv/KvDbDatabase.h"
#include "kv/KvEdFunctions.h"
#include "kv/KvGeMatrix3d.h"

namespace {

void SetCmdEcho(short iValue)
{
    resbuf* pRb = kvutNewRb(RTSHORT);
    pRb->resval.rint = iValue;
    kvedSetVar(u"CMDECHO", pRb);
    kvutRelRb(pRb);
}

KvGeMatrix3d UcsToWorld()
{
    KvGeMatrix3d mat;
    const KvDbDatabase* pDb = kvdbHostApplicationServices()->workingDatabase();
    if (pDb == nullptr) return mat;
    KvGeVector3d vecX = pDb->ucsxdir();
    KvGeVector3d vecY = pDb->ucsydir();
    KvGeVector3d vecZ = vecX.crossProduct(vecY);
    mat.setCoordSystem(pDb->ucsorg(), vecX.normalize(), vecY.normalize(), vecZ.normalize());
    return mat;
}

}  // namespace

void InsertExtractionTable(TableInsertRequest& request, EditorInteraction& ui)
{
    SetCmdEcho(0);
    ui.BeginEditorCommand();
    double adPoint[3] = {0.0, 0.0, 0.0};
    request.iInsertResult = kvedGetPoint(nullptr, LoadResString(kIdInsertionPrompt).c_str(), adPoint);
    if (request.iInsertResult == RTNORM) {
        ui.CompleteEditorCommand();
        const KvGePoint3d ptWorld = UcsToWorld().apply(KvGePoint3d(adPoint[0], adPoint[1], adPoint[2]));
        request.idInsertedTable =
            CreateTable(request.veTable, request.mapBlocks, request.veIncludeFlags, request.veHeaderOrder,
                        request.veRowOrder, ptWorld, request.csPreviewName);
    } else {
        ui.CancelEditorCommand();
    }
    SetCmdEcho(1);
}
