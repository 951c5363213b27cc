#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "settings/profile.h"

namespace perch {

// Where a control bar sits on its frame.
enum class DockSide : std::int32_t { kTop = 0, kBottom = 1, kLeft = 2, kRight = 3 };

// One bar's state as the frame saves it between runs: whether it shows, which side of the
// frame it is docked to, or where it floats.
struct BarState {
    std::int32_t barId = 0;
    bool visible = true;
    DockSide side = DockSide::kTop;
    bool floating = false;
    std::int32_t floatX = 0;  // screen position of the floating palette
    std::int32_t floatY = 0;
    bool operator==(const BarState&) const = default;
};

// The bars of a frame and the screen size they were saved on.
struct BarStateRecord {
    std::int32_t screenCx = 0;
    std::int32_t screenCy = 0;
    std::vector<BarState> bars;
    bool operator==(const BarStateRecord&) const = default;
};

// The record under a profile name, in the sections "<name>-Summary" ("Bars", "ScreenCX",
// "ScreenCY") and "<name>-Bar<i>" (i from 0: "BarID", "Visible", "Horz", "Floating",
// "XPos", "YPos", "Docking", "MRUDockID", "MRUFloatXPos", "MRUFloatYPos").
void SaveBarState(Profile& profile, std::string_view profileName, const BarStateRecord& record);
// What was saved; no bars when nothing was. A bar whose values are damaged keeps the
// defaults for them (visible, docked at the top).
BarStateRecord LoadBarState(Profile& profile, std::string_view profileName);

}  // namespace perch
