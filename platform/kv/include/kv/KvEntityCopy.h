#pragma once
// Copying an entity within its drawing, as a CAD program's COPY command does.
#include "kv/KvDbObjectId.h"
#include "kv/KvGeVector3d.h"
#include "kv/KvStatus.h"

// Adds a copy of the entity to the block record that holds it, moved by an offset in world
// coordinates; a block reference's attributes are copied with it. eNotApplicable for kinds
// that cannot be copied (KvDbEntity::clone) and for an entity with an extension dictionary,
// whose contents would not follow; the copy's id otherwise.
Kvmo::ErrorStatus kvdbCopyEntity(KvDbObjectId idSource, const KvGeVector3d& offset, KvDbObjectId& idCopy);
