#include "kvgui/GuiImages.h"

#include <algorithm>

#include <wx/image.h>

wxBitmap kvguiBitmap(const KvUiImage& image, wxSize size)
{
    if (image.empty() || image.pixels.size() < static_cast<std::size_t>(image.width * image.height * 3))
        return wxBitmap();
    wxImage out(image.width, image.height, false);
    unsigned char* rgb = out.GetData();
    // Stored bottom row first, blue first.
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* row = &image.pixels[static_cast<std::size_t>((image.height - 1 - y) * image.width * 3)];
        for (int x = 0; x < image.width; ++x, rgb += 3) {
            rgb[0] = row[x * 3 + 2];
            rgb[1] = row[x * 3 + 1];
            rgb[2] = row[x * 3];
        }
    }
    if (size.IsFullySpecified() && size != wxSize(image.width, image.height) && size.x > 0 && size.y > 0)
        out.Rescale(size.x, size.y, wxIMAGE_QUALITY_HIGH);
    return wxBitmap(out);
}

bool kvguiShowsImage(const wxImage& picture, const wxImage& image, const wxRect& area)
{
    const wxRect inside = area.Intersect(wxRect(picture.GetSize()));
    const int w = image.GetWidth(), h = image.GetHeight();
    if (!image.IsOk() || w > inside.width || h > inside.height) return false;
    const unsigned char* shown = picture.GetData();
    const unsigned char* wanted = image.GetData();
    const std::size_t shownRow = static_cast<std::size_t>(picture.GetWidth()) * 3, wantedRow = std::size_t(w) * 3;
    for (int y = inside.y; y + h <= inside.GetBottom() + 1; ++y)
        for (int x = inside.x; x + w <= inside.GetRight() + 1; ++x) {
            bool bSame = true;
            for (int row = 0; bSame && row < h; ++row)
                bSame = std::equal(wanted + row * wantedRow, wanted + (row + 1) * wantedRow,
                                   shown + (y + row) * shownRow + std::size_t(x) * 3);
            if (bSame) return true;
        }
    return false;
}
