// Smooth scaling of a small picture (toolbar images), so that a monitor at 150 % or 200 %
// gets images of its size drawn from the 96-DPI ones rather than blocky copies.
#pragma once

#include <cstdint>
#include <vector>

namespace framework {

// Pixels are 0xAARRGGBB (any byte order works: each byte is scaled on its own), rows top to
// bottom. Each output pixel samples the source bilinearly at its centre; a size of 0 (or a
// source whose pixel count is not width * height) gives an empty picture.
std::vector<std::uint32_t> ScaleImageSmoothly(const std::vector<std::uint32_t>& source,
                                              int width, int height, int newWidth,
                                              int newHeight);

// A strip of `count` images side by side, each cellWidth x cellHeight, with each image
// scaled on its own to newCellWidth x newCellHeight (no image bleeds into its neighbour).
std::vector<std::uint32_t> ScaleImageStrip(const std::vector<std::uint32_t>& strip, int count,
                                           int cellWidth, int cellHeight, int newCellWidth,
                                           int newCellHeight);

}  // namespace framework
