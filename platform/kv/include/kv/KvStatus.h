#pragma once
// Status codes of the host programming interface.

namespace Kvmo {
enum ErrorStatus {
    eOk = 0,
    eNotImplemented,
    eNullObjectId,
    eNullObjectPointer,
    eInvalidInput,
    eInvalidIndex,
    eKeyNotFound,
    eDuplicateKey,
    eWasErased,
    eWasOpenForRead,
    eWasOpenForWrite,
    eNotOpenForWrite,
    eNotOpenForRead,
    eNotInDatabase,
    eAlreadyInDb,
    eWrongObjectType,
    eOutOfRange,
    eCannotBeErased,
    eNotApplicable,
    eInvalidLayout,
    eOutOfMemory,
};
}

// Results of selection, input and variable calls.
constexpr int RTNORM = 5100;
constexpr int RTNONE = 5000;
constexpr int RTERROR = -5001;
constexpr int RTCAN = -5002;
constexpr int RTREJ = -5003;
constexpr int RTKWORD = -5005;

namespace KvDb {
enum OpenMode { kForRead = 0, kForWrite = 1, kForNotify = 2 };

// Line weights in hundredths of a millimetre; negative values are the special ones.
enum LineWeight : int {
    kLnWtByLayer = -1,
    kLnWtByBlock = -2,
    kLnWtByLwDefault = -3,
};
}  // namespace KvDb
