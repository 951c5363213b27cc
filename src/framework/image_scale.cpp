#include "framework/image_scale.h"

#include <algorithm>
#include <cstddef>

namespace framework {
namespace {

// The source coordinate of an output pixel's centre, in 1/256 of a source pixel, held to
// the picture: the first and last output pixels take the edge pixels whole.
int SourcePosition(int index, int from, int to) {
    const long long centre = (2LL * index + 1) * from * 256 / (2LL * to) - 128;
    return static_cast<int>(std::clamp<long long>(centre, 0, (from - 1) * 256LL));
}

std::uint32_t Blend(std::uint32_t a, std::uint32_t b, int weightB) {
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int ca = static_cast<int>((a >> shift) & 0xFF);
        const int cb = static_cast<int>((b >> shift) & 0xFF);
        const int c = (ca * (256 - weightB) + cb * weightB + 128) >> 8;
        out |= static_cast<std::uint32_t>(c) << shift;
    }
    return out;
}

}  // namespace

std::vector<std::uint32_t> ScaleImageSmoothly(const std::vector<std::uint32_t>& source,
                                              int width, int height, int newWidth,
                                              int newHeight) {
    if (width <= 0 || height <= 0 || newWidth <= 0 || newHeight <= 0 ||
        source.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        return {};
    }
    std::vector<std::uint32_t> out(static_cast<std::size_t>(newWidth) *
                                   static_cast<std::size_t>(newHeight));
    auto at = [&](int x, int y) {
        return source[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    };
    for (int y = 0; y < newHeight; ++y) {
        const int sy = SourcePosition(y, height, newHeight);
        const int y0 = sy >> 8;
        const int y1 = std::min(y0 + 1, height - 1);
        const int wy = sy & 0xFF;
        for (int x = 0; x < newWidth; ++x) {
            const int sx = SourcePosition(x, width, newWidth);
            const int x0 = sx >> 8;
            const int x1 = std::min(x0 + 1, width - 1);
            const int wx = sx & 0xFF;
            const std::uint32_t top = Blend(at(x0, y0), at(x1, y0), wx);
            const std::uint32_t bottom = Blend(at(x0, y1), at(x1, y1), wx);
            out[static_cast<std::size_t>(y) * static_cast<std::size_t>(newWidth) +
                static_cast<std::size_t>(x)] = Blend(top, bottom, wy);
        }
    }
    return out;
}

std::vector<std::uint32_t> ScaleImageStrip(const std::vector<std::uint32_t>& strip, int count,
                                           int cellWidth, int cellHeight, int newCellWidth,
                                           int newCellHeight) {
    if (count <= 0 || cellWidth <= 0 || cellHeight <= 0 || newCellWidth <= 0 ||
        newCellHeight <= 0 ||
        strip.size() != static_cast<std::size_t>(count) * static_cast<std::size_t>(cellWidth) *
                            static_cast<std::size_t>(cellHeight)) {
        return {};
    }
    const std::size_t stripWidth = static_cast<std::size_t>(count) * static_cast<std::size_t>(cellWidth);
    const std::size_t newStripWidth =
        static_cast<std::size_t>(count) * static_cast<std::size_t>(newCellWidth);
    std::vector<std::uint32_t> out(newStripWidth * static_cast<std::size_t>(newCellHeight));
    std::vector<std::uint32_t> cell(static_cast<std::size_t>(cellWidth) *
                                    static_cast<std::size_t>(cellHeight));
    for (int i = 0; i < count; ++i) {
        for (int y = 0; y < cellHeight; ++y) {
            const auto row = strip.begin() + static_cast<std::ptrdiff_t>(
                                                 static_cast<std::size_t>(y) * stripWidth +
                                                 static_cast<std::size_t>(i * cellWidth));
            std::copy(row, row + cellWidth,
                      cell.begin() + static_cast<std::ptrdiff_t>(y * cellWidth));
        }
        const std::vector<std::uint32_t> scaled =
            ScaleImageSmoothly(cell, cellWidth, cellHeight, newCellWidth, newCellHeight);
        for (int y = 0; y < newCellHeight; ++y) {
            std::copy(scaled.begin() + static_cast<std::ptrdiff_t>(y * newCellWidth),
                      scaled.begin() + static_cast<std::ptrdiff_t>((y + 1) * newCellWidth),
                      out.begin() + static_cast<std::ptrdiff_t>(
                                        static_cast<std::size_t>(y) * newStripWidth +
                                        static_cast<std::size_t>(i * newCellWidth)));
        }
    }
    return out;
}

}  // namespace framework
