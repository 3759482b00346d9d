#pragma once
// Bitmaps and icons: plain pixel data, 24 bits per pixel (blue, green, red, bottom row first
// as in a device-independent bitmap), and the image lists that list views and buttons use.
#include <cstdint>
#include <vector>

struct KvUiImage {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 24;
    std::vector<std::uint8_t> pixels;  // width * height * 3 bytes, rows bottom-up

    bool empty() const { return width <= 0 || height <= 0; }
};

// Handles are pointers to images owned by a resource module or an image list.
using HICON = const KvUiImage*;
using HBITMAP = const KvUiImage*;

constexpr unsigned ILC_COLOR24 = 0x18;
constexpr unsigned ILC_COLOR32 = 0x20;
constexpr unsigned ILC_MASK = 0x1;

class CImageList {
public:
    // Image size; the flags and growth figures are kept for the caller's sake only.
    bool Create(int cx, int cy, unsigned flags, int initial, int grow);
    bool IsCreated() const { return m_bCreated; }
    // Appends a copy of the image; returns its index, or -1 without an image or before Create.
    int Add(HICON icon);
    int GetImageCount() const { return static_cast<int>(m_images.size()); }
    const KvUiImage* GetImage(int index) const;
    int ImageWidth() const { return m_cx; }
    int ImageHeight() const { return m_cy; }

private:
    bool m_bCreated = false;
    int m_cx = 0, m_cy = 0;
    std::vector<KvUiImage> m_images;
};

// Simple artwork the controls need of their own: 16 x 16 boxes for check-box images.
KvUiImage kvuiMakeCheckBoxImage(bool bChecked, int size = 16);
