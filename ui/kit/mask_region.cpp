#include "ui/kit/mask_region.h"

#include <algorithm>

namespace kv::ui {

namespace {

bool IsWhite(uint32_t argb) { return (argb & 0x00FFFFFF) == 0x00FFFFFF; }

// Rectangles go into the region in blocks of this many.
constexpr size_t kBlock = 100;

GdiRegion RegionOf(const RECT* rects, size_t count) {
    std::vector<BYTE> buffer(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(count);
    data->rdh.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
    SetRect(&data->rdh.rcBound, 0, 0, 0, 0);
    for (size_t i = 0; i < count; ++i) UnionRect(&data->rdh.rcBound, &data->rdh.rcBound, &rects[i]);
    memcpy(data->Buffer, rects, count * sizeof(RECT));
    return GdiRegion(ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data));
}

}  // namespace

std::vector<RECT> MaskRuns(const PixelImage& mask) {
    std::vector<RECT> runs;
    if (mask.pixels.size() < static_cast<size_t>(mask.width) * static_cast<size_t>(std::max(mask.height, 0)))
        return runs;
    for (int y = 0; y < mask.height; ++y) {
        const uint32_t* row = &mask.pixels[static_cast<size_t>(y) * static_cast<size_t>(mask.width)];
        int x = 0;
        while (x < mask.width) {
            while (x < mask.width && IsWhite(row[x])) ++x;
            const int start = x;
            while (x < mask.width && !IsWhite(row[x])) ++x;
            if (x > start) runs.push_back(RECT{start, y, x, y + 1});
        }
    }
    return runs;
}

GdiRegion RegionFromMask(const PixelImage& mask) {
    GdiRegion region(CreateRectRgn(0, 0, 0, 0));
    const std::vector<RECT> runs = MaskRuns(mask);
    for (size_t first = 0; first < runs.size(); first += kBlock) {
        GdiRegion block = RegionOf(&runs[first], std::min(kBlock, runs.size() - first));
        if (block) CombineRgn(region.get(), region.get(), block.get(), RGN_OR);
    }
    return region;
}

}  // namespace kv::ui
