#pragma once
// What the database holds of an entity's record and may have changed since the record was
// read (a new attribute text, a copy moved elsewhere): values by group code and occurrence. A
// writer puts these in place of the tags whose value differs and copies every other tag as it
// was, so that what the database does not interpret travels on.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class DxfRecordParser;
class KvDbEntity;
class KvDbPolyline;

struct DxfPatch {
    int code = 0;
    int occurrence = 0;  // among the record's own tags of this code (not in 102 groups), from 0
    std::optional<double> real;
    std::optional<std::u16string> text;
};

// The patches of an entity's record of the given type ("LINE", "ATTRIB"...), as read by p.
std::vector<DxfPatch> dxfEntityPatches(const KvDbEntity& entity, std::string_view type, const DxfRecordParser& p);
// The patches of the index-th VERTEX record of an old-style polyline.
std::vector<DxfPatch> dxfVertexPatches(const KvDbPolyline& polyline, std::size_t index);
