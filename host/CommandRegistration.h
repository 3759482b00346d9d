#pragma once
// The module's commands, all in one group so that unloading removes them at once.
#include "kv/KvRx.h"

extern const char16_t* const kCommandGroup;  // "KRX_DATA_EXTRACT"

// The host's messages to the module (load: unlock, several documents, commands; unload:
// remove the group). The result is always success.
KvRx::AppRetCode HandleAppMessage(KvRx::AppMsgCode message, void* appId);
void RegisterCommands();
void UnregisterCommands();
