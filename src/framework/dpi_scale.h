// Pixel lengths at a display's DPI. Perch's lengths are written at 96 DPI (one pixel a
// point at 72/96) and follow the DPI of the monitor the frame is on: 1.5 times at 144 DPI,
// twice at 192. At 96 DPI every length is exactly itself.
#pragma once

namespace framework {

inline constexpr int kBaseDpi = 96;

// A DPI the system cannot have (0, negative, absurdly large) is taken as 96.
constexpr int SaneDpi(int dpi) {
    return dpi >= 24 && dpi <= 96 * 16 ? dpi : kBaseDpi;
}

// A length at 96 DPI as the given DPI needs it, rounded to the nearest pixel (halves away
// from zero, so that a negative font height scales as its magnitude does).
constexpr int ScaleToDpi(int pixels96, int dpi) {
    const long long product = static_cast<long long>(pixels96) * SaneDpi(dpi);
    const long long half = kBaseDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kBaseDpi
                                         : -((-product + half) / kBaseDpi));
}

// The other way: a length at the given DPI as 96 DPI has it, rounded the same way.
constexpr int UnscaleFromDpi(int pixels, int dpi) {
    const int sane = SaneDpi(dpi);
    const long long product = static_cast<long long>(pixels) * kBaseDpi;
    const long long half = sane / 2;
    return static_cast<int>(product >= 0 ? (product + half) / sane : -((-product + half) / sane));
}

}  // namespace framework
