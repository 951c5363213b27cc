#include "app/frame_rules.h"

#include <algorithm>
#include <array>

#include "tracker/title_text.h"

namespace perch {
namespace {

struct MetricsRow {
    int belowWidth;  // the row applies to screens narrower than this
    FrameMetrics metrics;
};

constexpr std::array<MetricsRow, 4> kMetricsRows = {{
    {650, {104, 100, 76, 14}},
    {810, {112, 100, 80, 16}},
    {1030, {130, 125, 90, 18}},
    {1290, {140, 140, 96, 20}},
}};
constexpr FrameMetrics kWidestScreen = {180, 180, 120, 22};

}  // namespace

FrameMetrics MetricsForScreenWidth(int screenWidth) {
    for (const MetricsRow& row : kMetricsRows) {
        if (screenWidth < row.belowWidth) {
            return row.metrics;
        }
    }
    return kWidestScreen;
}

std::string_view CaptionForWidth(int clientWidth, const FrameMetrics& metrics) {
    return clientWidth <= metrics.shortTitleWidth ? "Roost" : "Perch";
}

MenuChoice ChooseMenu(int clientWidth, bool compactInUse, bool force, const FrameMetrics& metrics) {
    if (clientWidth < metrics.compactMenuWidth) {
        if (compactInUse && !force) {
            return {MenuToAttach::kNone, compactInUse};
        }
        return {MenuToAttach::kCompact, true};
    }
    if (!compactInUse && !force) {
        return {MenuToAttach::kNone, compactInUse};
    }
    return {MenuToAttach::kFull, false};
}

bool IsInstanceTitle(std::string_view text) {
    return EqualsIgnoringAsciiCase(text, "Perch") || EqualsIgnoringAsciiCase(text, "Roost");
}

}  // namespace perch
