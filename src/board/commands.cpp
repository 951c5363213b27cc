// The board's commands and their state: one place answers "enabled? checked?" for every
// command id, so the menus, the toolbar and the accelerators cannot disagree.
#include <cstddef>

#include "board/board.h"
#include "res/resource.h"

namespace perch {

bool Board::OnCommand(unsigned id) {
    switch (id) {
        case ID_SELECT_ALL:
            selection.SelectAll();
            return true;
        case ID_WINDOWS_TILE_HORZ:
            arrangement.TileSelected(TileDirection::kHorizontal);
            return true;
        case ID_WINDOWS_TILE_VERT:
            arrangement.TileSelected(TileDirection::kVertical);
            return true;
        case ID_WINDOWS_CLOSE:
            arrangement.CloseSelected();
            return true;
        case ID_WINDOWS_MINIMIZE:
            arrangement.MinimizeSelected();
            return true;
        case ID_WINDOWS_CASCADE:
            arrangement.CascadeAll();
            return true;
        case ID_SAVE_ON_EXIT:
            settings.Save = settings.Save == 0 ? 1 : 0;
            return true;
        case ID_PROPERTIES:
            OnProperties();
            return true;
        case ID_SET_FONT:
            OnSetFont();
            return true;
        default:
            return false;
    }
}

CommandState Board::QueryCommand(unsigned id) {
    const auto enabledIf = [](bool enabled) { return CommandState{true, enabled, false}; };
    switch (id) {
        case ID_SELECT_ALL: {
            const std::size_t boxes = tracker.DisplayList().size();
            return enabledIf(boxes > 0 && tracker.SelectionList().size() != boxes);
        }
        case ID_WINDOWS_TILE_HORZ:
        case ID_WINDOWS_TILE_VERT:
        case ID_WINDOWS_CLOSE:
        case ID_WINDOWS_MINIMIZE:
            return enabledIf(!selection.IsEmpty());
        case ID_WINDOWS_CASCADE:
            return enabledIf(arrangement.CanCascade());
        case ID_SAVE_ON_EXIT:
            return {true, true, settings.Save != 0};
        case ID_VIEW_TOOLBAR:
        case ID_VIEW_STATUS_BAR:
            return {true, true, frameHost.IsBarVisible(id)};
        case ID_PROPERTIES:
        case ID_SET_FONT:
        case ID_APP_ABOUT:
        case ID_APP_EXIT:
        case ID_HELP_INDEX:
        case ID_HELP_USING:
        case ID_CONTEXT_HELP:
        case ID_HELP:
        case ID_DEFAULT_HELP:
            return enabledIf(true);
        default:
            return {};
    }
}

}  // namespace perch
