#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace perch {

// A colour as the window system stores it: red in bits 0-7, green 8-15, blue 16-23.
using ColorRef = std::uint32_t;

constexpr ColorRef MakeColor(unsigned red, unsigned green, unsigned blue) {
    return (red & 0xFFu) | ((green & 0xFFu) << 8) | ((blue & 0xFFu) << 16);
}
constexpr unsigned RedOf(ColorRef c) {
    return c & 0xFFu;
}
constexpr unsigned GreenOf(ColorRef c) {
    return (c >> 8) & 0xFFu;
}
constexpr unsigned BlueOf(ColorRef c) {
    return (c >> 16) & 0xFFu;
}

// Values of the list options (their zero-based positions on the Settings page).
enum VisibilityMode : std::int32_t {
    kVisibilityNormal = 0,
    kVisibilitySmart = 1,
    kVisibilityAlwaysOnTop = 2
};
enum SortOrder : std::int32_t { kSortFileName = 0, kSortFileType = 1, kSortFullTitle = 2 };
enum LetterCase : std::int32_t { kCaseLower = 0, kCaseMixed = 1, kCaseUpper = 2 };

// Every user option. Fields are named after their registry values; the initialisers are
// the defaults, and this is the only place they are written down.
struct Settings {
    std::int32_t Auto = 0;        // reserved: read and kept, nothing depends on it
    std::int32_t Menu = 1;        // the frame shows its menu bar
    std::int32_t Boxes = 1;       // boxes are drawn around the titles
    std::int32_t Paths = 0;       // titles keep their directory
    std::int32_t Focus = 1;       // the active document's box is filled with FocusColor
    std::int32_t SmartPos = 1;    // the frame sticks to the right and bottom screen edges
    std::int32_t First = 1;       // the path is listed before the name
    std::int32_t Splash = 1;      // splash window at start-up
    std::int32_t Resize = 1;      // the frame sizes itself to the boxes
    std::int32_t Save = 1;        // settings are written at exit
    std::int32_t NumColumns = 2;  // 1..16: most box columns
    std::int32_t NumRows = 0;     // kept by the board layout
    std::int32_t NumChars = 20;   // 0..60, 0 = no limit
    float Update = 1.5f;          // 0.5..5.0 seconds; stored as whole milliseconds
    std::int32_t Visibility = kVisibilitySmart;
    std::int32_t Sort = kSortFileName;
    std::int32_t Capitals = kCaseMixed;
    std::int32_t XPos = 10;
    std::int32_t YPos = 10;
    std::int32_t XSize = 10;
    std::int32_t YSize = 10;
    std::string ExcludedApps = "Program Manager";  // entries joined by "||"
    ColorRef TextColor = MakeColor(0, 0, 0);
    ColorRef BkgndColor = MakeColor(192, 192, 192);
    ColorRef HltColor = MakeColor(0, 255, 255);
    ColorRef FocusColor = MakeColor(255, 255, 255);

    bool operator==(const Settings&) const = default;
};

// Ranges of the options that the Settings page enforces. Values outside them are kept
// as loaded; code that would misbehave on such a value bounds it where it uses it.
constexpr std::int32_t kMinColumns = 1;
constexpr std::int32_t kMaxColumns = 16;
constexpr std::int32_t kMinChars = 0;
constexpr std::int32_t kMaxChars = 60;
constexpr float kMinUpdate = 0.5f;
constexpr float kMaxUpdate = 5.0f;

// Update in whole milliseconds, as the registry stores it and the refresh timer runs.
// Rounded to the nearest millisecond: a tenth built as n * 0.1f lies just below or above
// n / 10, and truncation would store 1.4 s as 1399. Results beyond 32 bits saturate; NaN
// gives 0.
inline std::int32_t UpdateToMilliseconds(float seconds) {
    if (std::isnan(seconds)) {
        return 0;
    }
    constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
    const double ms = std::clamp(static_cast<double>(seconds) * 1000.0, kLowest, kHighest);
    return static_cast<std::int32_t>(std::lround(ms));
}

// Stored milliseconds as seconds: the integer times the float 0.001. The result is not
// always the float the Settings page makes for the same tenth (1400 reads as 1.4000001f,
// the page's 1.4 is 1.3999999f), but both store as the same milliseconds.
inline float MillisecondsToUpdate(std::int32_t ms) {
    return static_cast<float>(ms) * 0.001f;
}

// The refresh timer's period. An interval outside the Settings page's range (a hand-edited
// registry value) would make the board spin or go stale, so it is held to 0.5 to 5 s.
constexpr std::int32_t kMinTimerIntervalMs = 500;
constexpr std::int32_t kMaxTimerIntervalMs = 5000;
inline std::int32_t TimerIntervalMs(const Settings& settings) {
    return std::clamp(UpdateToMilliseconds(settings.Update), kMinTimerIntervalMs,
                      kMaxTimerIntervalMs);
}

// The column limit the board lays out with. 0 stays 0 (the layout shows an empty board for
// it); a negative limit counts as 0, since dividing by it would give negative row counts;
// above kMaxColumns counts as kMaxColumns, which also keeps "limit + boxes - 1" in range.
constexpr std::int32_t BoundedColumns(const Settings& settings) {
    return std::clamp(settings.NumColumns, std::int32_t{0}, kMaxColumns);
}

// The font description: the fields of the platform's logical-font record. Only height,
// weight, italic, underline, pitch-and-family and the face name are persisted. A fresh
// description is all zero, as at start-up before the stored font is loaded; the values
// the loader falls back to are kDefaultFont's.
struct FontDescription {
    // The face name is UTF-8: at most kFaceChars characters (what LOGFONT holds), in a
    // field that fits them with the terminating zero whatever their script.
    static constexpr int kFaceChars = 31;
    static constexpr int kFaceSize = 128;  // bytes, including the terminating zero

    std::int32_t height = 0;  // 0 = no usable font
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    char faceName[kFaceSize] = {};

    bool operator==(const FontDescription&) const = default;
};

inline constexpr FontDescription kDefaultFont = {
    .height = -11,  // a character height of 11 pixels
    .weight = 400,
    .pitchAndFamily = 34,  // variable pitch, Swiss family
    .faceName = "MS Sans Serif",
};

}  // namespace perch
