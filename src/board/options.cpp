// The options the user changes while the board runs: the font dialog, the properties
// sheet and the taking of an accepted sheet into the board.
#include "board/options.h"

#include <cmath>

#include "board/board.h"

namespace perch {

float ReduceIntervalToTenths(float seconds) {
    if (!std::isfinite(seconds) || std::fabs(seconds) > 1e6f) {
        return seconds;
    }
    const auto hundredAndOne = static_cast<long>(seconds * 101.0f);
    return static_cast<float>(hundredAndOne / 10) / 10.0f;
}

void Board::OnSetFont() {
    zOrder_.OnFontDialogOpening();
    {
        // Ticks that arrive through the dialog's message loop do nothing.
        const BusyScope busy(busy_);
        if (view_.RunFontDialog(font_) && view_.SetBoardFont(font_)) {
            // A font that cannot be made leaves the board drawing in the device context's
            // font.
            if (settings_.Resize != 0) {
                placement_.RequestFit();
            }
            view_.InvalidateAll();
        }
    }
    zOrder_.OnDialogClosed();
}

void Board::OnProperties() {
    PropertiesPages pages = PropertiesPages::From(settings_);
    {
        const BusyScope busy(busy_);
        if (view_.RunPropertiesSheet(pages)) {
            ApplySettings(pages);
        }
    }
    zOrder_.OnDialogClosed();
}

void Board::ApplySettings(const PropertiesPages& pages) {
    const SettingsPageValues& page = pages.settings;
    Settings& settings = settings_;

    settings.SmartPos = page.SmartPos;
    settings.Boxes = page.Boxes;
    settings.Splash = page.Splash;
    settings.Focus = page.Focus;
    settings.Capitals = page.Capitals;
    settings.Paths = page.Paths;
    settings.First = settings.Paths == 0 ? 1 : page.First;
    settings.NumChars = page.NumChars;
    settings.NumColumns = static_cast<std::int32_t>(page.NumColumns);

    // Compared in the milliseconds the timer runs and the registry stores: a stored 1500
    // loads as 1.5000001 while the page reads back "1.5" as 1.5, and that is no change.
    if (UpdateToMilliseconds(page.Update) != UpdateToMilliseconds(settings.Update)) {
        settings.Update = ReduceIntervalToTenths(page.Update);
        view_.StopTimer(timerId_);
        timerId_ = view_.StartTimer(kRefreshTimerId, RefreshIntervalMs(settings));
    }

    settings.Sort = page.Sort;

    settings.Visibility = page.Visibility;
    zOrder_.OnVisibilityApplied();

    const bool menuWasShown = settings.Menu != 0;
    settings.Menu = page.Menu;
    if (settings.Menu == 0) {
        frame_.RemoveMenu();
    } else if (!menuWasShown) {
        // Switched on: the menu comes back at once, as a double-click on the board brings it.
        frame_.SelectMenu(windows_.GetClientRect(tracker_.View()).Width(), true);
    }

    RebuildDisplay();

    settings.Resize = page.Resize;
    if (settings.Resize != 0) {
        placement_.RequestFit();
        view_.RedrawNow();
        placement_.RequestFit();
    }

    const ColorsPageValues& colors = pages.colors;
    settings.TextColor = colors.colors[ColorsPageValues::kText];
    settings.BkgndColor = colors.colors[ColorsPageValues::kBackground];
    settings.HltColor = colors.colors[ColorsPageValues::kHighlight];
    settings.FocusColor = colors.colors[ColorsPageValues::kFocus];

    settings.ExcludedApps = ExcludedAppsToStored(pages.excludedApps);

    view_.InvalidateAll();
}

}  // namespace perch
