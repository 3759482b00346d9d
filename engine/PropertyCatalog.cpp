#include "engine/PropertyCatalog.h"

#include "engine/ObjKind.h"
#include "engine/PropCategory.h"
#include "host/ResString.h"

namespace {

struct ItemSpec {
    unsigned int id;
    std::uint32_t category;
    bool totalComp;
};

PropItem Item(const ItemSpec& entry)
{
    return PropItem{LoadResString(entry.id), entry.category, entry.totalComp};
}

PropItemList Items(std::initializer_list<ItemSpec> specs)
{
    PropItemList items;
    items.reserve(specs.size());
    for (const ItemSpec& entry : specs) items.push_back(Item(entry));
    return items;
}

using namespace PropCategory;

}  // namespace

PropertyCatalog::PropertyCatalog()
    : objTypeItem(Item({168, General, false})),
      csQty(LoadResString(167)),
      previewItem(Item({177, General, false})),
      nameItem(Item({178, General, false}))
{
    for (unsigned int id : {169u, 170u, 171u, 172u, 173u, 174u, 175u, 176u, 289u})
        lsObjNames.push_back(LoadResString(id));

    lineDatas = Items({{202, Geometry, true},
                       {203, Geometry, false},
                       {204, Geometry, false},
                       {205, Geometry, false},
                       {206, Geometry, false},
                       {207, Geometry, false},
                       {208, Geometry, false},
                       {209, Geometry, false},
                       {210, Geometry, false},
                       {211, Geometry, false},
                       {212, Geometry, true}});
    pLineDatas = Items(
        {{223, Geometry, true}, {224, General, true}, {225, Geometry, true}, {255, Misc, false}, {265, Misc, false}});
    arcDatas = Items({{226, Geometry, true},
                      {227, Geometry, false},
                      {228, Geometry, false},
                      {229, Geometry, true},
                      {230, Geometry, false},
                      {231, Geometry, false},
                      {232, Geometry, false},
                      {233, Geometry, true},
                      {234, Geometry, true}});
    circleDatas = Items({{179, Geometry, true},
                         {180, Geometry, false},
                         {181, Geometry, false},
                         {182, Geometry, false},
                         {183, Geometry, true},
                         {184, Geometry, true},
                         {185, Geometry, true}});
    pointDatas = Items({{235, Geometry, false}, {236, Geometry, false}, {237, Geometry, false}});
    mTextDatas = Items({{290, Geometry, false},
                        {291, Geometry, false},
                        {292, Geometry, false},
                        {293, Text, false},
                        {294, Text, false},
                        {295, Text, false},
                        {296, Text, false},
                        {297, Text, false},
                        {298, Text, false},
                        {299, Text, true},
                        {300, Text, false},
                        {301, Text, false},
                        {302, Text, false},
                        {303, Text, false}});
    ls_comPropTags = Items({{165, General, false},
                            {193, General, false},
                            {194, General, false},
                            {195, General, true},
                            {196, General, false},
                            {197, General, false},
                            {198, General, false},
                            {199, General, false}});
    blcDatas = Items({{258, Geometry, false},
                      {259, Geometry, false},
                      {260, Geometry, false},
                      {261, Misc, true},
                      {262, Geometry, false},
                      {263, Geometry, false},
                      {264, Geometry, false}});

    for (const PropItemList* pList : {&lineDatas, &pLineDatas, &arcDatas, &pointDatas, &circleDatas})
        geomDatas.insert(geomDatas.end(), pList->begin(), pList->end());
}

const PropItemList& PropertyCatalog::ListOfKind(std::uint32_t kind) const
{
    static const PropItemList kNoItems;
    switch (kind) {
    case kObjBlock: return blcDatas;
    case kObjLine: return lineDatas;
    case kObjPolyline: return pLineDatas;
    case kObjArc: return arcDatas;
    case kObjCircle: return circleDatas;
    case kObjPoint: return pointDatas;
    case kObjMText: return mTextDatas;
    default: return kNoItems;
    }
}
