#pragma once

#include <array>
#include <optional>

#include "settings/settings.h"

namespace perch {

// The sixteen colours the Colors page offers, in the order the lists are filled. The half
// intensities are 127.
inline constexpr std::array<ColorRef, 16> kColorTable = {
    MakeColor(0, 0, 0),       MakeColor(255, 255, 255), MakeColor(0, 0, 255),
    MakeColor(0, 255, 0),     MakeColor(255, 0, 0),     MakeColor(0, 0, 127),
    MakeColor(0, 127, 0),     MakeColor(127, 0, 0),     MakeColor(0, 255, 255),
    MakeColor(255, 0, 255),   MakeColor(255, 255, 0),   MakeColor(0, 127, 127),
    MakeColor(127, 0, 127),   MakeColor(127, 127, 0),   MakeColor(127, 127, 127),
    MakeColor(192, 192, 192),
};

// The order of the colour lists: negative when a sorts before b. Darker first (smaller
// red + green + blue); at equal brightness the larger blue, then green, then red first.
int CompareColors(ColorRef a, ColorRef b);

// The frame drawn around a selected swatch: each component inverted.
constexpr ColorRef InverseColor(ColorRef c) {
    return MakeColor(255 - RedOf(c), 255 - GreenOf(c), 255 - BlueOf(c));
}

// The four colours the page edits, in the order of its lists.
struct ColorsPageValues {
    static constexpr int kLists = 4;
    enum List { kText = 0, kBackground = 1, kHighlight = 2, kFocus = 3 };

    std::array<ColorRef, kLists> colors{};

    static ColorsPageValues From(const Settings& settings);
    bool operator==(const ColorsPageValues&) const = default;
};

// What the page says when it is left (or OK is clicked) with a list that shows no colour.
inline constexpr char kSelectColorMessage[] = "Please Select a Color";

// The leave check over the lists' selected colours (none: a list without a selection),
// in list order: each selected colour is taken into the values until the first list
// without a selection, whose index is returned; nullopt when all four have one.
std::optional<int> TakeSelectedColors(const std::array<std::optional<ColorRef>, 4>& selected,
                                      ColorsPageValues& values);

}  // namespace perch
