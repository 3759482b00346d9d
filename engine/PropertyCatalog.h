#pragma once
// The fixed vocabulary of object kinds and their properties, in the user-interface language.
#include <string>
#include <vector>

#include "engine/PropItem.h"

class PropertyCatalog {
public:
    // Loads every text from the string table.
    PropertyCatalog();

    PropItem objTypeItem;                    // header of the object-kind column
    std::vector<std::u16string> lsObjNames;  // kind names in ObjKind order (9 entries)
    std::u16string csQty;                    // header of the quantity column
    PropItem previewItem;                    // header of the block-preview column
    PropItem nameItem;                       // header of the object-name column
    PropItemList lineDatas;
    PropItemList pLineDatas;
    PropItemList arcDatas;
    PropItemList circleDatas;
    PropItemList pointDatas;
    PropItemList mTextDatas;
    PropItemList ls_comPropTags;  // common properties of every kind but blocks
    PropItemList geomDatas;       // line, polyline, arc, point, circle items in that order
    PropItemList blcDatas;        // block reference geometry

    // The kind-specific list of a kind: blcDatas for blocks, empty for solids and unknown kinds.
    const PropItemList& ListOfKind(std::uint32_t kind) const;
};
