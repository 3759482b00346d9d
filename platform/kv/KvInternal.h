#pragma once
// Helpers shared by the host library's own sources; not part of the programming interface.
#include <cstddef>
#include <string>
#include <string_view>

#include "kv/KvGeVector3d.h"
#include "kv/KvDbObjectId.h"
#include "kv/KvStatus.h"

class KvDbObject;

namespace kvinternal {

// Axes of an entity's own coordinate system from its normal (the drawing format's
// arbitrary-axis rule), so planar entities measure the same whatever their plane.
void ocsAxes(const KvGeVector3d& normal, KvGeVector3d& xAxis, KvGeVector3d& yAxis);

// Equal bit for bit: a -0 is not a 0 (a drawing file writes back what it read).
bool sameBits(const double* a, const double* b, std::size_t count);

// Whether child may join owner: owner resident and open for write, child new or loaded
// unowned into the same drawing.
Kvmo::ErrorStatus checkAdoptable(const KvDbObject& owner, const KvDbObject* child);
// Makes child resident (an object a file reader added keeps its id) and owned by owner.
Kvmo::ErrorStatus adopt(KvDbObject& owner, KvDbObject& child, KvDbObjectId& id);

// Fault injection state (see kvinternal/KvFaultInjection.h).
bool consumeTableCellWrite();  // false when the write must be rejected
bool columnWidthsRejected();
bool tableRecomputeRejected();

}  // namespace kvinternal
