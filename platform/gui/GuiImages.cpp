#include "kvgui/GuiImages.h"

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
