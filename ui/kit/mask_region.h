// The window shape taken from a mask image: every pixel that is not pure white.
#pragma once

#include <windows.h>

#include <vector>

#include "ui/kit/gdi.h"
#include "ui/kit/image_file.h"

namespace kv::ui {

// Each maximal run of non-white pixels of a row, as a one-pixel-high rectangle.
std::vector<RECT> MaskRuns(const PixelImage& mask);

// The union of the runs; an all-white mask gives an empty (not a null) region.
GdiRegion RegionFromMask(const PixelImage& mask);

}  // namespace kv::ui
