#include "board/arrangement.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "board/answering_windows.h"
#include "board/board.h"
#include "res/resource.h"
#include "tracker/title_text.h"

namespace perch {
namespace {

constexpr int kMinStripHeight = 80;
constexpr int kMinStripWidth = 100;
constexpr int kAreaShrink = 2;
// A maximized document is wider than its client's client area by its two borders.
constexpr int kMaximizedWidthTolerance = 12;
constexpr std::string_view kWordName = "Microsoft Word";
constexpr std::string_view kExcelName = "Microsoft Excel";

}  // namespace

std::optional<Rect> Arrangement::GetArrangementArea() {
    Tracker& tracker = board_.tracker;
    const TitleList& selected = tracker.SelectionList();
    if (selected.empty() || selected.front().empty()) {
        return std::nullopt;
    }
    const DocumentWindowSearch search = tracker.FindDocumentWindow(selected.front());
    if (!search.found) {
        return std::nullopt;
    }
    // The chain from the document up to its top-level window; the area is the window just
    // below the top (the MDI client, for an ordinary document window).
    WindowSystem& windows = board_.windows;
    std::vector<WindowHandle> chain{search.document};
    for (int step = 0; step < kMaxParentSteps; ++step) {
        const WindowHandle parent = windows.GetParent(chain.back());
        if (parent == kNoWindow) {
            break;
        }
        chain.push_back(parent);
    }
    if (chain.size() < 3) {
        return std::nullopt;
    }
    const Rect outer = windows.GetWindowRect(chain[chain.size() - 2]);
    Rect area;
    area.right = std::max(0, outer.Width() - kAreaShrink);
    area.bottom = std::max(0, outer.Height() - kAreaShrink);
    return area;
}

void Arrangement::TileSelected(TileDirection direction) {
    const std::optional<Rect> area = GetArrangementArea();
    if (!area) {
        return;
    }
    Tracker& tracker = board_.tracker;
    WindowSystem& windows = board_.windows;
    // A copy: the titles are worked through while other code may touch the list.
    const TitleList selected = tracker.SelectionList();
    const int n = static_cast<int>(selected.size());
    if (n == 0) {
        return;
    }
    if (RefuseWhileMaximized(RefusedOperation::kTile)) {
        windows.SetForegroundWindow(tracker.FindAppWindow());
        return;
    }
    const bool horizontal = direction == TileDirection::kHorizontal;
    const int strip = horizontal ? std::max(area->bottom / n, kMinStripHeight)
                                 : std::max(area->right / n, kMinStripWidth);
    RestoreMaximizedDocument();

    AnsweringWindows answering(windows);
    int position = 0;
    for (const std::string& title : selected) {
        const DocumentWindowSearch search = tracker.FindDocumentWindow(title);
        if (search.found && answering.Answers(search.document)) {
            const WindowHandle document = search.document;
            windows.SetForegroundWindow(search.app);
            if (n == 1) {
                // One window is not tiled but maximized.
                windows.BringWindowToTop(document);
                windows.ShowWindow(document, kSwShowNormal);
                windows.SendSysCommand(document, kScMaximize);
            } else {
                if (windows.IsIconic(document)) {
                    windows.BringWindowToTop(document);
                    windows.ShowWindow(document, kSwShowNormal);
                    windows.SendSysCommand(document, kScRestore);
                }
                windows.BringWindowToTop(document);
                if (horizontal) {
                    windows.SetWindowPos(document, kHwndTop, 0, position, area->right, strip, 0);
                } else {
                    windows.SetWindowPos(document, kHwndTop, position, 0, strip, area->bottom, 0);
                }
            }
            windows.InvalidateRect(document);
        }
        // A window that vanished leaves its strip empty.
        position += strip;
    }
    board_.selection.ClearSelection();
}

bool Arrangement::RefuseWhileMaximized(RefusedOperation operation) {
    const std::string& appName = board_.tracker.App().appName;
    const CodePage& codePage = board_.tracker.Code();
    const bool word = FindText(appName, kWordName, codePage) != kNotFound;
    const bool excel = FindText(appName, kExcelName, codePage) != kNotFound;
    if (!word && !(excel && operation == RefusedOperation::kTile)) {
        return false;
    }
    if (!HasMaximizedDocument()) {
        return false;
    }
    board_.viewHost.ShowMessage(IDS_MAXIMIZED_REFUSAL);
    return true;
}

bool Arrangement::HasMaximizedDocument() {
    Tracker& tracker = board_.tracker;
    WindowSystem& windows = board_.windows;
    // A copy: finding windows must not see the list change under it.
    const TitleList titles = tracker.CurrentTitles();
    for (const std::string& title : titles) {
        const DocumentWindowSearch search = tracker.FindDocumentWindow(title);
        if (!search.found) {
            continue;
        }
        const Rect outer = windows.GetWindowRect(search.document);
        const Rect client = windows.GetClientRect(tracker.App().mdiClient);
        const int w = outer.Width();
        if (client.right < w && w < client.right + kMaximizedWidthTolerance &&
            outer.Height() > client.bottom) {
            return true;
        }
    }
    return false;
}

void Arrangement::RestoreMaximizedDocument() {
    Tracker& tracker = board_.tracker;
    WindowSystem& windows = board_.windows;
    AnsweringWindows answering(windows);
    const TitleList titles = tracker.CurrentTitles();
    for (const std::string& title : titles) {
        const DocumentWindowSearch search = tracker.FindDocumentWindow(title);
        if (!search.found || !windows.IsZoomed(search.document) ||
            !answering.Answers(search.document)) {
            continue;
        }
        windows.BringWindowToTop(search.document);
        windows.SendSysCommand(search.document, kScRestore);
        return;
    }
}

void Arrangement::MinimizeSelected() {
    Tracker& tracker = board_.tracker;
    WindowSystem& windows = board_.windows;
    const TitleList selected = tracker.SelectionList();
    if (selected.empty()) {
        return;
    }
    if (RefuseWhileMaximized(RefusedOperation::kMinimize)) {
        windows.SetForegroundWindow(tracker.FindAppWindow());
        return;
    }
    board_.flags.busy = 1;
    AnsweringWindows answering(windows);
    bool minimizedOne = false;
    WindowHandle lastApp = kNoWindow;
    for (const std::string& title : selected) {
        const DocumentWindowSearch search = tracker.FindDocumentWindow(title);
        const bool usable = search.found && answering.Answers(search.document);
        lastApp = usable ? search.app : kNoWindow;
        if (!usable || windows.IsIconic(search.document)) {
            continue;
        }
        if (!minimizedOne) {
            windows.SetForegroundWindow(search.app);
            minimizedOne = true;
        }
        windows.BringWindowToTop(search.document);
        windows.PostSysCommand(search.document, kScMinimize);
    }
    board_.selection.ClearSelection();
    board_.flags.busy = 0;
    if (lastApp != kNoWindow) {
        windows.SetForegroundWindow(lastApp);
    }
}

void Arrangement::CloseSelected() {
    Tracker& tracker = board_.tracker;
    WindowSystem& windows = board_.windows;
    const TitleList selected = tracker.SelectionList();
    if (selected.empty()) {
        return;
    }
    AnsweringWindows answering(windows);
    WindowHandle lastApp = kNoWindow;
    for (const std::string& title : selected) {
        const DocumentWindowSearch search = tracker.FindDocumentWindow(title);
        const bool usable = search.found && answering.Answers(search.document);
        lastApp = usable ? search.app : kNoWindow;
        if (!usable) {
            continue;
        }
        windows.BringWindowToTop(search.document);
        // Posted: the application may ask about unsaved changes after we are done.
        windows.PostClose(search.document);
    }
    if (lastApp != kNoWindow) {
        windows.SetForegroundWindow(lastApp);
    }
    board_.selection.ClearSelection();
}

bool Arrangement::CanCascade() {
    return !board_.tracker.DisplayList().empty() && !board_.windows.IsNtPlatform();
}

void Arrangement::CascadeAll() {
    WindowSystem& windows = board_.windows;
    if (windows.IsNtPlatform() || board_.tracker.DisplayList().empty()) {
        return;
    }
    const WindowHandle client = board_.tracker.App().mdiClient;
    if (client != kNoWindow) {
        if (!AnsweringWindows(windows).Answers(client)) {
            return;
        }
        windows.CascadeWindows(client);
    }
    windows.SetForegroundWindow(windows.GetParent(client));
}

}  // namespace perch
