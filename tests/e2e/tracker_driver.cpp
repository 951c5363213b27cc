// The tracker and the refresh tick on real windows under Wine, through the real Win32
// backend. The script starts, before this driver: mdi_app.exe "Test Editor" with the
// documents "C:\DOCS\B.TXT", "A.TXT", "3> Budget.xls"; notepad; winefile; progman.
#include <windows.h>

#include <string>
#include <vector>

#include "e2e_check.h"
#include "e2e_windows.h"
#include "platform/code_page.h"
#include "platform/win32/win32_window_system.h"
#include "support/refresh_parts.h"
#include "tracker/tracker.h"

namespace {

using perch::TitleList;
using perch::WindowHandle;

WindowHandle ToHandle(HWND h) {
    return reinterpret_cast<WindowHandle>(h);
}

// What the tick asked the board to repaint.
class RecordingHost : public perch::BoardHost {
  public:
    bool InvalidateTitleBox(std::string_view title) override {
        boxes.emplace_back(title);
        return true;
    }
    void InvalidateAll() override { ++all; }
    std::vector<std::string> boxes;
    int all = 0;
};

HWND g_app = nullptr;

LRESULT Command(const std::string& command) {
    return e2e::MdiAppCommand(g_app, command);
}

void Front(HWND h) {
    E2E_CHECK(e2e::BringToFront(h));
}

}  // namespace

int main() {
    g_app = e2e::WaitForWindow(nullptr, "Test Editor");
    HWND notepad = e2e::WaitForWindow("Notepad", nullptr);
    HWND winefile = e2e::WaitForWindow("WFS_Frame", nullptr);
    HWND progman = e2e::WaitForWindow(nullptr, "Program Manager");
    E2E_CHECK(g_app != nullptr);
    E2E_CHECK(notepad != nullptr);
    E2E_CHECK(winefile != nullptr);
    E2E_CHECK(progman != nullptr);
    if (g_app == nullptr) {
        return 1;
    }

    perch::Win32WindowSystem windows;
    perch::CodePage codePage;
    perch::Settings settings;
    settings.Visibility = perch::kVisibilityNormal;
    HWND view = nullptr;
    HWND frame = e2e::MakeBoardWindows(&view);
    perch::Tracker tracker(windows, settings, codePage, ToHandle(view), ToHandle(frame));
    RecordingHost host;
    perch::test::RefreshParts parts(windows, tracker, settings, host);
    auto tick = [&] {
        host = RecordingHost();
        parts.cycle.RefreshTick();
    };

    // Watching: the visible documents, cleaned and sorted by file name.
    Front(g_app);
    tick();
    E2E_CHECK(tracker.App().mdiClient != 0);
    E2E_CHECK_EQ(tracker.App().appName, std::string("Test Editor"));
    E2E_CHECK_EQ(tracker.CurrentTitles(), (TitleList{"A.TXT", "C:\\DOCS\\B.TXT", "Budget.xls"}));
    E2E_CHECK_EQ(tracker.DisplayList(), (TitleList{"A.TXT", "B.TXT", "Budget.xls"}));
    E2E_CHECK_EQ(host.all, 1);
    tick();
    E2E_CHECK_EQ(host.all, 0);  // nothing changed: no repaint

    // The active document is followed; only the old and new boxes are repainted.
    E2E_CHECK_EQ(Command("activate\tA.TXT"), 1);
    tick();
    E2E_CHECK_EQ(parts.selection.FocusTitle(), std::string("A.TXT"));
    E2E_CHECK_EQ(Command("activate\tC:\\DOCS\\B.TXT"), 1);
    tick();
    E2E_CHECK_EQ(parts.selection.FocusTitle(), std::string("C:\\DOCS\\B.TXT"));
    E2E_CHECK_EQ(host.boxes, (std::vector<std::string>{"A.TXT", "C:\\DOCS\\B.TXT"}));
    E2E_CHECK_EQ(host.all, 0);

    // Documents found again by title: exact pass (case ignored), suffix pass for "3> ".
    auto found = tracker.FindDocumentWindow("a.txt");
    E2E_CHECK(found.found);
    E2E_CHECK_EQ(windows.GetWindowText(found.document), std::string("A.TXT"));
    E2E_CHECK_EQ(found.app, ToHandle(g_app));
    found = tracker.FindDocumentWindow("Budget.xls");
    E2E_CHECK(found.found);
    E2E_CHECK_EQ(windows.GetWindowText(found.document), std::string("3> Budget.xls"));
    E2E_CHECK(!tracker.FindDocumentWindow("Missing.doc").found);

    // Hidden, added, retitled, minimized and closed documents.
    E2E_CHECK_EQ(Command("hide\tA.TXT"), 1);
    tick();
    E2E_CHECK_EQ(tracker.CurrentTitles(), (TitleList{"C:\\DOCS\\B.TXT", "Budget.xls"}));
    E2E_CHECK_EQ(Command("show\tA.TXT"), 1);
    E2E_CHECK_EQ(Command("add\tNew.txt"), 1);
    E2E_CHECK_EQ(Command("retitle\tBudget.xls\tignored"), 0);  // the window is "3> Budget.xls"
    E2E_CHECK_EQ(Command("retitle\t3> Budget.xls\tAccounts.xls"), 1);
    E2E_CHECK_EQ(Command("minimize\tNew.txt"), 1);  // minimized documents still count
    Front(g_app);
    tick();
    E2E_CHECK_EQ(tracker.CurrentTitles(),
                 (TitleList{"A.TXT", "Accounts.xls", "C:\\DOCS\\B.TXT", "New.txt"}));
    E2E_CHECK_EQ(Command("close\tAccounts.xls"), 1);
    tick();
    E2E_CHECK_EQ(tracker.CurrentTitles(), (TitleList{"A.TXT", "C:\\DOCS\\B.TXT", "New.txt"}));

    // A letter-case-only change is no change.
    E2E_CHECK_EQ(Command("retitle\tA.TXT\ta.txt"), 1);
    tick();
    E2E_CHECK_EQ(host.all, 0);
    E2E_CHECK_EQ(tracker.CurrentTitles()[0], std::string("A.TXT"));

    // An owned pop-up of the watched application holds the board.
    E2E_CHECK_EQ(Command("popup\tOptions"), 1);
    Front(e2e::WaitForWindow(nullptr, "Options"));
    tick();
    E2E_CHECK_EQ(tracker.App().matchState, 2);
    E2E_CHECK_EQ(tracker.CurrentTitles().size(), 3u);

    // The board's own frame in front: nothing is dropped.
    Front(frame);
    tick();
    E2E_CHECK_EQ(tracker.CurrentTitles().size(), 3u);

    // A non-MDI application in front: the board is dropped.
    Front(notepad);
    tick();
    E2E_CHECK(tracker.CurrentTitles().empty());
    E2E_CHECK_EQ(host.all, 1);

    // Wine's File Manager is watched; its child windows are all "Z:\" at first.
    Front(winefile);
    tick();
    E2E_CHECK_EQ(tracker.App().appName, std::string("Wine File Manager"));
    E2E_CHECK(!tracker.CurrentTitles().empty());
    for (const std::string& title : tracker.CurrentTitles()) {
        E2E_CHECK_EQ(title, std::string("Z:\\"));
    }

    // Program Manager has an MDI client but is excluded by default.
    Front(progman);
    tick();
    E2E_CHECK_EQ(tracker.App().processId, 0u);
    E2E_CHECK(tracker.CurrentTitles().empty());

    // The watched application closing: its scan comes back empty, nothing breaks.
    Front(g_app);
    tick();
    E2E_CHECK_EQ(tracker.CurrentTitles().size(), 3u);
    PostMessageA(g_app, WM_CLOSE, 0, 0);
    for (int i = 0; i < 100 && IsWindow(g_app); ++i) {
        Sleep(100);
    }
    tick();
    E2E_CHECK(tracker.CurrentTitles().empty());

    DestroyWindow(frame);
    if (e2e::g_failures == 0) {
        std::printf("tracker on real windows: ok\n");
    }
    return e2e::g_failures;
}
