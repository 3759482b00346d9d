#pragma once

class KvDbDatabase;
struct DxfDocument;

// Gives anonymous references of dynamic blocks their definition and, as far as the file
// stores them, their property values (see DxfDynamicBlocks.cpp for what is read).
void dxfResolveDynamicBlocks(KvDbDatabase& db, const DxfDocument& doc);
