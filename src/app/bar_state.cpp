#include "app/bar_state.h"

#include <string>

#include "framework/standard_ids.h"

namespace perch {
namespace {

// The dock bars' ids, by side, as the framework numbers them.
constexpr std::int32_t kDockBarTop = AFX_IDW_DOCKBAR_TOP;
constexpr std::int32_t kDockBarBottom = AFX_IDW_DOCKBAR_BOTTOM;
constexpr std::int32_t kDockBarLeft = AFX_IDW_DOCKBAR_LEFT;
constexpr std::int32_t kDockBarRight = AFX_IDW_DOCKBAR_RIGHT;
// More bars than a frame could have means a damaged record.
constexpr std::int32_t kMaxBars = 16;

std::string Summary(std::string_view name) {
    return std::string(name) + "-Summary";
}

std::string BarSection(std::string_view name, int index) {
    return std::string(name) + "-Bar" + std::to_string(index);
}

std::int32_t DockBarOf(DockSide side) {
    switch (side) {
        case DockSide::kBottom:
            return kDockBarBottom;
        case DockSide::kLeft:
            return kDockBarLeft;
        case DockSide::kRight:
            return kDockBarRight;
        case DockSide::kTop:
            break;
    }
    return kDockBarTop;
}

DockSide SideOf(std::int32_t dockBar) {
    switch (dockBar) {
        case kDockBarBottom:
            return DockSide::kBottom;
        case kDockBarLeft:
            return DockSide::kLeft;
        case kDockBarRight:
            return DockSide::kRight;
        default:
            return DockSide::kTop;
    }
}

}  // namespace

void SaveBarState(Profile& profile, std::string_view profileName, const BarStateRecord& record) {
    const std::string summary = Summary(profileName);
    profile.WriteInt(summary, "Bars", static_cast<std::int32_t>(record.bars.size()));
    profile.WriteInt(summary, "ScreenCX", record.screenCx);
    profile.WriteInt(summary, "ScreenCY", record.screenCy);
    for (std::size_t i = 0; i < record.bars.size(); ++i) {
        const BarState& bar = record.bars[i];
        const std::string section = BarSection(profileName, static_cast<int>(i));
        const bool horizontal = bar.side == DockSide::kTop || bar.side == DockSide::kBottom;
        profile.WriteInt(section, "BarID", bar.barId);
        profile.WriteInt(section, "Visible", bar.visible ? 1 : 0);
        profile.WriteInt(section, "Horz", horizontal ? 1 : 0);
        profile.WriteInt(section, "Floating", bar.floating ? 1 : 0);
        profile.WriteInt(section, "XPos", bar.floatX);
        profile.WriteInt(section, "YPos", bar.floatY);
        profile.WriteInt(section, "Docking", 1);
        profile.WriteInt(section, "MRUDockID", DockBarOf(bar.side));
        profile.WriteInt(section, "MRUFloatXPos", bar.floatX);
        profile.WriteInt(section, "MRUFloatYPos", bar.floatY);
    }
}

BarStateRecord LoadBarState(Profile& profile, std::string_view profileName) {
    BarStateRecord record;
    const std::string summary = Summary(profileName);
    const std::int32_t count = profile.ReadInt(summary, "Bars", 0);
    if (count <= 0 || count > kMaxBars) {
        return record;
    }
    record.screenCx = profile.ReadInt(summary, "ScreenCX", 0);
    record.screenCy = profile.ReadInt(summary, "ScreenCY", 0);
    for (int i = 0; i < count; ++i) {
        const std::string section = BarSection(profileName, i);
        BarState bar;
        bar.barId = profile.ReadInt(section, "BarID", 0);
        bar.visible = profile.ReadInt(section, "Visible", 1) != 0;
        bar.floating = profile.ReadInt(section, "Floating", 0) != 0;
        bar.floatX = profile.ReadInt(section, "MRUFloatXPos", profile.ReadInt(section, "XPos", 0));
        bar.floatY = profile.ReadInt(section, "MRUFloatYPos", profile.ReadInt(section, "YPos", 0));
        bar.side = SideOf(profile.ReadInt(section, "MRUDockID", kDockBarTop));
        record.bars.push_back(bar);
    }
    return record;
}

}  // namespace perch
