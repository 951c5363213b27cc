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
    const WindowHandle frame = tracker.Frame();
    PushFrameToBottom(windows, frame);
    flags.busy = 1;  // ticks that arrive through the dialog's message loop do nothing
    if (viewHost.RunFontDialog(font) && viewHost.SetBoardFont(font)) {
        // A font that cannot be made leaves the board drawing in the device context's font.
        if (settings.Resize != 0) {
            flags.resizePending = 1;
        }
        viewHost.InvalidateAll();
    }
    flags.busy = 0;
    RestoreTopmostAfterDialog();
}

void Board::OnProperties() {
    PropertiesPages pages = PropertiesPages::From(settings);
    flags.busy = 1;
    if (viewHost.RunPropertiesSheet(pages)) {
        ApplySettings(pages);
    }
    flags.busy = 0;
    RestoreTopmostAfterDialog();
}

void Board::RestoreTopmostAfterDialog() {
    if (settings.Visibility != kVisibilityNormal) {
        MakeFrameTopmost(windows, tracker.Frame());
        // The flag says what the frame is, so that the next tick can take it back down
        // when the board is not due to stay on top.
        flags.topmostApplied = 1;
    }
}

void Board::ApplySettings(const PropertiesPages& pages) {
    const SettingsPageValues& page = pages.settings;
    const WindowHandle frame = tracker.Frame();

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
        viewHost.StopTimer(timerId);
        timerId = viewHost.StartTimer(kRefreshTimerId, RefreshIntervalMs(settings));
    }

    settings.Sort = page.Sort;

    settings.Visibility = page.Visibility;
    if (settings.Visibility != kVisibilityNormal) {
        if (flags.topmostApplied == 0) {
            MakeFrameTopmost(windows, frame);
            flags.topmostApplied = 1;
        }
    } else {
        PushFrameToBottom(windows, frame);
        BringFrameToTop(windows, frame);
        flags.topmostApplied = 0;
    }

    const bool menuWasShown = settings.Menu != 0;
    settings.Menu = page.Menu;
    if (settings.Menu == 0) {
        frameHost.RemoveMenu();
    } else if (!menuWasShown) {
        // Switched on: the menu comes back at once, as a double-click on the board brings it.
        frameHost.SelectMenu(windows.GetClientRect(tracker.View()).Width(), true);
    }

    tracker.RebuildDisplayList();

    settings.Resize = page.Resize;
    if (settings.Resize != 0) {
        flags.resizePending = 1;
        viewHost.RedrawNow();
        flags.resizePending = 1;
    }

    const ColorsPageValues& colors = pages.colors;
    settings.TextColor = colors.colors[ColorsPageValues::kText];
    settings.BkgndColor = colors.colors[ColorsPageValues::kBackground];
    settings.HltColor = colors.colors[ColorsPageValues::kHighlight];
    settings.FocusColor = colors.colors[ColorsPageValues::kFocus];

    settings.ExcludedApps = ExcludedAppsToStored(pages.excludedApps);

    viewHost.InvalidateAll();
}

}  // namespace perch
