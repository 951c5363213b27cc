#include "board/board.h"

#include <cstring>
#include <optional>

#include "board/paint.h"
#include "res/resource.h"
#include "settings/registry_store.h"

namespace perch {
namespace {

// The face of the font the board falls back on when the stored one is unusable.
constexpr char kFallbackFace[] = "MS Sans Serif";
// Its size: 11 points, as a character height (negative) in pixels.
constexpr int kFallbackPoints = 11;
constexpr int kPointsPerInch = 72;
constexpr int kFallbackWeight = 400;

}  // namespace

Board::Board(WindowSystem& windowSystem, Profile& profile, const CodePage& codePage, ViewHost& view,
             FrameHost& frame, FontDescription& fontSetting, FontDescription& storedFontSetting)
    : windows(windowSystem),
      viewHost(view),
      frameHost(frame),
      font(fontSetting),
      storedFont(storedFontSetting),
      tracker(windowSystem, settings, codePage),
      layout(tracker, settings),
      placement(windowSystem, tracker, settings, flags, frame),
      selection(tracker, *this),
      mouse(*this),
      arrangement(*this),
      profile_(profile) {}

void Board::SetBoardWindows(WindowHandle view, WindowHandle frame) {
    tracker.SetBoardWindows(view, frame);
}

int Board::OnCreate() {
    RegistryStore(profile_).LoadSettingsAtStartup(font, storedFont, settings, storedSettings);
    CreateBoardFont();
    if (settings.Menu == 0) {
        frameHost.RemoveMenu();
    }
    placement.PlaceFrameAtCreation();
    tracker.ClearTitleLists();
    tracker.RebuildDisplayList();
    timerId = viewHost.StartTimer(kRefreshTimerId, RefreshIntervalMs(settings));
    return 0;
}

void Board::CreateBoardFont() {
    if (font.height != 0) {
        viewHost.SetBoardFont(font);
        return;
    }
    // A stored height of 0 is no font at all: fall back on an 11-point face of the
    // screen's resolution, and say that the stored font is damaged. The font setting
    // itself stays as it was loaded.
    FontDescription fallback{};
    fallback.height = (viewHost.LogPixelsY() * kFallbackPoints) / -kPointsPerInch;
    fallback.weight = kFallbackWeight;
    static_assert(sizeof(kFallbackFace) <= sizeof(fallback.faceName));
    std::memcpy(fallback.faceName, kFallbackFace, sizeof(kFallbackFace));
    viewHost.SetBoardFont(fallback);
    viewHost.ShowMessage(IDS_FONT_ERROR);
}

void Board::SaveSettingsOnExit() {
    if (settings.Save != 0) {
        frameHost.SaveBarState();
    }
    // A minimized frame's rectangle is its icon's: the position to keep is where it goes
    // when restored.
    const WindowHandle frameWindow = tracker.Frame();
    const Rect frame = windows.IsIconic(frameWindow) || windows.IsZoomed(frameWindow)
                           ? windows.GetRestoredRect(frameWindow)
                           : windows.GetWindowRect(frameWindow);
    RegistryStore(profile_).SaveSettingsAtExit({frame.left, frame.top, frame.right, frame.bottom},
                                               font, storedFont, settings, storedSettings);
}

void Board::EmptyBoard() {
    tracker.ClearTitleLists();
    tracker.SelectionList().clear();
    tracker.RebuildDisplayList();
}

void Board::Paint(Painter& painter) {
    PaintBoard(*this, painter);
}

void Board::EraseBackground(Painter& painter) {
    EraseBoardBackground(*this, painter);
}

bool Board::OnMouse(MouseMessage message, unsigned keyFlags, Point point) {
    return mouse.OnMouse(message, keyFlags, point);
}

void Board::OnTimer(unsigned id) {
    OnRefreshTimer(id, timerId, tracker, flags, *this);
}

bool Board::InvalidateTitleBox(std::string_view title) {
    const std::optional<Rect> box = layout.BoxRectOfTitle(title);
    if (!box) {
        return false;
    }
    viewHost.InvalidateRect(ShiftedDown(*box));
    return true;
}

void Board::InvalidateAll() {
    viewHost.InvalidateAll();
}

}  // namespace perch
