#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/board.h"
#include "board_fixture.h"
#include "res/resource.h"

namespace perch {
namespace {

using test::Action;
using test::Query;
using test::SimulatedDesktop;
using Titles = std::vector<std::string>;
using Actions = std::vector<Action>;

// The application's MDI client is 602 x 302 outside (the frame adds 8 x 46), so the
// arrangement area is 600 x 300.
constexpr Rect kAppFrame{0, 0, 610, 348};

class ArrangementTest : public test::BoardFixture {
  protected:
    SimulatedDesktop::MdiApp Start(const Titles& titles, std::string_view frameTitle = "Editor",
                                   Rect frameRect = kAppFrame) {
        app = desk.CreateMdiApp(frameTitle, kAppProcess, titles, "MDIClient", frameRect);
        desk.SetForeground(app.frame);
        BoardTestAccess::RefreshTick(board);
        Paint();
        Reset();
        return app;
    }

    void Select(const Titles& titles) { BoardTestAccess::SelectionOf(board) = titles; }
    bool Run(unsigned command) { return board.OnCommand(command); }
    WindowHandle Doc(std::size_t i) const { return app.documents.at(i); }

    // What Tile does to one window of several.
    Actions Tiled(WindowHandle doc, int x, int y, int cx, int cy) const {
        return {Action::SetForegroundWindow(app.frame), Action::BringWindowToTop(doc),
                Action::SetWindowPos(doc, kHwndTop, x, y, cx, cy, 0), Action::InvalidateRect(doc)};
    }
    static Actions Join(std::initializer_list<Actions> parts) {
        Actions all;
        for (const Actions& part : parts) {
            all.insert(all.end(), part.begin(), part.end());
        }
        return all;
    }

    SimulatedDesktop::MdiApp app;
};

TEST_F(ArrangementTest, TileHorizontallyInSelectionOrder) {
    Start({"A", "B", "C"});
    Select({"C", "A", "B"});
    ASSERT_TRUE(Run(ID_WINDOWS_TILE_HORZ));
    EXPECT_EQ(desk.Actions(), Join({Tiled(Doc(2), 0, 0, 600, 100), Tiled(Doc(0), 0, 100, 600, 100),
                                    Tiled(Doc(1), 0, 200, 600, 100)}));
    EXPECT_EQ(desk.ScreenRect(Doc(1)).top - desk.ScreenRect(app.client).top - 2, 200);
    EXPECT_TRUE(board.selection().SelectionList().empty());
    EXPECT_EQ(desk.FrozenCalls(), 0);
}

TEST_F(ArrangementTest, StripsNeverGetNarrowerThanTheMinimum) {
    Start({"A", "B", "C", "D", "E"});
    Select({"A", "B", "C", "D", "E"});
    Run(ID_WINDOWS_TILE_HORZ);  // 300 / 5 = 60, raised to 80: the last ones reach below
    EXPECT_EQ(desk.Actions(), Join({Tiled(Doc(0), 0, 0, 600, 80), Tiled(Doc(1), 0, 80, 600, 80),
                                    Tiled(Doc(2), 0, 160, 600, 80), Tiled(Doc(3), 0, 240, 600, 80),
                                    Tiled(Doc(4), 0, 320, 600, 80)}));
}

TEST_F(ArrangementTest, TheMinimumStripFollowsTheDpi) {
    frameHost.dpi = 144;  // 80 and 100 at 96 DPI are 120 and 150
    Start({"A", "B", "C", "D", "E"});
    Select({"A", "B", "C"});
    Run(ID_WINDOWS_TILE_HORZ);  // 300 / 3 = 100, raised to 120
    EXPECT_EQ(desk.Actions(), Join({Tiled(Doc(0), 0, 0, 600, 120), Tiled(Doc(1), 0, 120, 600, 120),
                                    Tiled(Doc(2), 0, 240, 600, 120)}));
    Reset();
    Select({"A", "B", "C", "D", "E"});
    Run(ID_WINDOWS_TILE_VERT);  // 600 / 5 = 120, raised to 150
    EXPECT_EQ(desk.Actions(), Join({Tiled(Doc(0), 0, 0, 150, 300), Tiled(Doc(1), 150, 0, 150, 300),
                                    Tiled(Doc(2), 300, 0, 150, 300), Tiled(Doc(3), 450, 0, 150, 300),
                                    Tiled(Doc(4), 600, 0, 150, 300)}));
}

TEST_F(ArrangementTest, TileVerticallyInANarrowClient) {
    Start({"A", "B", "C", "D"}, "Editor", {0, 0, 310, 348});  // area 300 x 300
    Select({"D", "C", "B", "A"});
    Run(ID_WINDOWS_TILE_VERT);  // 300 / 4 = 75, raised to 100
    EXPECT_EQ(desk.Actions(),
              Join({Tiled(Doc(3), 0, 0, 100, 300), Tiled(Doc(2), 100, 0, 100, 300),
                    Tiled(Doc(1), 200, 0, 100, 300), Tiled(Doc(0), 300, 0, 100, 300)}));
}

TEST_F(ArrangementTest, OneSelectedWindowIsMaximized) {
    Start({"A", "B"});
    Select({"B"});
    Run(ID_WINDOWS_TILE_VERT);
    EXPECT_EQ(
        desk.Actions(),
        (Actions{Action::SetForegroundWindow(app.frame), Action::BringWindowToTop(Doc(1)),
                 Action::ShowWindow(Doc(1), kSwShowNormal),
                 Action::SendSysCommand(Doc(1), kScMaximize), Action::InvalidateRect(Doc(1))}));
    EXPECT_TRUE(desk.IsZoomed(Doc(1)));
}

TEST_F(ArrangementTest, MinimizedWindowsAreRestoredAndVanishedOnesLeaveAGap) {
    Start({"A", "B", "C"});
    desk.Minimize(Doc(2));
    desk.Destroy(Doc(1));
    Select({"A", "B", "C"});
    Run(ID_WINDOWS_TILE_HORZ);
    // B's strip stays empty; C is restored, then placed like the others.
    EXPECT_EQ(desk.Actions(),
              Join({Tiled(Doc(0), 0, 0, 600, 100),
                    {Action::SetForegroundWindow(app.frame), Action::BringWindowToTop(Doc(2)),
                     Action::ShowWindow(Doc(2), kSwShowNormal),
                     Action::SendSysCommand(Doc(2), kScRestore), Action::BringWindowToTop(Doc(2)),
                     Action::SetWindowPos(Doc(2), kHwndTop, 0, 200, 600, 100, 0),
                     Action::InvalidateRect(Doc(2))}}));
    EXPECT_FALSE(desk.IsIconic(Doc(2)));
}

TEST_F(ArrangementTest, AMaximizedDocumentIsRestoredFirst) {
    Start({"A", "B", "C"});
    desk.Maximize(Doc(1));
    Reset();
    Select({"A", "C"});
    Run(ID_WINDOWS_TILE_HORZ);
    EXPECT_EQ(desk.Actions(),
              Join({{Action::BringWindowToTop(Doc(1)), Action::SendSysCommand(Doc(1), kScRestore)},
                    Tiled(Doc(0), 0, 0, 600, 150),
                    Tiled(Doc(2), 0, 150, 600, 150)}));
    EXPECT_FALSE(desk.IsZoomed(Doc(1)));
    EXPECT_TRUE(viewHost.messages.empty());
}

TEST_F(ArrangementTest, OfficeApplicationsRefuseWhileADocumentIsMaximized) {
    Start({"A", "B", "C"}, "Microsoft Word - [B]");
    ASSERT_EQ(board.tracker().App().appName, "Microsoft Word");
    desk.Maximize(Doc(1));
    Reset();
    for (const unsigned command :
         {ID_WINDOWS_TILE_HORZ, ID_WINDOWS_TILE_VERT, ID_WINDOWS_MINIMIZE}) {
        Select({"A", "C"});
        Reset();
        viewHost.messages.clear();
        Run(command);
        EXPECT_EQ(viewHost.messages, (std::vector<unsigned>{IDS_MAXIMIZED_REFUSAL})) << command;
        EXPECT_EQ(desk.Actions(), (Actions{Action::SetForegroundWindow(app.frame)})) << command;
        EXPECT_EQ(board.selection().SelectionList(), (Titles{"A", "C"})) << command;
    }
    // A command that arrives while the refusal is up does nothing: no second refusal.
    Select({"A", "C"});
    viewHost.messages.clear();
    viewHost.duringMessage = [&] { Run(ID_WINDOWS_TILE_VERT); };
    Run(ID_WINDOWS_TILE_HORZ);
    viewHost.duringMessage = nullptr;
    EXPECT_EQ(viewHost.messages, (std::vector<unsigned>{IDS_MAXIMIZED_REFUSAL}));
    EXPECT_FALSE(board.IsBusy());

    viewHost.messages.clear();
    Run(ID_WINDOWS_CLOSE);  // no check for Close
    EXPECT_TRUE(viewHost.messages.empty());
    EXPECT_TRUE(board.selection().SelectionList().empty());

    // Without a maximized document there is nothing to refuse.
    desk.Restore(Doc(1));
    Select({"B"});
    viewHost.messages.clear();
    Run(ID_WINDOWS_MINIMIZE);
    EXPECT_TRUE(viewHost.messages.empty());
    desk.RunPostedMessages();
    EXPECT_TRUE(desk.IsIconic(Doc(1)));
}

TEST_F(ArrangementTest, ExcelRefusesTilingButMinimizes) {
    Start({"Book1", "Book2"}, "Microsoft Excel - Book1");
    desk.Maximize(Doc(0));
    Select({"Book1", "Book2"});
    Run(ID_WINDOWS_TILE_HORZ);
    EXPECT_EQ(viewHost.messages, (std::vector<unsigned>{IDS_MAXIMIZED_REFUSAL}));
    EXPECT_EQ(board.selection().SelectionList().size(), 2u);
    Run(ID_WINDOWS_MINIMIZE);
    EXPECT_EQ(viewHost.messages.size(), 1u);
    EXPECT_TRUE(board.selection().SelectionList().empty());

    // Other applications are not refused: letter case matters in the name.
    EXPECT_FALSE(
        BoardTestAccess::ArrangementOf(board).RefuseWhileMaximized(RefusedOperation::kMinimize));
    BoardTestAccess::AppOf(board).appName = "microsoft word";
    EXPECT_FALSE(
        BoardTestAccess::ArrangementOf(board).RefuseWhileMaximized(RefusedOperation::kTile));
}

TEST_F(ArrangementTest, MinimizeSkipsMinimizedWindowsAndEndsInTheApplication) {
    Start({"A", "B", "C"});
    desk.Minimize(Doc(0));
    Reset();
    Select({"A", "B", "C"});
    int busyWhilePosting = -1;
    desk.SetQueryHook([&](Query query, WindowHandle, int) {
        if (query == Query::kIsIconic) {
            busyWhilePosting = board.IsBusy();
        }
    });
    Run(ID_WINDOWS_MINIMIZE);
    EXPECT_EQ(busyWhilePosting, 1);
    EXPECT_FALSE(board.IsBusy());
    EXPECT_EQ(
        desk.Actions(),
        (Actions{Action::SetForegroundWindow(app.frame), Action::BringWindowToTop(Doc(1)),
                 Action::PostSysCommand(Doc(1), kScMinimize), Action::BringWindowToTop(Doc(2)),
                 Action::PostSysCommand(Doc(2), kScMinimize),
                 Action::SetForegroundWindow(app.frame)}));
    EXPECT_TRUE(board.selection().SelectionList().empty());
    desk.RunPostedMessages();
    EXPECT_TRUE(desk.IsIconic(Doc(1)) && desk.IsIconic(Doc(2)));

    // Nothing left to minimize: the application still comes forward at the end.
    Reset();
    Select({"A"});
    Run(ID_WINDOWS_MINIMIZE);
    EXPECT_EQ(desk.Actions(), (Actions{Action::SetForegroundWindow(app.frame)}));

    // The last title gone: no foreground at the end.
    desk.Restore(Doc(0));
    desk.Destroy(Doc(2));
    Reset();
    Select({"A", "C"});
    Run(ID_WINDOWS_MINIMIZE);
    EXPECT_EQ(desk.Actions(),
              (Actions{Action::SetForegroundWindow(app.frame), Action::BringWindowToTop(Doc(0)),
                       Action::PostSysCommand(Doc(0), kScMinimize)}));
}

TEST_F(ArrangementTest, ClosePostsTheRequests) {
    Start({"A", "B", "C"});
    Select({"C", "A"});
    Run(ID_WINDOWS_CLOSE);
    EXPECT_EQ(desk.Actions(), (Actions{Action::BringWindowToTop(Doc(2)), Action::PostClose(Doc(2)),
                                       Action::BringWindowToTop(Doc(0)), Action::PostClose(Doc(0)),
                                       Action::SetForegroundWindow(app.frame)}));
    EXPECT_TRUE(board.selection().SelectionList().empty());
    EXPECT_TRUE(desk.IsWindow(Doc(2)));  // the application closes them afterwards
    desk.RunPostedMessages();
    EXPECT_FALSE(desk.IsWindow(Doc(2)));
    EXPECT_FALSE(desk.IsWindow(Doc(0)));
    EXPECT_TRUE(desk.IsWindow(Doc(1)));
}

TEST_F(ArrangementTest, CascadeIsOfferedWhereTheSystemCascades) {
    Start({"A", "B"});
    Select({"A"});
    desk.SetSystemCascades(false);
    EXPECT_FALSE(board.QueryCommand(ID_WINDOWS_CASCADE).enabled);
    Run(ID_WINDOWS_CASCADE);
    EXPECT_TRUE(desk.Actions().empty());

    desk.SetSystemCascades(true);
    EXPECT_TRUE(board.QueryCommand(ID_WINDOWS_CASCADE).enabled);
    Run(ID_WINDOWS_CASCADE);
    EXPECT_EQ(desk.Actions(), (Actions{Action::CascadeWindows(app.client),
                                       Action::SetForegroundWindow(app.frame)}));
    EXPECT_EQ(board.selection().SelectionList(), (Titles{"A"}));  // all windows, selection kept
}

TEST_F(ArrangementTest, CommandsPassOverAHungApplication) {
    Start({"A", "B", "C"});
    desk.Maximize(Doc(0));
    desk.SetHung(kAppProcess, true);
    for (const unsigned command : {ID_WINDOWS_TILE_HORZ, ID_WINDOWS_TILE_VERT, ID_WINDOWS_MINIMIZE,
                                   ID_WINDOWS_CLOSE, ID_WINDOWS_CASCADE}) {
        for (const Titles& selection : {Titles{"B"}, Titles{"A", "B", "C"}}) {
            Select(selection);
            Reset();
            Run(command);
            EXPECT_EQ(desk.FrozenCalls(), 0) << command;
            EXPECT_FALSE(board.IsBusy()) << command;
            EXPECT_TRUE(command == ID_WINDOWS_CASCADE || board.selection().SelectionList().empty())
                << command;
        }
    }
    // Nothing reached the application, and it was asked once per command, not per window.
    desk.SetHung(kAppProcess, false);
    EXPECT_EQ(desk.RunPostedMessages(), 0u);
    EXPECT_TRUE(desk.IsZoomed(Doc(0)));
    Select({"A", "B", "C"});
    Reset();
    desk.SetHung(kAppProcess, true);
    Run(ID_WINDOWS_CLOSE);
    EXPECT_EQ(desk.QueryCount(Query::kIsHungAppWindow), 1);

    // Once it answers again, the commands reach it.
    desk.SetHung(kAppProcess, false);
    Select({"B", "C"});
    Run(ID_WINDOWS_TILE_HORZ);
    EXPECT_FALSE(desk.IsZoomed(Doc(0)));
    EXPECT_EQ(desk.ScreenRect(Doc(1)).Width(), 600);
}

TEST_F(ArrangementTest, NoAreaNoTile) {
    Start({"A", "B"});
    desk.Destroy(Doc(0));
    Select({"A", "B"});
    Run(ID_WINDOWS_TILE_HORZ);  // the first selected window is gone: no area to tile in
    EXPECT_TRUE(desk.Actions().empty());
    EXPECT_EQ(board.selection().SelectionList().size(), 2u);

    // A document that is not inside a client window has no area either.
    const WindowHandle lone = desk.CreateTopLevel("Lone", "Plain", 300);
    const WindowHandle child = desk.CreateChild(lone, "Doc", "Plain");
    BoardTestAccess::AppOf(board).appName = "Lone";
    Select({"Doc"});
    EXPECT_FALSE(BoardTestAccess::ArrangementOf(board).GetArrangementArea().has_value());
    EXPECT_TRUE(desk.IsWindow(child));
}

TEST_F(ArrangementTest, WindowCommandsNeedASelection) {
    Start({"A"});
    for (const unsigned command :
         {ID_WINDOWS_TILE_HORZ, ID_WINDOWS_TILE_VERT, ID_WINDOWS_CLOSE, ID_WINDOWS_MINIMIZE}) {
        EXPECT_FALSE(board.QueryCommand(command).enabled);
        Run(command);
        Select({"A"});
        EXPECT_TRUE(board.QueryCommand(command).enabled);
        BoardTestAccess::SelectionOf(board).clear();
    }
    EXPECT_TRUE(desk.Actions().empty());
}

}  // namespace
}  // namespace perch
