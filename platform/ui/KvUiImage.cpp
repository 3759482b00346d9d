#include "kvui/KvUiImage.h"

#include <algorithm>

bool CImageList::Create(int cx, int cy, unsigned, int, int)
{
    if (cx <= 0 || cy <= 0) return false;
    m_cx = cx;
    m_cy = cy;
    m_images.clear();
    m_bCreated = true;
    return true;
}

int CImageList::Add(HICON icon)
{
    if (!m_bCreated || !icon || icon->empty()) return -1;
    m_images.push_back(*icon);
    return static_cast<int>(m_images.size()) - 1;
}

const KvUiImage* CImageList::GetImage(int index) const
{
    if (index < 0 || index >= GetImageCount()) return nullptr;
    return &m_images[static_cast<std::size_t>(index)];
}

KvUiImage kvuiMakeCheckBoxImage(bool bChecked, int size)
{
    KvUiImage image;
    image.width = image.height = size;
    image.pixels.assign(static_cast<std::size_t>(size * size * 3), 0xFF);
    auto put = [&](int x, int y, std::uint8_t grey) {
        std::size_t at = static_cast<std::size_t>(((size - 1 - y) * size + x) * 3);
        image.pixels[at] = image.pixels[at + 1] = image.pixels[at + 2] = grey;
    };
    // A frame two pixels in from the edge.
    for (int i = 2; i < size - 2; ++i) {
        put(i, 2, 0x40);
        put(i, size - 3, 0x40);
        put(2, i, 0x40);
        put(size - 3, i, 0x40);
    }
    if (bChecked) {
        // A tick: down from the left third, then up to the top right.
        int x0 = size / 4, xm = size * 5 / 12, x1 = size * 3 / 4;
        int ymid = size / 2, ybot = size * 2 / 3, ytop = size / 3;
        for (int x = x0; x <= xm; ++x) put(x, ymid + (x - x0) * (ybot - ymid) / std::max(1, xm - x0), 0x00);
        for (int x = xm; x <= x1; ++x) put(x, ybot - (x - xm) * (ybot - ytop) / std::max(1, x1 - xm), 0x00);
    }
    return image;
}
