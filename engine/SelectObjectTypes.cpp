#include "engine/SelectObjectTypes.h"

#include "engine/PropCategory.h"

namespace {

void EraseByName(PropItemSet& items, const std::u16string& name)
{
    if (auto it = items.find(name); it != items.end()) items.erase(it);
}

}  // namespace

OfferedProperties SelectObjectTypes(const PropertyCatalog& catalog, const std::vector<std::u16string>& lsObjectsSel,
                                    const PropItemSet& blockPropItems)
{
    OfferedProperties offered;
    PropItemSet& seHeaders = offered.seHeaders;
    const std::vector<std::u16string>& lsNames = catalog.lsObjNames;
    const std::u16string& csThickness = catalog.ls_comPropTags.at(3).name;

    bool bBlock = false, bAttributes = false, bDynamic = false, bGeometric = false;
    bool bPolyline = false, b3dSolid = false, bText = false;
    // The last kind list chosen stays in force for kinds that choose none (solids).
    const PropItemList* pWorkingList = nullptr;

    for (const std::u16string& csKind : lsObjectsSel) {
        seHeaders.insert(catalog.objTypeItem);
        if (csKind == lsNames.at(0)) {
            seHeaders.insert(blockPropItems.begin(), blockPropItems.end());
            seHeaders.insert(catalog.blcDatas.begin(), catalog.blcDatas.end());
            seHeaders.insert(catalog.previewItem);
            bBlock = true;
            for (const PropItem& item : blockPropItems) {
                bAttributes = bAttributes || item.category == PropCategory::Attribute;
                bDynamic = bDynamic || item.category == PropCategory::DynamicBlock;
            }
            continue;
        }
        bool bKnown = false;
        for (std::size_t i = 1; i <= 8; ++i) bKnown = bKnown || csKind == lsNames.at(i);
        if (!bKnown) continue;

        seHeaders.insert(catalog.ls_comPropTags.begin(), catalog.ls_comPropTags.end());
        if (csKind != lsNames.at(6)) bGeometric = true;

        if (csKind == lsNames.at(2)) {
            pWorkingList = &catalog.pLineDatas;
            bPolyline = true;
        } else if (csKind == lsNames.at(1)) {
            pWorkingList = &catalog.lineDatas;
        } else if (csKind == lsNames.at(4)) {
            pWorkingList = &catalog.circleDatas;
        } else if (csKind == lsNames.at(3)) {
            pWorkingList = &catalog.arcDatas;
        } else if (csKind == lsNames.at(6)) {
            b3dSolid = true;
            EraseByName(seHeaders, csThickness);
        } else if (csKind == lsNames.at(7)) {
            pWorkingList = &catalog.pointDatas;
        } else if (csKind == lsNames.at(8)) {
            pWorkingList = &catalog.mTextDatas;
            EraseByName(seHeaders, csThickness);
            bText = true;
        }
        if (pWorkingList) seHeaders.insert(pWorkingList->begin(), pWorkingList->end());
    }

    std::set<std::uint32_t>& seCategories = offered.seCategories;
    if (bGeometric || bBlock) {
        seCategories.insert(PropCategory::General);
        seCategories.insert(PropCategory::Geometry);
    }
    if (bBlock) {
        seCategories.insert(PropCategory::Misc);
        if (bAttributes) seCategories.insert(PropCategory::Attribute);
        if (bDynamic) seCategories.insert(PropCategory::DynamicBlock);
    }
    if (b3dSolid) seCategories.insert(PropCategory::General);
    if (bPolyline) seCategories.insert(PropCategory::Misc);
    if (bText) seCategories.insert(PropCategory::Text);
    return offered;
}
