#pragma once
// Object kind numbers of the records; the kind's display name is entry kind - 1 of the
// catalog's lsObjNames.
#include <cstdint>

enum ObjKind : std::uint32_t {
    kObjBlock = 1,
    kObjLine = 2,
    kObjPolyline = 3,
    kObjArc = 4,
    kObjCircle = 5,
    kObjSolid = 6,
    kObj3dSolid = 7,
    kObjPoint = 8,
    kObjMText = 9,
};
