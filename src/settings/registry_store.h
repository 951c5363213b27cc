#pragma once

#include <cstdint>
#include <string_view>

#include "settings/profile.h"
#include "settings/settings.h"

namespace perch {

// Registry keys below the program's root. The Position key is not passed in: the options
// routines always use it.
inline constexpr std::string_view kFontSection = "Font";
inline constexpr std::string_view kOptionsSection = "Options";
inline constexpr std::string_view kPositionSection = "Position";
inline constexpr std::string_view kColorsSection = "Colors";

// Loads and saves the Settings record and the font description through a profile. Loads
// take the default of every missing value and never range-check (see BoundedColumns and
// TimerIntervalMs for where values are bounded). Saves write only the values that differ
// from the stored copy, the copy of what the registry holds, so that a user's hand-edited
// value the program did not change survives. The store keeps no state of its own.
class RegistryStore {
  public:
    // The frame's outer rectangle in screen pixels, as the exit save records it.
    struct FrameRect {
        std::int32_t left = 0;
        std::int32_t top = 0;
        std::int32_t right = 0;
        std::int32_t bottom = 0;
    };

    explicit RegistryStore(Profile& profile) : profile_(profile) {}

    // Height, then (unless the height read is 0, which leaves every other field as it
    // was) weight, italic, underline, pitch-and-family (low bytes) and the face name (at
    // most 31 bytes).
    void LoadFont(std::string_view section, FontDescription& font);
    // The values after the height: weight, italic, underline, pitch and family, face name.
    void LoadFontDetails(std::string_view section, FontDescription& font);

    // Writes the changed persisted fields (only the height when the height is 0), then
    // copies the whole description into `stored`, written or not.
    void SaveFont(std::string_view section, const FontDescription& font, FontDescription& stored);

    // The flags, counts, Update, list choices and ExcludedApps from `section`, then the
    // four position fields from Position.
    void LoadOptions(std::string_view section, Settings& settings);

    // "Save" when it changed; when Save is 0 nothing else. Otherwise the other changed
    // options and position values. Copies nothing: SaveColors updates the stored copy.
    void SaveOptions(std::string_view section, const Settings& settings, const Settings& stored);

    // The four colours, each built from the low bytes of its red, green and blue values.
    void LoadColors(std::string_view section, Settings& settings);

    // The red, green and blue values of each changed colour, then copies the whole record
    // (every field, not only the colours) into `stored`.
    void SaveColors(std::string_view section, const Settings& settings, Settings& stored);

    // The board's start-up sequence: the font from "Font", copied to its stored copy; the
    // options and position from "Options"; the colours from "Colors"; the whole record
    // copied to its stored copy.
    void LoadSettingsAtStartup(FontDescription& font, FontDescription& storedFont,
                               Settings& settings, Settings& stored);

    // The registry part of the exit save. With Save 0 only SaveOptions (which writes no more
    // than "Save"); the frame rectangle is then ignored, so a moved frame starts at its old
    // place. Otherwise the position fields take the rectangle, then SaveFont, SaveOptions
    // and SaveColors run in that order. The caller saves the bar state first, when Save is 1.
    void SaveSettingsAtExit(const FrameRect& frame, const FontDescription& font,
                            FontDescription& storedFont, Settings& settings, Settings& stored);

  private:
    void WriteIntIfChanged(std::string_view section, std::string_view name, std::int32_t value,
                           std::int32_t storedValue);

    Profile& profile_;
};

}  // namespace perch
