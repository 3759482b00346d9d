#include "RenderCommand.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "kv/KvString.h"
#include "kvrender/DrawingScene.h"
#include "kvrender/RasterCanvas.h"
#include "kvrender/RenderView.h"
#include "kvrender/SceneRenderer.h"
#include "shell/EditorInputParsing.h"
#include "shell/HostShell.h"

namespace {

constexpr int kDefaultWidth = 1280, kDefaultHeight = 960;
constexpr int kMinSize = 16, kMaxSize = 8192;

// The file name (in double quotes when it holds spaces) and the words after it.
bool splitArguments(const std::string& arguments, std::string& path, std::vector<std::string>& rest)
{
    std::size_t end;
    if (!arguments.empty() && arguments[0] == '"') {
        end = arguments.find('"', 1);
        if (end == std::string::npos) return false;
        path = arguments.substr(1, end - 1);
        ++end;
    } else {
        end = arguments.find_first_of(" \t");
        path = arguments.substr(0, end);
    }
    rest = end == std::string::npos ? std::vector<std::string>() : SplitWords(arguments.substr(end));
    return true;
}

bool parseSize(const std::string& text, int& value)
{
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || *end != 0 || n < kMinSize || n > kMaxSize) return false;
    value = static_cast<int>(n);
    return true;
}

void render(HostShell& shell, const std::string& arguments)
{
    std::string path;
    std::vector<std::string> rest;
    if (arguments.empty() || !splitArguments(arguments, path, rest) || path.empty()) {
        HostShell::print(u"RENDER needs the picture's file name: RENDER PATH.png [WIDTH HEIGHT].");
        return;
    }
    if (path.size() < 4 || LowerCase(path.substr(path.size() - 4)) != ".png") {
        HostShell::print(u"RENDER writes PNG pictures: the file name must end in .png.");
        return;
    }
    int width = kDefaultWidth, height = kDefaultHeight;
    if (!rest.empty() && (rest.size() != 2 || !parseSize(rest[0], width) || !parseSize(rest[1], height))) {
        HostShell::print(u"RENDER takes a width and a height in pixels, whole numbers from " +
                         kvFromUtf8(std::to_string(kMinSize)) + u" to " + kvFromUtf8(std::to_string(kMaxSize)) + u".");
        return;
    }
    const DrawingScene scene(shell.database());
    RenderView view(width, height);
    view.zoomExtents(scene.extents());
    RasterCanvas canvas(width, height);
    SceneRenderer::render(scene, view, canvas);
    std::string error;
    if (!canvas.writePng(path, error)) {
        HostShell::print(kvFromUtf8("Picture not written to " + path + ": " + error + "."));
        return;
    }
    // Which part of the drawing the picture shows, so that a point in it can be found again.
    const RenderBox shown = view.visibleWorld();
    char area[160];
    std::snprintf(area, sizeof area, "%d x %d pixels, showing %.4f,%.4f to %.4f,%.4f", width, height, shown.minX,
                  shown.minY, shown.maxX, shown.maxY);
    HostShell::print(kvFromUtf8("Picture of the drawing written to " + path + " (" + area + ")."));
}

}  // namespace

void AddRenderCommand(HostShell& shell)
{
    shell.addHostCommand("RENDER", render);
}
