#pragma once
// RENDER PATH.png [WIDTH HEIGHT]: a picture of the drawing at its extents, drawn as the
// graphical view draws it; no display is needed.
class HostShell;

void AddRenderCommand(HostShell& shell);
