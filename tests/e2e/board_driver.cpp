// The board's commands and mouse model on real windows under Wine, through the real
// Win32 backend: tiling, minimizing, activating and closing the documents of a real MDI
// application, and passing over that application while it does not answer. The script
// starts mdi_app.exe "Board Editor" with the documents A.TXT, B.TXT, C.TXT first.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <iterator>
#include <string>
#include <vector>

#include "board/board.h"
#include "e2e_check.h"
#include "e2e_windows.h"
#include "platform/code_page.h"
#include "platform/win32/win32_window_system.h"
#include "res/resource.h"
#include "support/board_access.h"
#include "support/board_recorders.h"
#include "support/memory_profile.h"

namespace {

using perch::TitleList;
using perch::WindowHandle;
using Clock = std::chrono::steady_clock;

WindowHandle ToHandle(HWND h) {
    return reinterpret_cast<WindowHandle>(h);
}
HWND ToHwnd(WindowHandle h) {
    return reinterpret_cast<HWND>(h);
}

// Texts 8 pixels a byte and 16 high; nothing is drawn.
class MeasuringPainter final : public perch::Painter {
  public:
    perch::TextExtent MeasureText(std::string_view text) override {
        return {static_cast<int>(text.size()) * 8, 16};
    }
    void FillRect(const perch::Rect&, perch::ColorRef) override {}
    void DrawText(perch::Point, std::string_view, perch::ColorRef) override {}
    void DrawLine(perch::Point, perch::Point, perch::ColorRef) override {}
    void DrawFocusRect(const perch::Rect&) override {}
};

HWND g_app = nullptr;

LRESULT Command(const std::string& command) {
    return e2e::MdiAppCommand(g_app, command);
}

// Lets the application carry out what was posted to it.
void Settle() {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(g_app, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
    Sleep(200);
}

// A document's outer rectangle in its MDI client's client coordinates.
RECT InClient(HWND doc, HWND client) {
    RECT r{};
    GetWindowRect(doc, &r);
    MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

long long MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

}  // namespace

int main() {
    g_app = e2e::WaitForWindow(nullptr, "Board Editor");
    E2E_CHECK(g_app != nullptr);
    if (g_app == nullptr) {
        return 1;
    }

    perch::Win32WindowSystem windows;
    perch::CodePage codePage;
    perch::test::MemoryProfile profile;
    perch::test::RecordingViewHost viewHost;
    perch::test::RecordingFrameHost frameHost;
    perch::Board board(windows, profile, codePage, viewHost, frameHost);
    perch::BoardTestAccess::SettingsOf(board).Visibility = perch::kVisibilityNormal;
    HWND view = nullptr;
    HWND frame = e2e::MakeBoardWindows(&view);
    board.SetBoardWindows(ToHandle(view), ToHandle(frame));
    MeasuringPainter painter;
    auto show = [&] {
        E2E_CHECK(e2e::BringToFront(g_app));
        perch::BoardTestAccess::RefreshTick(board);
        board.Paint(painter);
    };

    show();
    E2E_CHECK_EQ(board.tracker().CurrentTitles(), (TitleList{"A.TXT", "B.TXT", "C.TXT"}));
    const HWND client = ToHwnd(board.tracker().App().mdiClient);
    auto doc = [&](const char* title) {
        return ToHwnd(perch::BoardTestAccess::TrackerOf(board).FindDocumentWindow(title).document);
    };
    const HWND a = doc("A.TXT");
    const HWND b = doc("B.TXT");
    const HWND c = doc("C.TXT");
    E2E_CHECK(a != nullptr && b != nullptr && c != nullptr);

    // Tile horizontally in selection order: strips of a third of the client's outer
    // height less 2, each as wide as that less 2.
    RECT outer{};
    GetWindowRect(client, &outer);
    const int areaWidth = outer.right - outer.left - 2;
    const int strip = (outer.bottom - outer.top - 2) / 3;
    perch::BoardTestAccess::SelectionOf(board) = {"C.TXT", "A.TXT", "B.TXT"};
    E2E_CHECK(board.OnCommand(ID_WINDOWS_TILE_HORZ));
    Settle();
    E2E_CHECK_EQ(InClient(c, client).top, 0L);
    E2E_CHECK_EQ(InClient(a, client).top, static_cast<long>(strip));
    E2E_CHECK_EQ(InClient(b, client).top, static_cast<long>(2 * strip));
    E2E_CHECK_EQ(InClient(b, client).right - InClient(b, client).left,
                 static_cast<long>(areaWidth));
    E2E_CHECK_EQ(InClient(b, client).bottom - InClient(b, client).top, static_cast<long>(strip));
    E2E_CHECK(board.selection().SelectionList().empty());

    // Minimize one; a left press on its box brings it back and to the front.
    perch::BoardTestAccess::SelectionOf(board) = {"B.TXT"};
    board.OnCommand(ID_WINDOWS_MINIMIZE);
    E2E_CHECK(e2e::WaitUntil([&] { return IsIconic(b); }));
    show();
    const perch::Rect boxB = *board.layout().BoxRect(1);
    E2E_CHECK(board.OnMouse(perch::MouseMessage::kLeftDown, 0, {boxB.left + 3, boxB.top + 3}));
    E2E_CHECK(e2e::WaitUntil([&] { return !IsIconic(b) && GetWindow(client, GW_CHILD) == b; }));
    E2E_CHECK_EQ(board.selection().FocusTitle(), std::string("B.TXT"));

    // Cascade is offered (the system has the function) and overlaps every document, the
    // selection left as it is: one step down and right each, all of one size.
    E2E_CHECK(windows.SystemCascades());
    E2E_CHECK(board.QueryCommand(ID_WINDOWS_CASCADE).enabled);
    perch::BoardTestAccess::SelectionOf(board) = {"A.TXT"};
    E2E_CHECK(board.OnCommand(ID_WINDOWS_CASCADE));
    auto cascaded = [&] {
        RECT r[3] = {InClient(a, client), InClient(b, client), InClient(c, client)};
        std::sort(std::begin(r), std::end(r), [](const RECT& x, const RECT& y) { return x.top < y.top; });
        const long step = r[1].top - r[0].top;
        return step > 0 && r[0].left == r[0].top && r[1].left == r[1].top &&
               r[2].left == r[2].top && r[2].top - r[1].top == step &&
               r[0].right - r[0].left == r[2].right - r[2].left &&
               r[0].bottom - r[0].top == r[2].bottom - r[2].top;
    };
    E2E_CHECK(e2e::WaitUntil(cascaded));
    E2E_CHECK_EQ(board.selection().SelectionList(), (TitleList{"A.TXT"}));
    perch::BoardTestAccess::SelectionOf(board).clear();

    // The application stops answering: every command and the left press pass over it
    // within a moment instead of waiting for it.
    const RECT before = InClient(a, client);
    E2E_CHECK_EQ(Command("hang\t8000"), 1);
    auto start = Clock::now();
    perch::BoardTestAccess::SelectionOf(board) = {"A.TXT", "B.TXT", "C.TXT"};
    board.OnCommand(ID_WINDOWS_TILE_VERT);
    perch::BoardTestAccess::SelectionOf(board) = {"A.TXT", "C.TXT"};
    board.OnCommand(ID_WINDOWS_MINIMIZE);
    perch::BoardTestAccess::SelectionOf(board) = {"C.TXT"};
    board.OnCommand(ID_WINDOWS_TILE_HORZ);
    board.OnMouse(perch::MouseMessage::kLeftDown, 0, {2, 2});
    const long long hungMs = MillisecondsSince(start);
    std::printf("four actions on a hung application took %lld ms\n", hungMs);
    E2E_CHECK(hungMs < 4000);  // each waits at most one short probe; the hang lasts 8 s
    E2E_CHECK(board.selection().SelectionList().empty());
    E2E_CHECK_EQ(board.selection().FocusTitle(), std::string("A.TXT"));

    // Once it answers again nothing stale arrives, and commands reach it again.
    Settle();
    E2E_CHECK(!IsIconic(a) && !IsIconic(c));
    E2E_CHECK_EQ(InClient(a, client).top, before.top);
    perch::BoardTestAccess::SelectionOf(board) = {"A.TXT", "B.TXT", "C.TXT"};
    board.OnCommand(ID_WINDOWS_TILE_VERT);
    Settle();
    E2E_CHECK_EQ(InClient(a, client).left, 0L);
    E2E_CHECK_EQ(InClient(c, client).left, 2L * std::max(100, areaWidth / 3));

    // Close posts the request; the application closes the document.
    perch::BoardTestAccess::SelectionOf(board) = {"C.TXT"};
    board.OnCommand(ID_WINDOWS_CLOSE);
    E2E_CHECK(e2e::WaitUntil([&] { return !IsWindow(c); }));
    E2E_CHECK_EQ(Command("count"), 3);

    // A minimized frame's place to keep is where it is restored to, not its icon.
    RECT normal{};
    GetWindowRect(frame, &normal);
    ShowWindow(frame, SW_MINIMIZE);
    const perch::Rect restored = windows.GetRestoredRect(ToHandle(frame));
    E2E_CHECK(IsIconic(frame));
    E2E_CHECK((restored == perch::Rect{normal.left, normal.top, normal.right, normal.bottom}));
    E2E_CHECK(!(windows.GetWindowRect(ToHandle(frame)) == restored));

    DestroyWindow(frame);
    if (e2e::g_failures == 0) {
        std::printf("board commands on real windows: ok\n");
    }
    return e2e::g_failures;
}
