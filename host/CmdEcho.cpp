#include "host/CmdEcho.h"

#include "kv/KvEdFunctions.h"
#include "kv/KvResbuf.h"

void SetCmdEcho(bool bEcho)
{
    resbuf value;
    value.restype = RTSHORT;
    value.resval.rint = bEcho ? 1 : 0;
    kvedSetVar(u"CMDECHO", &value);
}
