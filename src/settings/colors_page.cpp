#include "settings/colors_page.h"

namespace perch {

int CompareColors(ColorRef a, ColorRef b) {
    if (a == b) {
        return 0;
    }
    const unsigned brightnessA = RedOf(a) + GreenOf(a) + BlueOf(a);
    const unsigned brightnessB = RedOf(b) + GreenOf(b) + BlueOf(b);
    if (brightnessA != brightnessB) {
        return brightnessA < brightnessB ? -1 : 1;
    }
    // Equal brightness: the larger component sorts first, blue before green before red.
    for (const auto component : {BlueOf, GreenOf, RedOf}) {
        if (component(a) != component(b)) {
            return component(a) > component(b) ? -1 : 1;
        }
    }
    return 0;  // not reached: colours differ only in their components
}

ColorsPageValues ColorsPageValues::From(const Settings& s) {
    return {{s.TextColor, s.BkgndColor, s.HltColor, s.FocusColor}};
}

std::optional<int> TakeSelectedColors(const std::array<std::optional<ColorRef>, 4>& selected,
                                      ColorsPageValues& values) {
    for (int list = 0; list < ColorsPageValues::kLists; ++list) {
        const auto index = static_cast<std::size_t>(list);
        if (!selected[index]) {
            return list;
        }
        values.colors[index] = *selected[index];
    }
    return std::nullopt;
}

}  // namespace perch
