#include "board/board.h"

#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include "board/paint.h"
#include "res/resource.h"
#include "settings/registry_store.h"

namespace perch {
namespace {

// The size of the font the board falls back on when the stored one is unusable: 11
// points, as a character height (negative) in pixels.
constexpr int kFallbackPoints = 11;
constexpr int kPointsPerInch = 72;

// The font the board falls back on: the default face at 11 points.
FontDescription FallbackFont(int logPixelsY) {
    FontDescription fallback{};
    fallback.height = (logPixelsY * kFallbackPoints) / -kPointsPerInch;
    fallback.weight = kDefaultFont.weight;
    std::memcpy(fallback.faceName, kDefaultFont.faceName, sizeof fallback.faceName);
    return fallback;
}

}  // namespace

Board::Board(WindowSystem& windows, Profile& profile, const CodePage& codePage, ViewHost& view,
             FrameHost& frame)
    : windows_(windows),
      view_(view),
      frame_(frame),
      profile_(profile),
      tracker_(windows, settings_, codePage),
      layout_(tracker_, settings_),
      zOrder_(windows, tracker_, settings_),
      placement_(windows, tracker_, settings_, layout_, zOrder_, frame),
      selection_(tracker_, settings_, *this),
      refresh_(tracker_, selection_, zOrder_, placement_, busy_, *this),
      mouse_(tracker_, settings_, layout_, selection_, placement_, busy_, frame, *this),
      arrangement_(tracker_, selection_, busy_, view, frame),
      cursor_(tracker_, layout_, view),
      accessible_(tracker_, layout_, selection_, cursor_),
      eventFilter_(tracker_),
      eventTicks_(view) {}

void Board::SetBoardWindows(WindowHandle view, WindowHandle frame) {
    tracker_.SetBoardWindows(view, frame);
}

void Board::OnCreate() {
    RegistryStore(profile_).LoadSettingsAtStartup(font_, storedFont_, settings_, storedSettings_);
    CreateBoardFont();
    if (settings_.Menu == 0) {
        frame_.RemoveMenu();
    }
    placement_.PlaceFrameAtCreation();
    tracker_.ClearTitleLists();
    RebuildDisplay();
    timerId_ = view_.StartTimer(kRefreshTimerId, RefreshIntervalMs(settings_));
    windows_.SetEventSink(this);
}

void Board::CreateBoardFont() {
    if (font_.height != 0) {
        view_.SetBoardFont(font_);
        return;
    }
    // A stored height of 0 is no font at all: fall back on the default face at 11 points
    // for the screen's resolution, and say that the stored font is damaged. The font
    // setting itself stays as it was loaded.
    view_.SetBoardFont(FallbackFont(view_.LogPixelsY()));
    view_.ShowMessage(IDS_FONT_ERROR);
}

void Board::OnDpiChanged() {
    // The font keeps its meaning: the view makes it again at the new DPI (the damaged
    // font's message was shown once, at creation).
    view_.SetBoardFont(font_.height != 0 ? font_ : FallbackFont(view_.LogPixelsY()));
    if (settings_.Resize != 0) {
        placement_.RequestFit();
    }
    InvalidateAll();
}

void Board::OnDestroy() {
    windows_.SetEventSink(nullptr);
    eventTicks_.Stop();
    view_.StopTimer(timerId_);
}

void Board::SaveSettingsOnExit() {
    if (settings_.Save != 0) {
        frame_.SaveBarState();
    }
    // A minimized frame's rectangle is its icon's: the position to keep is where it goes
    // when restored.
    const WindowHandle frameWindow = tracker_.Frame();
    const Rect frame = windows_.IsIconic(frameWindow) || windows_.IsZoomed(frameWindow)
                           ? windows_.GetRestoredRect(frameWindow)
                           : windows_.GetWindowRect(frameWindow);
    RegistryStore(profile_).SaveSettingsAtExit({frame.left, frame.top, frame.right, frame.bottom},
                                               font_, storedFont_, settings_, storedSettings_);
}

void Board::RebuildDisplay() {
    tracker_.RebuildDisplayList();
    selection_.PruneSelection();
}

void Board::EmptyBoard() {
    tracker_.ClearTitleLists();
    selection_.ClearSelection();
    RebuildDisplay();
}

void Board::OnFrameMinimizing() {
    zOrder_.OnFrameMinimizing();
    EmptyBoard();
    Announce();
}

void Board::OnFrameRestored() {
    zOrder_.OnFrameRestored();
    InvalidateAll();
    eventTicks_.Schedule();  // no need to wait for the timer to see what changed meanwhile
}

void Board::OnBarsChanged() {
    if (settings_.Resize != 0) {
        placement_.RequestFit();
        InvalidateAll();
    }
}

void Board::Paint(Painter& painter) {
    layout_.ComputeLayout(painter, frame_.MinTrackWidth(), frame_.MinTrackHeight());
    settings_.NumRows = layout_.NumRows();
    DrawBoard(settings_, layout_, tracker_, selection_, cursor_, painter);
    placement_.FitAfterPaint();
}

void Board::Print(Painter& painter, bool eraseBackground) {
    if (eraseBackground) {
        EraseBackground(painter);
    }
    // Laid out in a copy: the printout's device may measure otherwise, and the board's own
    // layout, its saved row count and its frame stay as the last paint left them.
    BoardLayout printed = layout_;
    printed.ComputeLayout(painter, frame_.MinTrackWidth(), frame_.MinTrackHeight());
    DrawBoard(settings_, printed, tracker_, selection_, cursor_, painter);
}

void Board::EraseBackground(Painter& painter) {
    painter.FillRect(windows_.GetClientRect(tracker_.View()), settings_.BkgndColor);
}

bool Board::OnMouse(MouseMessage message, unsigned keyFlags, Point point) {
    const bool goesOn = mouse_.OnMouse(message, keyFlags, point);
    // The keyboard goes on from the box the mouse last acted on, as in any list.
    if (message == MouseMessage::kLeftDown || message == MouseMessage::kRightUp) {
        const HitResult hit = layout_.HitTest(point);
        if (hit.index >= 0) {
            cursor_.MoveTo(hit.index);
        }
    }
    Announce();
    return goesOn;
}

bool Board::OnKey(BoardKey key, bool shift) {
    if (busy_.IsBusy()) {
        return false;
    }
    // The keys that move the cursor, and where to.
    static constexpr std::pair<BoardKey, CursorMove> kMoves[] = {
        {BoardKey::kUp, CursorMove::kUp},     {BoardKey::kDown, CursorMove::kDown},
        {BoardKey::kLeft, CursorMove::kLeft}, {BoardKey::kRight, CursorMove::kRight},
        {BoardKey::kHome, CursorMove::kHome}, {BoardKey::kEnd, CursorMove::kEnd},
    };
    for (const auto& [moveKey, move] : kMoves) {
        if (moveKey == key) {
            cursor_.Move(move, layout_.NumRows());
            Announce();
            return true;
        }
    }
    switch (key) {
        case BoardKey::kEnter:
            cursor_.Show();
            mouse_.ActivateTitle(cursor_.Title());
            break;
        case BoardKey::kSpace: {
            cursor_.Show();
            const std::string title = cursor_.Title();
            if (title.empty()) {
                break;
            }
            if (shift) {
                selection_.ClearSelection();
                selection_.SelectOnly(title);
            } else {
                selection_.ToggleSelected(title);
            }
            break;
        }
        case BoardKey::kEscape:
            selection_.ClearSelection();
            break;
        default:
            break;
    }
    Announce();
    return true;
}

Point Board::ContextMenuPoint() const {
    const std::optional<Rect> box = layout_.BoxRect(cursor_.Index());
    if (!box) {
        return {};
    }
    return {box->left, ShiftedDown(*box).bottom};
}

bool Board::ActivateBox(int index) {
    if (busy_.IsBusy() || index < 0 || index >= accessible_.BoxCount()) {
        return false;
    }
    cursor_.MoveTo(index);
    mouse_.ActivateTitle(cursor_.Title());
    Announce();
    return true;
}

bool Board::SelectBox(int index, bool takeFocus, ReaderSelection change) {
    if (busy_.IsBusy() || index < 0 || index >= accessible_.BoxCount()) {
        return false;
    }
    const std::string& title = tracker_.CurrentTitles()[static_cast<std::size_t>(index)];
    if (takeFocus) {
        cursor_.MoveTo(index);
        cursor_.Show();
    }
    switch (change) {
        case ReaderSelection::kNone:
            break;
        case ReaderSelection::kOnly:
            selection_.ClearSelection();
            selection_.SelectOnly(title);
            break;
        case ReaderSelection::kAdd:
            if (!selection_.IsSelected(title)) {
                selection_.ToggleSelected(title);
            }
            break;
        case ReaderSelection::kRemove:
            if (selection_.IsSelected(title)) {
                selection_.ToggleSelected(title);
            }
            break;
    }
    Announce();
    return true;
}

void Board::Announce() {
    cursor_.Follow();
    accessible_.Sync(view_);
    if (!cursor_.Shown()) {
        return;
    }
    std::string title = cursor_.Title();
    if (title != shownStatus_) {
        shownStatus_ = std::move(title);
        frame_.ShowStatusText(shownStatus_);
    }
}

void Board::OnTimer(unsigned id) {
    bool ticked = false;
    if (eventTicks_.IsDue(id)) {
        eventTicks_.Fire();
        ticked = refresh_.TickUnlessBusy();
    } else {
        ticked = refresh_.OnTimer(id, timerId_);
    }
    if (ticked) {
        eventFilter_.NoteTick();
        Announce();
    }
}

void Board::OnWindowEvent(const WindowEvent& event) {
    if (eventFilter_.Wants(event)) {
        eventTicks_.Schedule();
    }
}

bool Board::InvalidateTitleBox(std::string_view title) {
    const std::optional<Rect> box = layout_.BoxRectOfTitle(title);
    if (!box) {
        return false;
    }
    view_.InvalidateRect(ShiftedDown(*box));
    return true;
}

void Board::InvalidateAll() {
    view_.InvalidateAll();
}

}  // namespace perch
