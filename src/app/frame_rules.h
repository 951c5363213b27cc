#pragma once

#include <cstdint>
#include <string_view>

namespace perch {

// The frame's size thresholds, chosen once from the screen width.
struct FrameMetrics {
    int shortTitleWidth = 130;   // client width at or below which the caption is "Roost"
    int compactMenuWidth = 125;  // client width below which the compact menu is attached
    int minTrackWidth = 90;      // minimum frame width while the menu bar shows
    int minTrackHeight = 18;     // minimum frame height
    bool operator==(const FrameMetrics&) const = default;
};

FrameMetrics MetricsForScreenWidth(int screenWidth);

// The caption for a client width: "Roost" when narrow, "Perch" otherwise.
std::string_view CaptionForWidth(int clientWidth, const FrameMetrics& metrics);

// Which menu a size change (or a forced choice) attaches. The menu is swapped only when the
// width crosses compactMenuWidth, or when forced; hiding the menu bar leaves the choice.
enum class MenuToAttach { kNone, kCompact, kFull };
struct MenuChoice {
    MenuToAttach attach = MenuToAttach::kNone;
    bool compactInUse = true;
};
MenuChoice ChooseMenu(int clientWidth, bool compactInUse, bool force, const FrameMetrics& metrics);

// Whether a window text names a running instance: "Perch" or "Roost", letter case of A to
// Z ignored.
bool IsInstanceTitle(std::string_view text);

// The splash stays up until more than 1500 ms have passed since it was shown; the tick
// count is unsigned 32-bit and its difference stays right across the counter's wrap.
inline constexpr std::uint32_t kSplashMs = 1500;
inline bool SplashDue(std::uint32_t now, std::uint32_t shownAt) {
    return static_cast<std::uint32_t>(now - shownAt) > kSplashMs;
}

}  // namespace perch
