// The whole board over random window trees: created from a stored profile the input fills
// (in range and out of it), then driven as its view and frame drive it (timer ticks,
// paints, mouse messages, the enabled commands with their dialogs, the frame minimized,
// restored, moved, the bars changed, the exit save) while the windows change between the
// calls and inside the queries the board makes. After every step the board's lists must
// agree and every hit test must answer a box of the list or none.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "board/board.h"
#include "board/layout.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/random_desktop.h"
#include "res/resource.h"
#include "settings/colors_page.h"
#include "support/board_access.h"
#include "support/board_recorders.h"
#include "support/memory_profile.h"

namespace {

using perch::Board;
using perch::BoardTestAccess;
using perch::Point;
using perch::fuzz::FuzzInput;
using perch::fuzz::RandomDesktop;


// A stored profile: each value missing, in its usual range, or any 32 bits.
void FillProfile(FuzzInput& input, perch::test::MemoryProfile& profile) {
    static constexpr const char* kOptions[] = {
        "Boxes",    "Menu",   "Auto",     "SmartPos", "Resize",     "First",
        "Paths",    "Splash", "Focus",    "Save",     "NumColumns", "NumRows",
        "NumChars", "Update", "Capitals", "Sort",     "Visibility",
    };
    static constexpr const char* kPosition[] = {"X Pos", "Y Pos", "X Size", "Y Size"};
    const auto store = [&](const char* section, const char* name) {
        switch (input.Byte() % 3) {
            case 1:
                profile.Set(section, name, input.SmallOrAnyInt());
                break;
            case 2:
                profile.Set(section, name, input.Int32());
                break;
            default:
                break;  // missing
        }
    };
    for (const char* name : kOptions) {
        store("Options", name);
    }
    for (const char* name : kPosition) {
        store("Position", name);
    }
    store("Font", "Height");
    if (input.Bool()) {
        profile.Set("Options", "Excluded Apps", perch::fuzz::RandomTitle(input));
    }
}

// What the user does in the properties sheet: values the pages' checks let through.
void EditPages(FuzzInput& input, perch::PropertiesPages& pages) {
    perch::SettingsPageValues& v = pages.settings;
    v.NumColumns = 1 + input.Below(16);
    v.NumChars = static_cast<std::int32_t>(input.Below(61));
    v.Update = 0.5f + static_cast<float>(input.Below(46)) * 0.1f;
    v.Sort = static_cast<std::int32_t>(input.Below(4)) - 1;
    v.Capitals = static_cast<std::int32_t>(input.Below(4)) - 1;
    v.Visibility = static_cast<std::int32_t>(input.Below(4)) - 1;
    for (std::int32_t* check :
         {&v.Splash, &v.Menu, &v.SmartPos, &v.Paths, &v.Boxes, &v.First, &v.Resize, &v.Focus}) {
        *check = static_cast<std::int32_t>(input.Below(3));
    }
    for (perch::ColorRef& color : pages.colors.colors) {
        color = perch::kColorTable[input.Below(perch::kColorTable.size())];
    }
    pages.excludedApps = perch::fuzz::RandomTitle(input);
}

Point AnyPoint(FuzzInput& input, const Board& board) {
    const perch::TitleList& titles = board.tracker().CurrentTitles();
    if (input.Bool() && !titles.empty()) {
        // The centre of a box, as the user aims.
        const auto box = board.layout().BoxRect(
            static_cast<int>(input.Below(static_cast<std::uint32_t>(titles.size()))));
        if (box) {
            return {(box->left + box->right) / 2, (box->top + box->bottom) / 2};
        }
    }
    return {static_cast<int>(input.Below(700)) - 100, static_cast<int>(input.Below(500)) - 100};
}

constexpr unsigned kCommands[] = {
    ID_SELECT_ALL,    ID_WINDOWS_TILE_HORZ, ID_WINDOWS_TILE_VERT,
    ID_WINDOWS_CLOSE, ID_WINDOWS_MINIMIZE,  ID_WINDOWS_CASCADE,
    ID_SAVE_ON_EXIT,  ID_PROPERTIES,        ID_SET_FONT,
    0xE140,  // not the board's
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const perch::CodePage& codePage = perch::fuzz::RandomCodePage(input);
    perch::test::MemoryProfile profile;
    FillProfile(input, profile);
    RandomDesktop scene(input);

    perch::test::RecordingViewHost viewHost;
    perch::test::RecordingFrameHost frameHost;
    perch::test::RecordingPainter painter;
    Board board(scene.desk, profile, codePage, viewHost, frameHost);
    board.SetBoardWindows(scene.view, scene.frame);
    // The view repaints at once when asked to, with the same painter.
    viewHost.onRedraw = [&] {
        painter.Clear();
        board.Paint(painter);
    };
    // Timer messages reach the board while its dialogs are open.
    viewHost.duringDialog = [&] { board.OnTimer(BoardTestAccess::TimerIdOf(board)); };

    board.OnCreate();
    bool changing = false;
    const auto check = [&] {
        perch::fuzz::CheckBoardLists(board.tracker(), board.selection(), board.layout(), input);
        FUZZ_REQUIRE(!board.IsBusy());
    };
    check();

    for (int step = 0; step < 64 && !input.Empty(); ++step) {
        switch (input.Byte() % 12) {
            case 0:
            case 1:
                board.OnTimer(input.Byte() < 0xF0 ? BoardTestAccess::TimerIdOf(board) : 2);
                break;
            case 2:
                painter.Clear();
                board.EraseBackground(painter);
                board.Paint(painter);
                perch::fuzz::CheckLaidOut(board.tracker(), board.layout(), board.settings());
                break;
            case 3:
            case 4: {
                static constexpr perch::MouseMessage kMessages[] = {
                    perch::MouseMessage::kLeftDown,
                    perch::MouseMessage::kLeftUp,
                    perch::MouseMessage::kLeftDoubleClick,
                    perch::MouseMessage::kRightDown,
                    perch::MouseMessage::kRightUp,
                    perch::MouseMessage::kRightDoubleClick,
                    perch::MouseMessage::kMove,
                };
                const perch::MouseMessage message = kMessages[input.Below(7)];
                const unsigned keys = input.Bool() ? perch::kMkControl : 0;
                board.OnMouse(message, keys, AnyPoint(input, board));
                break;
            }
            case 5: {
                // A command, as the frame sends it: only when the board says it is enabled.
                const unsigned id = kCommands[input.Below(std::size(kCommands))];
                const framework::CommandStatus status = board.QueryCommand(id);
                if (id == ID_PROPERTIES) {
                    if (input.Bool()) {
                        viewHost.editPages = [&](perch::PropertiesPages& pages) {
                            EditPages(input, pages);
                        };
                    } else {
                        viewHost.editPages = nullptr;  // Cancel
                    }
                }
                if (id == ID_SET_FONT) {
                    viewHost.chosenFont.reset();
                    if (input.Bool()) {
                        perch::FontDescription font = perch::kDefaultFont;
                        font.height = input.SmallOrAnyInt();
                        viewHost.chosenFont = font;
                    }
                }
                if (status.enabled) {
                    board.OnCommand(id);
                }
                break;
            }
            case 6:
                switch (input.Below(5)) {
                    case 0:
                        board.OnFrameMinimizing();
                        scene.desk.Minimize(scene.frame);
                        break;
                    case 1:
                        scene.desk.Restore(scene.frame);
                        board.OnFrameRestored();
                        break;
                    case 2:
                        board.OnBarsChanged();
                        break;
                    case 3:
                        scene.desk.SetRect(scene.frame, {static_cast<int>(input.Below(1100)) - 50,
                                                         static_cast<int>(input.Below(800)) - 50,
                                                         static_cast<int>(input.Below(1100)) + 50,
                                                         static_cast<int>(input.Below(800)) + 50});
                        board.OnFrameMoved();
                        break;
                    default:
                        board.SaveSettingsOnExit();
                        break;
                }
                break;
            case 7:
            case 8:
                if (changing) {
                    scene.StopChanging();
                }
                scene.Change(perch::kNoWindow);
                if (changing) {
                    scene.ChangeDuringQueries();
                }
                break;
            case 9:
                scene.desk.RunPostedMessages();
                break;
            default:
                // From here on the windows change (or stop changing) inside the board's
                // queries.
                changing = !changing;
                if (changing) {
                    scene.ChangeDuringQueries();
                } else {
                    scene.StopChanging();
                }
                break;
        }
        check();
    }
    scene.StopChanging();
    return 0;
}
