#include "platform/monitors.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace perch {
namespace {

// A rectangle in 64-bit coordinates: widths, areas and distances of int rectangles fit.
struct Box {
    std::int64_t left;
    std::int64_t top;
    std::int64_t right;
    std::int64_t bottom;
};

Box Widen(const Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// The rectangle MonitorFromRect looks at: an empty one is its top-left pixel.
Box Looked(const Rect& r) {
    Box b = Widen(r);
    if (b.right <= b.left || b.bottom <= b.top) {
        b.right = b.left + 1;
        b.bottom = b.top + 1;
    }
    return b;
}

// Each side is below 2^32, so the product fits in 64 unsigned bits.
std::uint64_t OverlapArea(const Box& a, const Box& b) {
    const std::int64_t width = std::min(a.right, b.right) - std::max(a.left, b.left);
    const std::int64_t height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    if (width <= 0 || height <= 0) {
        return 0;
    }
    return static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
}

// The gap between two rectangles along one axis; 0 when they overlap or touch there.
std::uint64_t Gap(std::int64_t lowA, std::int64_t highA, std::int64_t lowB, std::int64_t highB) {
    if (highA <= lowB) {
        return static_cast<std::uint64_t>(lowB - highA);
    }
    if (highB <= lowA) {
        return static_cast<std::uint64_t>(lowA - highB);
    }
    return 0;
}

// The squared distance between two rectangles, exactly: each gap is below 2^32, so each
// square fits in 64 bits and their sum in 65, kept as a carry and the low 64 bits.
struct SquaredDistance {
    std::uint64_t carry;
    std::uint64_t low;

    bool operator<(const SquaredDistance& other) const {
        return carry != other.carry ? carry < other.carry : low < other.low;
    }
};

SquaredDistance Distance(const Box& a, const Box& b) {
    const std::uint64_t dx = Gap(a.left, a.right, b.left, b.right);
    const std::uint64_t dy = Gap(a.top, a.bottom, b.top, b.bottom);
    const std::uint64_t sx = dx * dx;
    const std::uint64_t sum = sx + dy * dy;
    return {sum < sx ? 1u : 0u, sum};
}

int ClampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// The new low edge of a span of the given extent (at least 1) moved inside [low, high).
std::int64_t PlaceInside(std::int64_t start, std::int64_t extent, std::int64_t low,
                         std::int64_t high) {
    if (extent > high - low || start < low) {
        return low;
    }
    if (start + extent > high) {
        return high - extent;
    }
    return start;
}

}  // namespace

bool IsOnAnyMonitor(const Rect& rect, std::span<const Rect> monitors) {
    const Box looked = Looked(rect);
    return std::any_of(monitors.begin(), monitors.end(),
                       [&](const Rect& m) { return OverlapArea(looked, Widen(m)) > 0; });
}

Rect MonitorHolding(const Rect& rect, std::span<const Rect> monitors) {
    if (monitors.empty()) {
        return {};
    }
    const Box looked = Looked(rect);
    const Rect* largest = nullptr;
    std::uint64_t largestArea = 0;
    const Rect* nearest = nullptr;
    SquaredDistance nearestDistance{};
    for (const Rect& m : monitors) {
        const Box box = Widen(m);
        if (const std::uint64_t area = OverlapArea(looked, box); area > largestArea) {
            largest = &m;
            largestArea = area;
        }
        if (const SquaredDistance d = Distance(looked, box); !nearest || d < nearestDistance) {
            nearest = &m;
            nearestDistance = d;
        }
    }
    return largest ? *largest : *nearest;
}

Rect BringOntoMonitor(const Rect& rect, const Rect& monitor) {
    const Box r = Widen(rect);
    const Box m = Widen(monitor);
    // An empty rectangle is placed by its top-left pixel and keeps its own size.
    const std::int64_t width = r.right - r.left;
    const std::int64_t height = r.bottom - r.top;
    const std::int64_t left =
        PlaceInside(r.left, std::max<std::int64_t>(width, 1), m.left, m.right);
    const std::int64_t top = PlaceInside(r.top, std::max<std::int64_t>(height, 1), m.top, m.bottom);
    return {ClampToInt(left), ClampToInt(top), ClampToInt(left + width), ClampToInt(top + height)};
}

bool CanBeGrabbedOn(const Rect& rect, const Rect& monitor) {
    const Box r = Widen(rect);
    const Box m = Widen(monitor);
    const std::int64_t grabWidth = std::clamp<std::int64_t>(r.right - r.left, 1, kGrabWidth);
    const std::int64_t grabHeight = std::clamp<std::int64_t>(r.bottom - r.top, 1, kGrabHeight);
    return r.left >= m.left && r.top >= m.top && r.left + grabWidth <= m.right &&
           r.top + grabHeight <= m.bottom;
}

void LimitSizeToMonitor(int& width, int& height, const Rect& monitor) {
    const Box m = Widen(monitor);
    width = static_cast<int>(std::min<std::int64_t>(width, std::max<std::int64_t>(m.right - m.left, 0)));
    height = static_cast<int>(std::min<std::int64_t>(height, std::max<std::int64_t>(m.bottom - m.top, 0)));
}

}  // namespace perch
