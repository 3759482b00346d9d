#include <algorithm>
#include <cmath>
#include <cstdint>

#include "resources/UiResources.h"

// Our own simple artwork, drawn at load time: the wizard's side banner and two icons.
namespace {
struct Rgb {
    std::uint8_t r, g, b;
};

class Canvas {
public:
    Canvas(int width, int height, Rgb fill)
    {
        m_image.width = width;
        m_image.height = height;
        m_image.bitsPerPixel = 24;
        m_image.pixels.resize(static_cast<std::size_t>(width * height * 3));
        Fill(0, 0, width, height, fill);
    }
    // Top-down coordinates; stored bottom-up, blue first, as bitmaps are.
    void Put(int x, int y, Rgb c)
    {
        if (x < 0 || y < 0 || x >= m_image.width || y >= m_image.height) return;
        std::size_t at = static_cast<std::size_t>(((m_image.height - 1 - y) * m_image.width + x) * 3);
        m_image.pixels[at] = c.b;
        m_image.pixels[at + 1] = c.g;
        m_image.pixels[at + 2] = c.r;
    }
    void Fill(int x, int y, int cx, int cy, Rgb c)
    {
        for (int j = y; j < y + cy; ++j)
            for (int i = x; i < x + cx; ++i) Put(i, j, c);
    }
    void Frame(int x, int y, int cx, int cy, Rgb c)
    {
        for (int i = x; i < x + cx; ++i) {
            Put(i, y, c);
            Put(i, y + cy - 1, c);
        }
        for (int j = y; j < y + cy; ++j) {
            Put(x, j, c);
            Put(x + cx - 1, j, c);
        }
    }
    KvUiImage Take() { return std::move(m_image); }

private:
    KvUiImage m_image;
};

std::uint8_t mix(std::uint8_t a, std::uint8_t b, int num, int den)
{
    return static_cast<std::uint8_t>(a + (b - a) * num / std::max(1, den));
}
}  // namespace

KvUiImage MakeSideBitmap()
{
    const int width = 150, height = 383;
    const Rgb top{18, 52, 110}, bottom{120, 170, 220}, paper{244, 246, 250}, ink{40, 60, 90}, accent{230, 160, 40};
    Canvas canvas(width, height, top);
    for (int y = 0; y < height; ++y)
        canvas.Fill(
            0, y, width, 1,
            {mix(top.r, bottom.r, y, height), mix(top.g, bottom.g, y, height), mix(top.b, bottom.b, y, height)});
    // A sheet with a schedule on it: header band, grid lines, a highlighted column.
    const int sx = 22, sy = 70, sw = 106, sh = 150;
    canvas.Fill(sx + 4, sy + 4, sw, sh, {10, 30, 70});
    canvas.Fill(sx, sy, sw, sh, paper);
    canvas.Fill(sx, sy, sw, 16, ink);
    canvas.Fill(sx + 36, sy + 16, 34, sh - 16, {255, 240, 205});
    for (int row = sy + 16; row < sy + sh; row += 14) canvas.Fill(sx, row, sw, 1, {170, 180, 195});
    for (int col : {36, 70}) canvas.Fill(sx + col, sy, 1, sh, {170, 180, 195});
    canvas.Frame(sx, sy, sw, sh, ink);
    // Three drawn shapes below it: the objects the rows come from.
    canvas.Frame(28, 252, 26, 26, paper);
    for (int i = 0; i < 26; ++i) canvas.Put(62 + i, 277 - i, paper);
    for (int a = 0; a < 360; a += 3) {
        double t = a * 3.14159265358979 / 180.0;
        canvas.Put(110 + static_cast<int>(13 * std::cos(t)), 265 + static_cast<int>(13 * std::sin(t)), accent);
    }
    return canvas.Take();
}

KvUiImage MakeInsertTableIcon()
{
    const Rgb back{255, 255, 255}, ink{30, 60, 120}, head{90, 140, 210};
    Canvas canvas(16, 16, back);
    canvas.Fill(1, 2, 14, 3, head);
    canvas.Frame(1, 2, 14, 12, ink);
    for (int y : {5, 8, 11}) canvas.Fill(1, y, 14, 1, ink);
    canvas.Fill(6, 2, 1, 12, ink);
    return canvas.Take();
}

KvUiImage MakeDrawingFileIcon()
{
    const Rgb back{255, 255, 255}, ink{60, 60, 60}, line{200, 40, 40};
    Canvas canvas(16, 16, back);
    canvas.Frame(3, 1, 10, 14, ink);
    canvas.Fill(10, 1, 3, 3, {210, 210, 210});
    for (int i = 0; i < 6; ++i) canvas.Put(5 + i, 11 - i, line);
    canvas.Frame(5, 9, 3, 3, ink);
    return canvas.Take();
}
