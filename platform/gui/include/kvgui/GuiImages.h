#pragma once
// The platform's pixel images as wx bitmaps.
#include <wx/bitmap.h>
#include <wx/image.h>

#include "kvui/KvUiImage.h"

// An empty bitmap for an empty image; scaled when a size is given.
wxBitmap kvguiBitmap(const KvUiImage& image, wxSize size = wxDefaultSize);

// Whether the picture shows the whole image, pixel for pixel, somewhere inside the area.
bool kvguiShowsImage(const wxImage& picture, const wxImage& image, const wxRect& area);
