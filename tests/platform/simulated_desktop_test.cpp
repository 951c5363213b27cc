// The simulated desktop is only useful while it behaves like Windows; these tests pin the
// parts of the model that are easy to get wrong.

#include "support/simulated_desktop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace perch::test {
namespace {

using Handles = std::vector<WindowHandle>;

TEST(SimulatedDesktopTest, CreationOrderMatchesCreateWindowEx) {
    SimulatedDesktop desk;
    const WindowHandle a = desk.CreateTopLevel("A", "App", 10);
    const WindowHandle b = desk.CreateTopLevel("B", "App", 11);
    // Top-level windows come in on top, child windows below their siblings.
    EXPECT_EQ(desk.TopLevelWindows(), (Handles{b, a}));
    const WindowHandle c1 = desk.CreateChild(a, "1", "Edit");
    const WindowHandle c2 = desk.CreateChild(a, "2", "Edit");
    EXPECT_EQ(desk.Children(a), (Handles{c1, c2}));
    EXPECT_EQ(desk.GetWindowProcessId(c2), 10u);

    // The z-order walks of the tracker.
    EXPECT_EQ(desk.GetWindow(desk.GetDesktopWindow(), kGwChild), b);
    EXPECT_EQ(desk.GetWindow(b, kGwHwndNext), a);
    EXPECT_EQ(desk.GetWindow(a, kGwHwndNext), kNoWindow);
    EXPECT_EQ(desk.GetTopWindow(a), c1);
    EXPECT_EQ(desk.GetTopWindow(c1), kNoWindow);
}

TEST(SimulatedDesktopTest, InsertAfterValuesKeepTheTopmostBand) {
    SimulatedDesktop desk;
    const WindowHandle a = desk.CreateTopLevel("A", "App", 1);
    const WindowHandle b = desk.CreateTopLevel("B", "App", 2);
    const WindowHandle t = desk.CreateTopLevel("T", "App", 3);
    desk.SetTopmost(t, true);
    const WindowHandle c = desk.CreateTopLevel("C", "App", 4);  // below the topmost band
    EXPECT_EQ(desk.TopLevelWindows(), (Handles{t, c, b, a}));

    constexpr unsigned kKeep = kSwpNoMove | kSwpNoSize | kSwpNoActivate;
    desk.SetWindowPos(a, kHwndTop, 0, 0, 0, 0, kKeep);
    EXPECT_EQ(desk.TopLevelWindows(), (Handles{t, a, c, b}));

    desk.SetWindowPos(b, kHwndTopmost, 0, 0, 0, 0, kKeep);
    EXPECT_EQ(desk.TopLevelWindows(), (Handles{b, t, a, c}));
    EXPECT_TRUE(desk.IsTopmost(b));

    // HWND_BOTTOM also ends the topmost state.
    desk.SetWindowPos(b, kHwndBottom, 0, 0, 0, 0, kKeep);
    EXPECT_EQ(desk.TopLevelWindows(), (Handles{t, a, c, b}));
    EXPECT_FALSE(desk.IsTopmost(b));

    // HWND_NOTOPMOST moves a topmost window to the top of the normal band and leaves a
    // normal window where it is.
    desk.SetWindowPos(c, kHwndNoTopmost, 0, 0, 0, 0, kKeep);
    EXPECT_EQ(desk.TopLevelWindows(), (Handles{t, a, c, b}));
    desk.SetWindowPos(t, kHwndNoTopmost, 0, 0, 0, 0, kKeep);
    EXPECT_EQ(desk.TopLevelWindows(), (Handles{t, a, c, b}));
    EXPECT_FALSE(desk.IsTopmost(t));

    // After a sibling: right below it.
    desk.SetWindowPos(t, c, 0, 0, 0, 0, kKeep);
    EXPECT_EQ(desk.TopLevelWindows(), (Handles{a, c, t, b}));

    // Without SWP_NOACTIVATE a top-level window is activated, which brings it to the top
    // whatever HWND_BOTTOM said (and nothing changes the foreground by itself).
    desk.SetWindowPos(b, kHwndBottom, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize);
    EXPECT_EQ(desk.TopLevelWindows(), (Handles{b, a, c, t}));
    EXPECT_EQ(desk.GetForegroundWindow(), kNoWindow);
}

TEST(SimulatedDesktopTest, SetWindowPosMovesChildrenInParentCoordinates) {
    SimulatedDesktop desk;
    const auto app =
        desk.CreateMdiApp("Frame", 7, {"One", "Two", "Three"}, "MDIClient", {100, 50, 740, 530});
    const WindowHandle one = app.documents[0];
    const WindowHandle three = app.documents[2];
    EXPECT_EQ(desk.Children(app.client), (Handles{one, app.documents[1], three}));

    // Tiling a document: moved and raised in one call.
    desk.SetWindowPos(three, kHwndTop, 10, 20, 300, 100, 0);
    EXPECT_EQ(desk.GetTopWindow(app.client), three);
    const int left =
        100 + SimulatedDesktop::kFrameInsets.left + SimulatedDesktop::kClientInsets.left;
    const int top = 50 + SimulatedDesktop::kFrameInsets.top + SimulatedDesktop::kClientInsets.top;
    EXPECT_EQ(desk.GetWindowRect(three), (Rect{left + 10, top + 20, left + 310, top + 120}));

    // BringWindowToTop raises a document among its siblings only.
    desk.BringWindowToTop(one);
    EXPECT_EQ(desk.GetTopWindow(app.client), one);
    EXPECT_EQ(desk.TopLevelWindows(), (Handles{app.frame}));

    // NOZORDER keeps the order; an insert-after that is not a sibling cancels the call.
    desk.SetWindowPos(three, kHwndTop, 0, 0, 0, 0, kSwpNoZOrder | kSwpNoSize);
    EXPECT_EQ(desk.GetTopWindow(app.client), one);
    EXPECT_EQ(desk.GetWindowRect(three).left, left);
    desk.SetWindowPos(three, app.frame, 50, 50, 0, 0, kSwpNoSize);
    EXPECT_EQ(desk.GetWindowRect(three).left, left);

    // The frame moves, its documents go with it.
    desk.SetWindowPos(app.frame, kHwndTop, 0, 0, 0, 0, kSwpNoSize | kSwpNoZOrder);
    EXPECT_EQ(desk.GetWindowRect(three).left, left - 100);

    EXPECT_EQ(desk.GetClientRect(app.client),
              (Rect{0, 0, 640 - 8 - 4, 480 - 46 - 4}));  // frame and client edges taken off
}

TEST(SimulatedDesktopTest, GetParentFollowsStylesAndOwnedWindowsStayAboveOwner) {
    SimulatedDesktop desk;
    const WindowHandle main = desk.CreateTopLevel("Main", "App", 5);
    const WindowHandle child = desk.CreateChild(main, "Child", "Edit");
    const WindowHandle dialog = desk.CreatePopup(main, "Dialog");
    const WindowHandle ownedOverlapped =
        desk.CreateTopLevel("Tool", "App", 5, {}, kWsOverlappedWindow | kWsVisible, main);
    const WindowHandle lonePopup = desk.CreateTopLevel("Tip", "App", 5, {}, kWsPopup);

    EXPECT_EQ(desk.GetParent(child), main);
    EXPECT_EQ(desk.GetParent(dialog), main);
    EXPECT_EQ(desk.GetParent(ownedOverlapped), kNoWindow);  // owned, but not WS_POPUP
    EXPECT_EQ(desk.GetParent(lonePopup), kNoWindow);
    EXPECT_EQ(desk.GetParent(main), kNoWindow);
    EXPECT_EQ(desk.GetParent(desk.GetDesktopWindow()), kNoWindow);

    // Raising or topmosting the owner takes its owned windows along, above it.
    const WindowHandle other = desk.CreateTopLevel("Other", "App", 6);
    desk.SetWindowPos(main, kHwndTopmost, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize);
    const Handles order = desk.TopLevelWindows();
    ASSERT_EQ(order.size(), 5u);
    EXPECT_EQ(order[2], main);
    EXPECT_TRUE(desk.IsTopmost(order[0]) && desk.IsTopmost(order[1]));
    EXPECT_EQ(order[3], other);
    // And an owned window asked to go below its owner stops right above it.
    desk.SetWindowPos(dialog, kHwndBottom, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize | kSwpNoActivate);
    EXPECT_EQ(desk.GetWindow(dialog, kGwHwndNext), main);
}

TEST(SimulatedDesktopTest, VisibilityIsInheritedFromAncestors) {
    SimulatedDesktop desk;
    const auto app = desk.CreateMdiApp("Frame", 3, {"Doc"});
    const WindowHandle doc = app.documents[0];
    EXPECT_TRUE(desk.IsWindowVisible(doc));
    desk.Hide(app.frame);
    EXPECT_FALSE(desk.IsWindowVisible(doc));
    EXPECT_NE(desk.GetWindowStyle(doc) & kWsVisible, 0u);  // its own style is unchanged
    desk.Show(app.frame);
    desk.Minimize(doc);
    EXPECT_TRUE(desk.IsWindowVisible(doc));  // minimized windows are visible
    EXPECT_TRUE(desk.IsIconic(doc));
}

TEST(SimulatedDesktopTest, DeadHandlesReadAsEmptyAndIgnoreActions) {
    SimulatedDesktop desk;
    const auto app = desk.CreateMdiApp("Frame", 9, {"Doc"});
    const WindowHandle dialog = desk.CreatePopup(app.frame, "Save?");
    const WindowHandle doc = app.documents[0];
    desk.SetForeground(app.frame);
    desk.Destroy(app.frame);  // takes its children and owned windows along

    for (WindowHandle h : {app.frame, app.client, doc, dialog, kNoWindow}) {
        EXPECT_FALSE(desk.IsWindow(h));
        EXPECT_EQ(desk.GetWindowText(h), "");
        EXPECT_EQ(desk.GetWindowTextLength(h), 0);
        EXPECT_EQ(desk.GetClassName(h), "");
        EXPECT_EQ(desk.GetTopWindow(h), kNoWindow);
        EXPECT_EQ(desk.GetWindow(h, kGwHwndNext), kNoWindow);
        EXPECT_EQ(desk.GetParent(h), kNoWindow);
        EXPECT_EQ(desk.GetWindowProcessId(h), 0u);
        EXPECT_FALSE(desk.IsWindowVisible(h));
        EXPECT_EQ(desk.GetWindowRect(h), Rect{});
        EXPECT_EQ(desk.GetLastActivePopup(h), kNoWindow);
        int visited = 0;
        desk.EnumChildWindows(h, [&](WindowHandle) { return ++visited > 0; });
        EXPECT_EQ(visited, 0);
    }
    EXPECT_EQ(desk.GetForegroundWindow(), kNoWindow);
    EXPECT_TRUE(desk.TopLevelWindows().empty());

    desk.ShowWindow(doc, kSwShowNormal);
    desk.PostClose(doc);
    desk.BringWindowToTop(doc);
    EXPECT_EQ(desk.PendingPostedMessages(), 0u);
    EXPECT_EQ(desk.Actions().size(), 3u);  // still logged: the calls were made
    EXPECT_TRUE(desk.TopLevelWindows().empty());
}

TEST(SimulatedDesktopTest, TextsAreTruncatedToTheBuffer) {
    SimulatedDesktop desk;
    const std::string longTitle(300, 'x');
    const WindowHandle w = desk.CreateTopLevel(longTitle, "AVeryLongClassNameThatGoesOnAndOn", 1);
    EXPECT_EQ(desk.GetWindowText(w), std::string(255, 'x'));
    EXPECT_EQ(desk.GetWindowText(w, 301), longTitle);
    EXPECT_EQ(desk.GetWindowText(w, 1), "");
    EXPECT_EQ(desk.GetWindowText(w, 0), "");
    EXPECT_EQ(desk.GetWindowTextLength(w), 300);
    EXPECT_EQ(desk.GetClassName(w), "AVeryLongClassNameThatGoesOnAnd");  // 31 bytes

    // Titles are held as UTF-8: a buffer keeps whole characters, and the length counts
    // UTF-16 units (two for a character beyond U+FFFF).
    const std::string kanji = "\xE6\x9D\xB1";
    const std::string page = "\xF0\x9F\x93\x84";
    desk.SetTitle(w, kanji + page + "x");
    EXPECT_EQ(desk.GetWindowText(w, 2), kanji);
    EXPECT_EQ(desk.GetWindowText(w, 3), kanji + page);
    EXPECT_EQ(desk.GetWindowText(w), kanji + page + "x");
    EXPECT_EQ(desk.GetWindowTextLength(w), 4);
    std::string wide;
    for (int i = 0; i < 300; ++i) {
        wide += kanji;
    }
    desk.SetTitle(w, wide);
    EXPECT_EQ(desk.GetWindowText(w), wide.substr(0, 255 * 3));

    // Any bytes, but a C string: an ill-formed byte may end the text, a NUL ends it.
    desk.SetTitle(w, std::string("Doc\x81", 4));
    EXPECT_EQ(desk.GetWindowText(w), std::string("Doc\x81", 4));
    desk.SetTitle(w, std::string("Ab\0cd", 5));
    EXPECT_EQ(desk.GetWindowText(w), "Ab");
}

TEST(SimulatedDesktopTest, EnumerationIsDepthFirstInZOrderAndSkipsDestroyedWindows) {
    SimulatedDesktop desk;
    const WindowHandle root = desk.CreateTopLevel("Root", "App", 1);
    const WindowHandle a = desk.CreateChild(root, "a", "C");
    const WindowHandle a1 = desk.CreateChild(a, "a1", "C");
    const WindowHandle a2 = desk.CreateChild(a, "a2", "C");
    const WindowHandle b = desk.CreateChild(root, "b", "C");
    const WindowHandle b1 = desk.CreateChild(b, "b1", "C");
    const WindowHandle c = desk.CreateChild(root, "c", "C");
    desk.Raise(b);  // z-order of root's children: b, a, c

    Handles seen;
    desk.EnumChildWindows(root, [&](WindowHandle h) {
        seen.push_back(h);
        return true;
    });
    EXPECT_EQ(seen, (Handles{b, b1, a, a1, a2, c}));

    // The callback stops the walk.
    seen.clear();
    desk.EnumChildWindows(root, [&](WindowHandle h) {
        seen.push_back(h);
        return h != a;
    });
    EXPECT_EQ(seen, (Handles{b, b1, a}));

    // Destroyed before their turn: skipped with their children; created meanwhile: not
    // visited.
    seen.clear();
    desk.EnumChildWindows(root, [&](WindowHandle h) {
        seen.push_back(h);
        if (h == b1) {
            desk.Destroy(a);
            desk.CreateChild(root, "late", "C");
        }
        return true;
    });
    EXPECT_EQ(seen, (Handles{b, b1, c}));
}

TEST(SimulatedDesktopTest, SetParentMovesAWindowToTheTopOfItsNewSiblings) {
    SimulatedDesktop desk;
    const auto one = desk.CreateMdiApp("One", 2, {"A", "B"});
    const auto two = desk.CreateMdiApp("Two", 3, {"C"});
    const WindowHandle a = one.documents[0];
    const WindowHandle b = one.documents[1];
    const WindowHandle c = two.documents[0];
    desk.SetTopmost(one.frame, true);

    desk.SetParent(a, two.client);
    EXPECT_EQ(desk.Children(one.client), (Handles{b}));
    EXPECT_EQ(desk.Children(two.client), (Handles{a, c}));
    EXPECT_EQ(desk.GetParent(a), two.client);
    EXPECT_EQ(desk.GetWindowProcessId(a), 2u);  // still its own application's window

    // To the desktop: a top-level window (its WS_CHILD style kept), below the topmost band.
    desk.SetParent(b, kNoWindow);
    EXPECT_EQ(desk.TopLevelWindows(), (Handles{one.frame, b, two.frame}));
    EXPECT_FALSE(desk.IsTopmost(b));
    EXPECT_EQ(desk.GetParent(b), desk.GetDesktopWindow());

    // A parent below the window itself or owned by it, a dead parent and the desktop
    // change nothing.
    const WindowHandle dialog = desk.CreatePopup(two.frame, "Find");
    desk.SetParent(two.frame, c);
    desk.SetParent(two.client, a);
    desk.SetParent(two.frame, dialog);
    desk.SetParent(c, 0xDEAD0);
    desk.SetParent(desk.GetDesktopWindow(), one.frame);
    EXPECT_EQ(desk.Children(two.client), (Handles{a, c}));
    EXPECT_EQ(desk.Children(two.frame), (Handles{two.client}));
    EXPECT_EQ(desk.TopLevelWindows(), (Handles{one.frame, dialog, b, two.frame}));
}

TEST(SimulatedDesktopTest, QueryHooksRunBeforeTheNthCallAnswers) {
    SimulatedDesktop desk;
    const auto app = desk.CreateMdiApp("Frame", 2, {"One", "Two"});
    // A document vanishes in the middle of a scan: the second title read finds it gone.
    desk.OnNthQuery(Query::kGetWindowText, 2, [&] { desk.Destroy(app.documents[1]); });
    EXPECT_EQ(desk.GetWindowText(app.documents[0]), "One");
    EXPECT_EQ(desk.GetWindowText(app.documents[1]), "");
    EXPECT_EQ(desk.QueryCount(Query::kGetWindowText), 2);

    std::vector<std::pair<Query, WindowHandle>> calls;
    desk.SetQueryHook([&](Query q, WindowHandle h, int) {
        calls.emplace_back(q, h);
        desk.GetWindowText(h);  // queries inside a hook are not counted and call no hook
    });
    desk.IsIconic(app.documents[0]);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].first, Query::kIsIconic);
    EXPECT_EQ(desk.QueryCount(Query::kGetWindowText), 2);
}

TEST(SimulatedDesktopTest, PostedRequestsWaitForTheirTurn) {
    SimulatedDesktop desk;
    const auto app = desk.CreateMdiApp("Frame", 2, {"One", "Two", "Three"});
    const WindowHandle one = app.documents[0];
    const WindowHandle two = app.documents[1];
    const WindowHandle three = app.documents[2];

    desk.PostSysCommand(one, kScMinimize);
    desk.PostClose(two);
    desk.PostClose(three);
    desk.PostSysCommand(three, kScMinimize);
    EXPECT_FALSE(desk.IsIconic(one));
    EXPECT_TRUE(desk.IsWindow(two));
    desk.Destroy(three);  // the application closed it meanwhile

    EXPECT_EQ(desk.RunPostedMessages(), 2u);
    EXPECT_TRUE(desk.IsIconic(one));
    EXPECT_FALSE(desk.IsWindow(two));
    EXPECT_EQ(desk.PendingPostedMessages(), 0u);

    // A sent request is done when the call returns; a disabled window ignores it.
    desk.SendSysCommand(one, kScRestore);
    EXPECT_FALSE(desk.IsIconic(one));
    desk.SetEnabled(one, false);
    desk.SendSysCommand(one, kScMaximize);
    EXPECT_FALSE(desk.IsZoomed(one));

    EXPECT_EQ(desk.Actions(), (std::vector<Action>{Action::PostSysCommand(one, kScMinimize),
                                                   Action::PostClose(two), Action::PostClose(three),
                                                   Action::PostSysCommand(three, kScMinimize),
                                                   Action::SendSysCommand(one, kScRestore),
                                                   Action::SendSysCommand(one, kScMaximize)}));
    desk.ClearActions();
    EXPECT_TRUE(desk.Actions().empty());
}

TEST(SimulatedDesktopTest, ShowStatesAndTheirRectangles) {
    SimulatedDesktop desk;
    const auto app = desk.CreateMdiApp("Frame", 2, {"Doc", "Other"});
    const WindowHandle doc = app.documents[0];
    const WindowHandle other = app.documents[1];
    const Rect normal = desk.GetWindowRect(other);
    const Rect client = desk.GetClientRect(app.client);

    // Maximized: the frame sticks out of the client area, so the window is wider than the
    // client by both side frames and taller than it.
    desk.SendSysCommand(other, kScMaximize);
    EXPECT_TRUE(desk.IsZoomed(other));
    EXPECT_EQ(desk.GetTopWindow(app.client), other);  // a state change raises the window
    const Rect max = desk.GetWindowRect(other);
    EXPECT_EQ(max.Width(), client.right + 8);
    EXPECT_GT(max.Height(), client.bottom);

    // Minimizing a maximized window and restoring it brings it back maximized; showing it
    // normally then restores its old place.
    desk.ShowWindow(other, kSwMinimize);
    EXPECT_TRUE(desk.IsIconic(other));
    EXPECT_FALSE(desk.IsZoomed(other));
    EXPECT_NE(desk.GetWindowRect(other), max);
    desk.ShowWindow(other, kSwRestore);
    EXPECT_TRUE(desk.IsZoomed(other));
    desk.ShowWindow(other, kSwShowNormal);
    EXPECT_FALSE(desk.IsZoomed(other));
    EXPECT_EQ(desk.GetWindowRect(other), normal);

    // Minimize without activation keeps the z-order.
    desk.BringWindowToTop(doc);
    desk.ShowWindow(doc, kSwMinimize);
    EXPECT_EQ(desk.GetTopWindow(app.client), doc);
}

TEST(SimulatedDesktopTest, ForegroundAndLastActivePopup) {
    SimulatedDesktop desk;
    const auto app = desk.CreateMdiApp("Frame", 2, {"Doc"});
    const WindowHandle other = desk.CreateTopLevel("Other", "App", 3);
    const WindowHandle dialog = desk.CreatePopup(app.frame, "Properties");
    EXPECT_EQ(desk.GetLastActivePopup(app.frame), app.frame);

    desk.SetForegroundWindow(app.documents[0]);  // a child window cannot be the foreground
    EXPECT_EQ(desk.GetForegroundWindow(), kNoWindow);

    desk.SetForegroundWindow(dialog);
    EXPECT_EQ(desk.GetForegroundWindow(), dialog);
    desk.SetForegroundWindow(other);
    EXPECT_EQ(desk.TopLevelWindows().front(), other);
    EXPECT_EQ(desk.GetLastActivePopup(app.frame), dialog);

    // Activating the owner raises its pop-up with it and makes the owner its own last
    // active window.
    desk.SetForegroundWindow(app.frame);
    EXPECT_EQ(desk.TopLevelWindows(), (Handles{dialog, app.frame, other}));
    EXPECT_EQ(desk.GetLastActivePopup(app.frame), app.frame);

    desk.SetForegroundWindow(dialog);
    desk.Destroy(dialog);
    EXPECT_EQ(desk.GetLastActivePopup(app.frame), app.frame);
}

TEST(SimulatedDesktopTest, CascadePlacesVisibleDocumentsFromTheBottomUp) {
    SimulatedDesktop desk;
    const auto app =
        desk.CreateMdiApp("Frame", 2, {"A", "B", "C", "D", "E"}, "MDIClient", {0, 0, 800, 600});
    const auto& d = app.documents;
    desk.Maximize(d[0]);
    desk.Minimize(d[2]);
    desk.SetEnabled(d[3], false);
    const Rect disabledBefore = desk.GetWindowRect(d[3]);

    desk.CascadeWindows(app.client);
    constexpr int s = SimulatedDesktop::kCascadeSpacing;
    const Rect area = desk.GetClientRect(app.client);
    const int stagger = area.bottom / (3 * s);
    const Rect origin = desk.GetWindowRect(app.client);
    const auto at = [&](int n) {
        const int pos = s * n;
        return Rect{origin.left + 2 + pos, origin.top + 2 + pos,
                    origin.left + 2 + pos + area.right - stagger * s,
                    origin.top + 2 + pos + area.bottom - stagger * s};
    };
    EXPECT_FALSE(desk.IsZoomed(d[0]));
    // Bottom of the z-order first: E, then B, then the restored A (now on top).
    EXPECT_EQ(desk.GetWindowRect(d[4]), at(0));
    EXPECT_EQ(desk.GetWindowRect(d[1]), at(1));
    EXPECT_EQ(desk.GetWindowRect(d[0]), at(2));
    EXPECT_TRUE(desk.IsIconic(d[2]));
    EXPECT_EQ(desk.GetWindowRect(d[3]), disabledBefore);
    EXPECT_EQ(desk.Children(app.client).front(), d[0]);
}

TEST(SimulatedDesktopTest, MonitorsStartAsTheScreenAndCanBeSet) {
    SimulatedDesktop desk;
    EXPECT_EQ(desk.GetMonitorRects(), (std::vector<Rect>{{0, 0, 1024, 768}}));
    SimulatedDesktop small({0, 0, 800, 600});
    EXPECT_EQ(small.GetMonitorRects(), (std::vector<Rect>{{0, 0, 800, 600}}));
    EXPECT_EQ(small.QueryCount(Query::kGetMonitorRects), 1);

    // The primary first, then the others as given; an empty list changes nothing.
    const std::vector<Rect> two = {{0, 0, 1024, 768}, {-1280, -256, 0, 768}};
    desk.SetMonitors(two);
    EXPECT_EQ(desk.GetMonitorRects(), two);
    desk.SetMonitors({});
    EXPECT_EQ(desk.GetMonitorRects(), two);
    EXPECT_EQ(desk.QueryCount(Query::kGetMonitorRects), 3);

    // The desktop window keeps the screen: top-level windows still maximize to it.
    const WindowHandle w = desk.CreateTopLevel("W", "App", 1);
    desk.SetMonitors({{0, 0, 640, 480}});
    EXPECT_EQ(desk.GetWindowRect(desk.GetDesktopWindow()), (Rect{0, 0, 1024, 768}));
    desk.ShowWindow(w, kSwShowMaximized);
    EXPECT_EQ(desk.GetWindowRect(w).right, 1024);
}

TEST(SimulatedDesktopTest, HungProcessFreezesCallsThatWaitOnIt) {
    SimulatedDesktop desk;
    const auto app = desk.CreateMdiApp("Hung", 2, {"One", "Two"});
    const WindowHandle other = desk.CreateTopLevel("Other", "App", 3);
    const WindowHandle gone = desk.CreateTopLevel("Gone", "App", 2);
    desk.Destroy(gone);
    desk.SetHung(2, true);

    for (WindowHandle h : {app.frame, app.client, app.documents[1]}) {
        EXPECT_TRUE(desk.IsHungAppWindow(h));
    }
    EXPECT_FALSE(desk.IsHungAppWindow(other));
    EXPECT_FALSE(desk.IsHungAppWindow(gone));
    EXPECT_FALSE(desk.IsHungAppWindow(kNoWindow));
    EXPECT_EQ(desk.QueryCount(Query::kIsHungAppWindow), 6);

    // Raising, showing and moving wait on the hung thread: nothing changes, each call
    // freezes the caller, and each is logged.
    const WindowHandle two = app.documents[1];
    const Rect before = desk.GetWindowRect(two);
    desk.BringWindowToTop(two);
    desk.ShowWindow(two, kSwMinimize);
    desk.SetWindowPos(two, kHwndTop, 50, 50, 100, 100, 0);
    EXPECT_EQ(desk.GetTopWindow(app.client), app.documents[0]);
    EXPECT_FALSE(desk.IsIconic(two));
    EXPECT_EQ(desk.GetWindowRect(two), before);
    EXPECT_EQ(desk.FrozenCalls(), 3);
    EXPECT_EQ(desk.Actions().size(), 3u);

    // A sent request and the cascade give up: no effect, no freeze, the send says so.
    EXPECT_FALSE(desk.SendSysCommand(two, kScMaximize));
    EXPECT_FALSE(desk.IsZoomed(two));
    desk.CascadeWindows(app.client);
    EXPECT_EQ(desk.GetWindowRect(two), before);
    EXPECT_EQ(desk.FrozenCalls(), 3);
    EXPECT_EQ(desk.Actions().size(), 5u);

    // Other processes and dead handles freeze nothing; a send is answered only by a live
    // window that answers.
    desk.BringWindowToTop(other);
    desk.ShowWindow(gone, kSwMinimize);
    EXPECT_TRUE(desk.SendSysCommand(other, kScMinimize));
    EXPECT_TRUE(desk.IsIconic(other));
    EXPECT_FALSE(desk.SendSysCommand(gone, kScRestore));
    EXPECT_FALSE(desk.SendSysCommand(kNoWindow, kScRestore));
    EXPECT_EQ(desk.FrozenCalls(), 3);

    desk.ClearActions();
    EXPECT_EQ(desk.FrozenCalls(), 0);

    // Once it answers again, the same calls work.
    desk.SetHung(2, false);
    EXPECT_FALSE(desk.IsHungAppWindow(two));
    desk.ShowWindow(two, kSwMinimize);
    EXPECT_TRUE(desk.IsIconic(two));
    EXPECT_TRUE(desk.SendSysCommand(two, kScRestore));
    EXPECT_FALSE(desk.IsIconic(two));
    EXPECT_EQ(desk.FrozenCalls(), 0);
}

TEST(SimulatedDesktopTest, PostsToAHungProcessWaitUntilItAnswers) {
    SimulatedDesktop desk;
    const auto app = desk.CreateMdiApp("Hung", 2, {"One", "Two", "Three"});
    const WindowHandle other = desk.CreateTopLevel("Other", "App", 3);
    const auto& d = app.documents;
    desk.SetHung(2, true);

    desk.PostSysCommand(d[0], kScMinimize);
    desk.PostClose(d[1]);
    desk.PostClose(d[2]);
    desk.PostSysCommand(other, kScMinimize);
    EXPECT_EQ(desk.FrozenCalls(), 0);  // posting never waits

    // The answering application gets its message; the hung one's stay queued.
    EXPECT_EQ(desk.RunPostedMessages(), 1u);
    EXPECT_TRUE(desk.IsIconic(other));
    EXPECT_EQ(desk.PendingPostedMessages(), 3u);
    EXPECT_FALSE(desk.IsIconic(d[0]));
    EXPECT_TRUE(desk.IsWindow(d[1]));
    EXPECT_EQ(desk.RunPostedMessages(), 0u);
    EXPECT_EQ(desk.PendingPostedMessages(), 3u);

    // Once it answers, its messages come in the order they were posted, the waiting ones
    // before those posted later; one whose window went away meanwhile is dropped.
    desk.Destroy(d[2]);
    desk.SetHung(2, false);
    desk.PostSysCommand(d[0], kScRestore);
    EXPECT_EQ(desk.RunPostedMessages(), 3u);
    EXPECT_FALSE(desk.IsIconic(d[0]));
    EXPECT_FALSE(desk.IsWindow(d[1]));
    EXPECT_EQ(desk.PendingPostedMessages(), 0u);
}

TEST(SimulatedDesktopTest, ForegroundAndRepaintDoNotWaitOnAHungProcess) {
    SimulatedDesktop desk;
    const auto app = desk.CreateMdiApp("Hung", 2, {"Doc"});
    const WindowHandle other = desk.CreateTopLevel("Other", "App", 3);
    desk.SetForegroundWindow(other);
    desk.SetHung(2, true);

    desk.SetForegroundWindow(app.frame);
    desk.InvalidateRect(app.documents[0]);
    EXPECT_EQ(desk.GetForegroundWindow(), app.frame);
    EXPECT_EQ(desk.TopLevelWindows().front(), app.frame);
    EXPECT_EQ(desk.FrozenCalls(), 0);
    EXPECT_EQ(desk.Actions(), (std::vector<Action>{Action::SetForegroundWindow(other),
                                                   Action::SetForegroundWindow(app.frame),
                                                   Action::InvalidateRect(app.documents[0])}));
}

}  // namespace
}  // namespace perch::test
