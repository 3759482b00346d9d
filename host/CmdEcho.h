#pragma once
// Sets the host variable CMDECHO to 1 or 0 (a 16-bit value); the previous value is not kept.
void SetCmdEcho(bool bEcho);
