#pragma once
// Draws a scene into a canvas as the view shows it: items outside the picture are culled,
// items and primitives smaller than a pixel become one dot, texts too small to read are
// left out (or drawn as a line where they are a few pixels high).
#include <cstdint>
#include <vector>

#include "kvrender/DrawingScene.h"
#include "kvrender/RasterCanvas.h"
#include "kvrender/RenderView.h"

class SceneRenderer {
public:
    // The whole picture: background, then the items in drawing order.
    static void render(const DrawingScene& scene, const RenderView& view, RasterCanvas& canvas);
    // The given items again, over what the canvas holds, in one colour and two pixels wide.
    static void highlight(const DrawingScene& scene, const RenderView& view, RasterCanvas& canvas,
                          const std::vector<std::uint32_t>& items, std::uint32_t rgb);
};
