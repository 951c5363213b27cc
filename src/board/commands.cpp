// The board's commands and their state in one table: the menus, the toolbar and the
// accelerators all ask QueryCommand, so they cannot disagree, and a command is carried out
// from the same row that says whether it is enabled. The frame answers its own commands.
//
// While the board is busy (a dialog of the board is open, or a command is under way) none
// of its commands runs, however it arrives: a floating toolbar, an accelerator or a menu
// reached through another modal loop would otherwise run it inside that loop.
#include <cstddef>

#include "board/board.h"
#include "res/resource.h"

namespace perch {

struct Board::Command {
    unsigned id;
    void (*run)(Board& board);
    bool (*enabled)(Board& board);  // none: always enabled
    bool (*checked)(Board& board);  // none: never checked
};

std::span<const Board::Command> Board::Commands() {
    constexpr auto anySelected = [](Board& board) { return !board.selection_.IsEmpty(); };
    static constexpr Command kCommands[] = {
        {ID_SELECT_ALL, [](Board& board) { board.selection_.SelectAll(); },
         [](Board& board) {
             const std::size_t boxes = board.tracker_.DisplayList().size();
             return boxes > 0 && board.selection_.SelectionList().size() != boxes;
         },
         nullptr},
        {ID_WINDOWS_TILE_HORZ,
         [](Board& board) { board.arrangement_.TileSelected(TileDirection::kHorizontal); },
         anySelected, nullptr},
        {ID_WINDOWS_TILE_VERT,
         [](Board& board) { board.arrangement_.TileSelected(TileDirection::kVertical); },
         anySelected, nullptr},
        {ID_WINDOWS_CLOSE, [](Board& board) { board.arrangement_.CloseSelected(); }, anySelected,
         nullptr},
        {ID_WINDOWS_MINIMIZE, [](Board& board) { board.arrangement_.MinimizeSelected(); },
         anySelected, nullptr},
        {ID_WINDOWS_CASCADE, [](Board& board) { board.arrangement_.CascadeAll(); },
         [](Board& board) { return board.arrangement_.CanCascade(); }, nullptr},
        {ID_SAVE_ON_EXIT,
         [](Board& board) { board.settings_.Save = board.settings_.Save == 0 ? 1 : 0; }, nullptr,
         [](Board& board) { return board.settings_.Save != 0; }},
        {ID_PROPERTIES, [](Board& board) { board.OnProperties(); }, nullptr, nullptr},
        {ID_SET_FONT, [](Board& board) { board.OnSetFont(); }, nullptr, nullptr},
    };
    return kCommands;
}

bool Board::OnCommand(unsigned id) {
    for (const Command& command : Commands()) {
        if (command.id == id) {
            if (!busy_.IsBusy()) {
                command.run(*this);
                Announce();
            }
            return true;
        }
    }
    return false;
}

framework::CommandStatus Board::QueryCommand(unsigned id) {
    for (const Command& command : Commands()) {
        if (command.id == id) {
            const bool enabled =
                !busy_.IsBusy() && (command.enabled == nullptr || command.enabled(*this));
            return {true, enabled, command.checked != nullptr && command.checked(*this)};
        }
    }
    return {};
}

}  // namespace perch
