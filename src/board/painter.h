#pragma once

#include <string_view>

#include "framework/dpi_scale.h"
#include "platform/window_system.h"
#include "settings/settings.h"

namespace perch {

// A point in the board's client coordinates (pixels).
struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// The size of a text in the board font.
struct TextExtent {
    int cx = 0;
    int cy = 0;
};

// What a paint of the board draws with. The Win32 view turns each call into GDI on the
// device context it paints (with the board font selected, transparent text background);
// tests record the calls. One logical unit is one pixel.
class Painter {
  public:
    virtual ~Painter() = default;

    // The extent of a text in the board font.
    virtual TextExtent MeasureText(std::string_view text) = 0;
    // Fills the rectangle (right and bottom exclusive) with a solid colour.
    virtual void FillRect(const Rect& rect, ColorRef color) = 0;
    // Draws a text with its top-left corner at the point, nothing behind it.
    virtual void DrawText(Point at, std::string_view text, ColorRef color) = 0;
    // A solid one-pixel line from `from` to `to`; the end point itself is not painted.
    virtual void DrawLine(Point from, Point to, ColorRef color) = 0;
    // The system's keyboard focus rectangle along the inside of the rectangle.
    virtual void DrawFocusRect(const Rect& rect) = 0;
    // The DPI the board is drawn at: the board's insets and gaps, written at 96 DPI, are
    // scaled to it (its lines stay one pixel, its texts are measured in the font made for
    // it).
    virtual int Dpi() const { return framework::kBaseDpi; }

  protected:
    Painter() = default;
    Painter(const Painter&) = default;
    Painter& operator=(const Painter&) = default;
};

}  // namespace perch
