#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/board.h"
#include "support/board_access.h"
#include "support/board_recorders.h"
#include "support/memory_profile.h"
#include "support/simulated_desktop.h"
#include "platform/code_page.h"

namespace perch::test {

// A board in a frame on a simulated desktop, with recording view and frame hosts. The
// frame is 200 x 200 at 700,100; the view's client area is 192 x 150, so the frame adds
// 8 x 50 around it (borders, caption, menu and bars).
class BoardFixture : public ::testing::Test {
  protected:
    static constexpr std::uint32_t kBoardProcess = 7;
    static constexpr std::uint32_t kAppProcess = 100;
    static constexpr Rect kFrameRect{700, 100, 900, 300};
    static constexpr Rect kViewRect{0, 0, 192, 150};

    BoardFixture() {
        frame = desk.CreateTopLevel("Perch", "PerchFrame", kBoardProcess, kFrameRect);
        view = desk.CreateChild(frame, "", "PerchView", kViewRect, kWsVisible);
        board.SetBoardWindows(view, frame);
    }

    // Puts an MDI application with these documents in front and lets one tick show them.
    SimulatedDesktop::MdiApp Watch(const std::vector<std::string>& titles,
                                   std::string_view frameTitle = "Editor") {
        const SimulatedDesktop::MdiApp app = desk.CreateMdiApp(frameTitle, kAppProcess, titles);
        desk.SetForeground(app.frame);
        BoardTestAccess::RefreshTick(board);
        return app;
    }

    // Paints the board into a fresh recording.
    void Paint() {
        painter.Clear();
        board.Paint(painter);
    }

    // Forgets what was done so far.
    void Reset() {
        desk.ClearActions();
        desk.ResetQueryCounts();
        viewHost.ClearInvalidations();
        painter.Clear();
    }

    SimulatedDesktop desk;
    MemoryProfile profile;
    RecordingViewHost viewHost;
    RecordingFrameHost frameHost;
    RecordingPainter painter;
    Board board{desk, profile, Utf8Text(), viewHost, frameHost};
    WindowHandle frame = kNoWindow;
    WindowHandle view = kNoWindow;
};

}  // namespace perch::test
