#pragma once
#include <vector>

#include "kv/KvDbObjectId.h"

class KvDbDatabase;
struct DxfDocument;

// Gives anonymous references of dynamic blocks their definition and, as far as the file
// stores them, their property values (see DxfDynamicBlocks.cpp for what is read).
// references: the block references read whose block may be dynamic (the only objects it looks at).
void dxfResolveDynamicBlocks(KvDbDatabase& db, const DxfDocument& doc, const std::vector<KvDbObjectId>& references);
// Whether a reference to this block record may be a dynamic block's: an anonymous block may
// stand for one, and a dynamic definition is one. The others' references need no look.
bool dxfMayBeDynamicBlock(const KvDbDatabase& db, KvDbObjectId block);
