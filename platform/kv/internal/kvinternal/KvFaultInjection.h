#pragma once
// Refusals the host's table operations consult; set only by the tests' fault hooks
// (kvtest/KvTestHooks.h).
struct KvFaultInjection {
    int cellWritesLeft = -1;  // negative: no limit
    bool rejectColumnWidths = false;
    bool rejectTableRecompute = false;
};

KvFaultInjection& kvFaultInjection();
