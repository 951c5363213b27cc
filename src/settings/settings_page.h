#pragma once

#include <cstdint>

#include "framework/data_exchange.h"
#include "settings/settings.h"

namespace perch {

// The values the Settings page edits, copied from the Settings record when the page is
// built and read back by the board after OK. The column limit is unsigned while edited.
struct SettingsPageValues {
    std::uint32_t NumColumns = 0;
    std::int32_t Splash = 0;
    std::int32_t Menu = 0;
    std::int32_t SmartPos = 0;
    std::int32_t Paths = 0;
    std::int32_t Boxes = 0;
    std::int32_t First = 0;
    std::int32_t Resize = 0;
    std::int32_t Focus = 0;
    std::int32_t Capitals = 0;
    std::int32_t Sort = 0;
    std::int32_t Visibility = 0;
    float Update = 0;
    std::int32_t NumChars = 0;

    static SettingsPageValues From(const Settings& settings);
    bool operator==(const SettingsPageValues&) const = default;
};

// The page's data exchange, in the order that decides which failure is reported first:
// Max Columns, Show Splash Screen, the three lists, Update Interval, the other check boxes,
// Max Chars.
void ExchangeSettingsPage(framework::DataExchange& dx, SettingsPageValues& values);

// "List Paths First" follows "Show Paths": enabled and ticked when paths are shown,
// unticked and disabled when not.
struct PathsFirstState {
    bool enabled;
    bool checked;
};
constexpr PathsFirstState PathsFirstFor(bool showPaths) {
    return {showPaths, showPaths};
}

}  // namespace perch
