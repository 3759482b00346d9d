#pragma once
// The editor's C-style functions: selection sets, entity names, variables, point input.
#include "kv/KvDbObjectId.h"
#include "kv/KvResbuf.h"
#include "kv/KvStatus.h"

// Selection: mode null (interactive), u"A" (every entity of the layouts) or u":S"
// (single pick). The filter keeps entities whose group 0 type name matches one of its
// 0 entries (ignoring case). RTNORM when at least one entity was selected.
int kvedSSGet(const char16_t* mode, const void* pt1, const void* pt2, const resbuf* filter, kv_name ss);
int kvedSSLength(const kv_name ss, std::int32_t* length);
int kvedSSName(const kv_name ss, std::int32_t index, kv_name entity);
int kvedSSFree(const kv_name ss);

Kvmo::ErrorStatus kvdbGetObjectId(KvDbObjectId& id, const kv_name entity);
Kvmo::ErrorStatus kvdbGetAdsName(kv_name entity, KvDbObjectId id);
// Last entity of the layouts in creation order (RTNORM), or RTERROR when there is none.
int kvdbEntLast(kv_name entity);
// The entity after the given one; with a null name (both 0) the first. RTERROR at the end.
int kvdbEntNext(const kv_name entity, kv_name next);
// Data list of an entity: 0 type name, 5 handle, 8 layer, 62 colour (caller releases).
resbuf* kvdbEntGet(const kv_name entity);

// Variables. LUPREC comes from the working drawing, VERLAN and CMDECHO from the host.
// String results are new buffers the caller releases with kvutDelBuffer.
int kvedGetVar(const char16_t* name, resbuf* result);
int kvedSetVar(const char16_t* name, const resbuf* value);

// Point request through the input provider; the result is in the current UCS.
int kvedGetPoint(const double* basePoint, const char16_t* prompt, double result[3]);
