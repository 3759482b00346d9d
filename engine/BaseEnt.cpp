#include "engine/BaseEnt.h"

std::u16string BaseEnt::TypeName(const std::vector<std::u16string>& lsObjNames) const
{
    if (type < 1 || type > lsObjNames.size()) return {};
    return lsObjNames[type - 1];
}
