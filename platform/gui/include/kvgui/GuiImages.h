#pragma once
// The platform's pixel images as wx bitmaps.
#include <wx/bitmap.h>

#include "kvui/KvUiImage.h"

// An empty bitmap for an empty image; scaled when a size is given.
wxBitmap kvguiBitmap(const KvUiImage& image, wxSize size = wxDefaultSize);
