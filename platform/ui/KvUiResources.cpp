#include "kvui/KvUiResources.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<const KvUiResourceModule*>& chain()
{
    static std::vector<const KvUiResourceModule*> modules;
    return modules;
}

template <class Map>
auto findIn(Map KvUiResourceModule::*member, int id) -> const typename Map::mapped_type*
{
    auto& modules = chain();
    for (auto it = modules.rbegin(); it != modules.rend(); ++it) {
        const Map& map = (*it)->*member;
        auto found = map.find(id);
        if (found != map.end()) return &found->second;
    }
    return nullptr;
}
}  // namespace

const KvUiControlTemplate* KvUiDialogTemplate::control(int controlId) const
{
    for (const auto& c : controls)
        if (c.id == controlId) return &c;
    return nullptr;
}

void kvuiAddResourceModule(const KvUiResourceModule* module)
{
    if (module && std::find(chain().begin(), chain().end(), module) == chain().end()) chain().push_back(module);
}

void kvuiRemoveResourceModule(const KvUiResourceModule* module)
{
    auto& modules = chain();
    modules.erase(std::remove(modules.begin(), modules.end(), module), modules.end());
}

const KvUiDialogTemplate* kvuiFindDialogTemplate(int id)
{
    return findIn(&KvUiResourceModule::dialogs, id);
}

HBITMAP kvuiLoadBitmap(int id)
{
    return findIn(&KvUiResourceModule::bitmaps, id);
}

HICON kvuiLoadIcon(int id)
{
    return findIn(&KvUiResourceModule::icons, id);
}
